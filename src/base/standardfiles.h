// What the file system does the same on every system, through std::filesystem: the platform
// files derive their file system from it and add what needs the system's own calls.
#pragma once

#include <functional>
#include <utility>

#include "base/files.h"

namespace pelora {

// Eight letters and digits drawn at random: the end of a temporary file's name.
std::string randomLetters();

// A lock the system holds for as long as what it was taken with stays open; `release` closes that.
class HeldLock : public FileLock {
public:
    explicit HeldLock(std::function<void()> release) : m_release(std::move(release)) {}
    ~HeldLock() override { m_release(); }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

private:
    std::function<void()> m_release;
};

class StandardFileSystem : public FileSystem {
public:
    std::optional<std::string> read(const std::filesystem::path& path) override;
    bool exists(const std::filesystem::path& path) override;
    std::optional<std::uintmax_t> fileSize(const std::filesystem::path& path) override;
    std::optional<std::filesystem::file_time_type> modified(
        const std::filesystem::path& path) override;
    // The names in UTF-8.
    std::vector<std::string> filesIn(const std::filesystem::path& folder) override;
    std::filesystem::path currentFolder() override;
    std::filesystem::path followLinks(const std::filesystem::path& path) override;
    void remove(const std::filesystem::path& path) override;
};

}  // namespace pelora
