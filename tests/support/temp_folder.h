// A fresh folder for one test, removed with everything in it when the test ends. Names are given
// in Windows-1252, as the core writes texts; paths come back as the system names them, or as
// Windows-1252 text where a work file holds one (the roster path).
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "base/codec.h"

namespace pelora::test {

class TempFolder {
public:
    TempFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "pelora-test-XXXXXX").string();
        if (!mkdtemp(name.data())) throw std::runtime_error("cannot make " + name);
        m_path = name;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& native() const { return m_path; }

    // The path of `name` inside the folder.
    std::filesystem::path path(const std::string& name) const {
        return m_path / cp1252ToUtf8(name);
    }

    // The same path as Windows-1252 text.
    std::string text(const std::string& name) const { return utf8ToCp1252(path(name).string()); }

    // Writes the bytes to `name` and returns its path.
    std::filesystem::path write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(path(name), std::ios::binary | std::ios::trunc);
        out << bytes;
        return path(name);
    }

private:
    std::filesystem::path m_path;
};

// The program's current folder moved for as long as the object lives.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder)
        : m_before(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolder() {
        std::error_code ignored;
        std::filesystem::current_path(m_before, ignored);
    }

private:
    std::filesystem::path m_before;
};

// Every byte of a file, or "(missing)" when it cannot be read.
inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "(missing)";
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace pelora::test
