// A fresh folder for one test, removed with everything in it when the test ends. Names are given
// in Windows-1252, as the core writes texts; paths come back as the system names them, or as
// Windows-1252 text where a work file holds one (the roster path).
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/codec.h"
#include "base/files.h"

namespace pelora::test {

// A path written in UTF-8 in a test, whatever narrow encoding the system's own paths have.
inline std::filesystem::path operator""_path(const char* utf8, std::size_t size) {
    return pathFromUtf8(std::string(utf8, size));
}

class TempFolder {
public:
    TempFolder() {
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::filesystem::path name =
                base / ("pelora-test-" + std::to_string(random()) + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(name, error)) {
                m_path = name;
                return;
            }
        }
        throw std::runtime_error("cannot make a folder in " + utf8Path(base));
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
        return m_path / pathFromUtf8(cp1252ToUtf8(name));
    }

    // The same path as Windows-1252 text.
    std::string text(const std::string& name) const { return utf8ToCp1252(utf8Path(path(name))); }

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

// The cases of a table file under tests/data: one a line, fields split at "|", a line break written
// \r\n, UTF-8 text given in Windows-1252; empty lines and lines opening with "#" are notes.
inline std::vector<std::vector<std::string>> tableRows(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string>& row = rows.emplace_back(1);
        for (std::size_t k = 0; k < line.size(); ++k) {
            if (line[k] == '|') {
                row.emplace_back();
            } else if (line.compare(k, 4, "\\r\\n") == 0) {
                row.back() += "\r\n";
                k += 3;
            } else {
                row.back() += line[k];
            }
        }
        for (std::string& field : row)
            field = utf8ToCp1252(field);
    }
    if (rows.empty()) throw std::runtime_error("no cases in " + utf8Path(path));
    return rows;
}

// Every byte of a file, or "(missing)" when it cannot be read.
inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "(missing)";
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace pelora::test
