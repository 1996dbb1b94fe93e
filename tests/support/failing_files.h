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
    using Path = std::filesystem::path;
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
    // A file whose name ends so cannot be read, as one without read permission: it has a size,
    // but reading it gives nothing.
    std::string unreadable;
    // "create", "write", "sync", "close", "rename", "remove", "open in place", "sync folder".
    std::vector<std::string> log;

    std::optional<std::string> read(const Path& path) override {
        if (!throwOnReading.empty() && path.string().ends_with(throwOnReading))
            throw std::runtime_error("Läsfel på disken");
        if (!unreadable.empty() && path.string().ends_with(unreadable)) return std::nullopt;
        return real().read(path);
    }
    bool exists(const Path& path) override { return real().exists(path); }
    std::optional<std::uintmax_t> fileSize(const Path& path) override {
        return real().fileSize(path);
    }
    std::optional<std::filesystem::file_time_type> modified(const Path& path) override {
        return real().modified(path);
    }
    std::vector<std::string> filesIn(const Path& folder) override { return real().filesIn(folder); }
    Path currentFolder() override { return real().currentFolder(); }
    Path followLinks(const Path& path) override { return real().followLinks(path); }
    bool writableByPermissions(const Path& path) override {
        return !fails(Failure::ReadOnly) && real().writableByPermissions(path);
    }
    std::unique_ptr<OutputFile> createUnique(const Path& folder, const std::string& prefix,
                                             Path& created) override {
        log.push_back("create");
        if (fails(Failure::NewFile)) return nullptr;
        return logged(real().createUnique(folder, prefix, created));
    }
    std::unique_ptr<OutputFile> openForWriting(const Path& path) override {
        log.push_back("open in place");
        return logged(real().openForWriting(path));
    }
    void copyPermissions(const Path& from, const Path& to) override {
        real().copyPermissions(from, to);
    }
    bool rename(const Path& from, const Path& to) override {
        log.push_back("rename");
        return !fails(Failure::Rename) && real().rename(from, to);
    }
    void remove(const Path& path) override {
        log.push_back("remove");
        real().remove(path);
    }
    void syncFolder(const Path& folder) override {
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
            if (!m_files.fails(Failure::WriteHalfway)) return m_file->write(bytes);
            m_file->write(bytes.substr(0, bytes.size() / 2));
            return false;
        }
        bool sync() override {
            m_files.log.push_back("sync");
            return !m_files.fails(Failure::Sync) && m_file->sync();
        }
        bool close() override {
            m_files.log.push_back("close");
            return m_file->close();
        }

    private:
        FailingFileSystem& m_files;
        std::unique_ptr<OutputFile> m_file;
    };

    bool fails(Failure failure) const { return failures.count(failure) > 0; }
    static FileSystem& real() { return systemFileSystem(); }
    std::unique_ptr<OutputFile> logged(std::unique_ptr<OutputFile> file) {
        return file ? std::make_unique<LoggedFile>(*this, std::move(file)) : nullptr;
    }
};

}  // namespace pelora::test
