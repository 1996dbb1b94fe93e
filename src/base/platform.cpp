// The file system of a POSIX system: the one place where the program calls the system directly,
// for what the standard library cannot do (putting data on the disk, permission bits as they
// apply to this user, a new file that is certainly new).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>
#include <vector>

#include "base/files.h"

namespace pelora {

namespace fs = std::filesystem;

namespace {

class PosixFile : public OutputFile {
public:
    explicit PosixFile(int fd) : m_fd(fd) {}
    ~PosixFile() override {
        if (m_fd >= 0) ::close(m_fd);
    }

    bool write(const std::string& bytes) override {
        const char* data = bytes.data();
        std::size_t left = bytes.size();
        while (left > 0) {
            const ssize_t n = ::write(m_fd, data, left);
            if (n < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            data += n;
            left -= static_cast<std::size_t>(n);
        }
        return true;
    }

    bool sync() override { return ::fsync(m_fd) == 0; }

    bool close() override {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool inGroup(gid_t group) {
    if (group == ::getegid()) return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = ::getgroups(count, groups.data());
    for (int k = 0; k < got; ++k) {
        if (groups[static_cast<std::size_t>(k)] == group) return true;
    }
    return false;
}

class SystemFileSystem : public FileSystem {
public:
    std::optional<std::string> read(const fs::path& path) override {
        if (path.empty()) return std::nullopt;
        std::error_code error;
        if (!fs::is_regular_file(path, error)) return std::nullopt;
        std::ifstream in(path, std::ios::binary);
        if (!in) return std::nullopt;
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) return std::nullopt;
        return bytes;
    }

    bool exists(const fs::path& path) override {
        std::error_code error;
        return !path.empty() && fs::exists(path, error);
    }

    std::optional<std::uintmax_t> fileSize(const fs::path& path) override {
        std::error_code error;
        if (!fs::is_regular_file(path, error)) return std::nullopt;
        const std::uintmax_t size = fs::file_size(path, error);
        if (error) return std::nullopt;
        return size;
    }

    std::optional<fs::file_time_type> modified(const fs::path& path) override {
        std::error_code error;
        const fs::file_time_type time = fs::last_write_time(path, error);
        if (error) return std::nullopt;
        return time;
    }

    std::vector<std::string> filesIn(const fs::path& folder) override {
        std::vector<std::string> names;
        std::error_code error;
        for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
             entry.increment(error)) {
            std::error_code ignored;
            if (entry->is_regular_file(ignored)) names.push_back(entry->path().filename().string());
        }
        return names;
    }

    fs::path currentFolder() override {
        std::error_code error;
        return fs::current_path(error);
    }

    fs::path followLinks(const fs::path& path) override {
        std::error_code error;
        if (!fs::is_symlink(path, error)) return path;
        fs::path resolved = fs::weakly_canonical(path, error);
        return error ? path : resolved;
    }

    bool writableByPermissions(const fs::path& path) override {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) return true;
        if (info.st_uid == ::geteuid()) return (info.st_mode & S_IWUSR) != 0;
        if (inGroup(info.st_gid)) return (info.st_mode & S_IWGRP) != 0;
        return (info.st_mode & S_IWOTH) != 0;
    }

    std::unique_ptr<OutputFile> createUnique(const fs::path& folder, const std::string& prefix,
                                             fs::path& created) override {
        static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
        std::random_device seed;
        std::mt19937 random(seed());
        std::uniform_int_distribution<std::size_t> pick(0, sizeof letters - 2);
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = prefix;
            for (int k = 0; k < 8; ++k)
                name += letters[pick(random)];
            const fs::path candidate = folder / name;
            const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                created = candidate;
                return std::make_unique<PosixFile>(fd);
            }
            if (errno != EEXIST) return nullptr;
        }
        return nullptr;
    }

    std::unique_ptr<OutputFile> openForWriting(const fs::path& path) override {
        const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (fd < 0) return nullptr;
        return std::make_unique<PosixFile>(fd);
    }

    void copyPermissions(const fs::path& from, const fs::path& to) override {
        std::error_code error;
        const fs::file_status status = fs::status(from, error);
        if (!error) fs::permissions(to, status.permissions(), error);
    }

    bool rename(const fs::path& from, const fs::path& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0;
    }

    void remove(const fs::path& path) override {
        std::error_code error;
        fs::remove(path, error);
    }

    void syncFolder(const fs::path& folder) override {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return;
        ::fsync(fd);
        ::close(fd);
    }
};

}  // namespace

FileSystem& systemFileSystem() {
    static SystemFileSystem files;
    return files;
}

}  // namespace pelora
