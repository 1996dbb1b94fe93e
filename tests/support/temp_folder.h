// A fresh folder for one test, removed with everything in it when the test ends. Paths come back
// as Windows-1252 text, the way the core holds them.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "work/codec.h"

namespace pelora::test {

class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_path = std::filesystem::temp_directory_path() /
                 ("pelora-test-" + std::to_string(stamp) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& native() const { return m_path; }

    // The path of `name` inside the folder, as Windows-1252 text.
    std::string path(const std::string& name) const {
        return utf8ToCp1252((m_path / cp1252ToUtf8(name)).string());
    }

    // Writes the bytes to `name` and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(m_path / cp1252ToUtf8(name), std::ios::binary | std::ios::trunc);
        out << bytes;
        return path(name);
    }

private:
    std::filesystem::path m_path;
};

// Every byte of a file, or "(missing)" when it cannot be read.
inline std::string fileBytes(const std::string& cp1252Path) {
    std::ifstream in(std::filesystem::path(cp1252ToUtf8(cp1252Path)), std::ios::binary);
    if (!in) return "(missing)";
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace pelora::test
