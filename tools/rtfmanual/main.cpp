// rtfmanual SOURCE TARGET: writes the RTF manual made from the markup in SOURCE to TARGET. A source
// it refuses fails the build with the file and line of the problem.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <system_error>

#include "rtfmanual.h"

namespace {

namespace fs = std::filesystem;

bool readFile(const fs::path& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Written beside the target and renamed over it, so that a run that fails leaves no half file
// that the build would take for up to date.
bool writeFile(const fs::path& path, const std::string& bytes) {
    std::error_code error;
    if (path.has_parent_path()) fs::create_directories(path.parent_path(), error);
    fs::path temporary = path;
    temporary += ".tmp";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out) fs::rename(temporary, path, error);
    if (!out || error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::cerr << "Användning: rtfmanual KÄLLA MÅL\n";
        return 2;
    }
    const fs::path source = argv[1];
    const fs::path target = argv[2];
    std::string text;
    if (!readFile(source, text)) {
        std::cerr << "rtfmanual: kan inte läsa " << source.string() << "\n";
        return 1;
    }
    std::string rtf;
    try {
        rtf = rtfmanual::manualToRtf(text);
    } catch (const rtfmanual::SourceError& error) {
        std::cerr << source.string() << ":" << error.line() << ": " << error.what() << "\n";
        return 1;
    }
    if (!writeFile(target, rtf)) {
        std::cerr << "rtfmanual: kan inte skriva " << target.string() << "\n";
        return 1;
    }
    return 0;
}
