// A file system for tests: it passes every call to the computer's own, but fails where a test
// tells it to, and writes down what a save did, in order.
#pragma once

#include <cerrno>
#include <filesystem>
#include <functional>
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
        NewFile,       // the folder takes no new file (no permission)
        WriteHalfway,  // a write puts half of its bytes on the disk and fails: the disk is full
        Sync,          // the data cannot be put on the disk (a disk error)
        Rename,        // the new file cannot take the old one's place (no permission)
        ReadOnly,      // the permission bits forbid writing the file
        NoLock,        // every lock is held by another program
    };
    std::set<Failure> failures;
    // Reading a file whose name ends so throws, as a failing disk or a full memory would.
    std::string throwOnReading;
    // A file whose name ends so cannot be read, as one without read permission: it has a size,
    // but reading it gives nothing.
    std::string unreadable;
    // "create", "write", "permissions", "sync", "replace", "close", "sync folder", "remove stale",
    // "rename", "remove".
    std::vector<std::string> log;
    // Called as a file of a save is written, before the bytes go to it.
    std::function<void()> duringWrite;

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
    std::unique_ptr<OutputFile> createTemporary(const Path& folder, const std::string& prefix,
                                                int& error) override {
        log.push_back("create");
        if (fails(Failure::NewFile)) {
            error = EACCES;
            return nullptr;
        }
        std::unique_ptr<OutputFile> file = real().createTemporary(folder, prefix, error);
        return file ? std::make_unique<LoggedFile>(*this, std::move(file)) : nullptr;
    }
    void removeStaleTemporaries(const Path& folder, const std::string& prefix) override {
        log.push_back("remove stale");
        real().removeStaleTemporaries(folder, prefix);
    }
    std::unique_ptr<FileLock> lock(const Path& path) override {
        return fails(Failure::NoLock) ? nullptr : real().lock(path);
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
            if (m_files.duringWrite) m_files.duringWrite();
            if (!m_files.fails(Failure::WriteHalfway)) return m_file->write(bytes);
            m_file->write(bytes.substr(0, bytes.size() / 2));
            return failed(ENOSPC);
        }
        bool sync() override {
            m_files.log.push_back("sync");
            return m_files.fails(Failure::Sync) ? failed(EIO) : m_file->sync();
        }
        void takePermissions(const Path& like) override {
            m_files.log.push_back("permissions");
            m_file->takePermissions(like);
        }
        bool replace(const Path& target) override {
            m_files.log.push_back("replace");
            return m_files.fails(Failure::Rename) ? failed(EACCES) : m_file->replace(target);
        }
        void close() override {
            if (m_closed) return;
            m_closed = true;
            m_files.log.push_back("close");
            m_file->close();
        }
        int error() const override { return m_error != 0 ? m_error : m_file->error(); }

    private:
        bool failed(int error) {
            m_error = error;
            return false;
        }

        FailingFileSystem& m_files;
        std::unique_ptr<OutputFile> m_file;
        int m_error = 0;
        bool m_closed = false;
    };

    bool fails(Failure failure) const { return failures.count(failure) > 0; }
    static FileSystem& real() { return systemFileSystem(); }
};

}  // namespace pelora::test
