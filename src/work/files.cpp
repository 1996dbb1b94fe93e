#include "work/files.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "work/codec.h"

namespace pelora {

namespace fs = std::filesystem;

fs::path nativePath(const std::string& path) {
    return fs::path(cp1252ToUtf8(path));
}

std::optional<std::string> readFileBytes(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const fs::path native = nativePath(path);
    std::error_code error;
    if (!fs::is_regular_file(native, error)) return std::nullopt;
    std::ifstream in(native, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

std::vector<std::string> splitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(bytes.substr(start, i - start));
            i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

bool fileExists(const std::string& path) {
    if (path.empty()) return false;
    std::error_code error;
    return fs::exists(nativePath(path), error);
}

bool isRelativePath(const std::string& path) {
    return nativePath(path).is_relative();
}

std::string pathBeside(const std::string& beside, const std::string& path) {
    if (path.empty() || !isRelativePath(path)) return path;
    const fs::path folder = nativePath(beside).parent_path();
    if (folder.empty()) return path;
    return utf8ToCp1252((folder / nativePath(path)).string());
}

std::string temporaryPathFor(const std::string& path) {
    return path + ".tmp";
}

bool writeFileAtomically(const std::string& path, const std::string& bytes) {
    if (path.empty()) return false;
    std::error_code error;
    fs::path target = nativePath(path);
    // Saving through a link replaces the file it points to, not the link.
    if (fs::is_symlink(target, error)) {
        fs::path resolved = fs::canonical(target, error);
        if (!error) target = resolved;
    }
    fs::path temporary = target;
    temporary += ".tmp";

    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;  // nothing was created, so nothing is removed
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        out.close();
        if (!out) {
            fs::remove(temporary, error);
            return false;
        }
    }

    // The new file keeps the permissions of the one it replaces.
    const fs::file_status old = fs::status(target, error);
    if (!error && fs::is_regular_file(old)) {
        fs::permissions(temporary, old.permissions(), error);
    }
    fs::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

}  // namespace pelora
