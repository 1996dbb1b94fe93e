// A file system for tests: it passes every call to the computer's own, but fails where a test
// tells it to, and writes down what a save did, in order.
#pragma once

#include <filesystem>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/files.h"

namespace pelora::test {

class FailingFileSystem : public FileSystem {
public:
    enum class Failure {
        NewFile,       // the folder takes no new file
        WriteHalfway,  // a write puts half of its bytes on the disk and fails
        Sync,          // the data cannot be put on the disk
        Rename,        // the new file cannot take the old one's place
        ReadOnly,      // the permission bits forbid writing the file
    };
    std::set<Failure> failures;
    // Reading a file whose name ends so throws, as a failing disk or a full memory would.
    std::string throwOnReading;
    // "create", "write", "sync", "close", "rename", "remove", "open in place", "sync folder".
    std::vector<std::string> log;

    std::optional<std::string> read(const std::filesystem::path& path) override {
        const std::string name = path.string();
        if (!throwOnReading.empty() && name.size() >= throwOnReading.size() &&
            name.compare(name.size() - throwOnReading.size(), throwOnReading.size(),
                         throwOnReading) == 0) {
            throw std::runtime_error("Läsfel på disken");
        }
        return real().read(path);
    }
    bool exists(const std::filesystem::path& path) override { return real().exists(path); }
    std::optional<std::uintmax_t> fileSize(const std::filesystem::path& path) override {
        return real().fileSize(path);
    }
    std::optional<std::filesystem::file_time_type> modified(
        const std::filesystem::path& path) override {
        return real().modified(path);
    }
    std::vector<std::string> filesIn(const std::filesystem::path& folder) override {
        return real().filesIn(folder);
    }
    std::filesystem::path currentFolder() override { return real().currentFolder(); }
    std::filesystem::path followLinks(const std::filesystem::path& path) override {
        return real().followLinks(path);
    }
    bool writableByPermissions(const std::filesystem::path& path) override {
        return !failures.count(Failure::ReadOnly) && real().writableByPermissions(path);
    }
    std::unique_ptr<OutputFile> createUnique(const std::filesystem::path& folder,
                                             const std::string& prefix,
                                             std::filesystem::path& created) override {
        log.push_back("create");
        if (failures.count(Failure::NewFile)) return nullptr;
        return logged(real().createUnique(folder, prefix, created));
    }
    std::unique_ptr<OutputFile> openForWriting(const std::filesystem::path& path) override {
        log.push_back("open in place");
        return logged(real().openForWriting(path));
    }
    void copyPermissions(const std::filesystem::path& from,
                         const std::filesystem::path& to) override {
        real().copyPermissions(from, to);
    }
    bool rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        log.push_back("rename");
        return !failures.count(Failure::Rename) && real().rename(from, to);
    }
    void remove(const std::filesystem::path& path) override {
        log.push_back("remove");
        real().remove(path);
    }
    void syncFolder(const std::filesystem::path& folder) override {
        log.push_back("sync folder");
        real().syncFolder(folder);
    }

private:
    class LoggedFile : public OutputFile {
    public:
        LoggedFile(FailingFileSystem& files, std::unique_ptr<OutputFile> file)
            : m_files(files), m_file(std::move(file)) {}
        bool write(const std::string& bytes) override {
            m_files.log.push_back("write");
            if (m_files.failures.count(Failure::WriteHalfway)) {
                m_file->write(bytes.substr(0, bytes.size() / 2));
                return false;
            }
            return m_file->write(bytes);
        }
        bool sync() override {
            m_files.log.push_back("sync");
            return !m_files.failures.count(Failure::Sync) && m_file->sync();
        }
        bool close() override {
            m_files.log.push_back("close");
            return m_file->close();
        }

    private:
        FailingFileSystem& m_files;
        std::unique_ptr<OutputFile> m_file;
    };

    static FileSystem& real() { return systemFileSystem(); }
    std::unique_ptr<OutputFile> logged(std::unique_ptr<OutputFile> file) {
        if (!file) return nullptr;
        return std::make_unique<LoggedFile>(*this, std::move(file));
    }
};

}  // namespace pelora::test
