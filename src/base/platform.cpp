// The file system of a POSIX system: the one place where the program calls the system directly,
// for what the standard library cannot do (putting data on the disk, permission bits as they
// apply to this user, nameless and locked files, libraries loaded when first needed, the
// heap's steps).
#include <dlfcn.h>
#include <fcntl.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <vector>

#include "base/files.h"
#include "base/heap.h"
#include "base/library.h"
#include "base/standardfiles.h"

namespace pelora {

namespace fs = std::filesystem;

namespace {

bool sameFile(int fd, const fs::path& path) {
    struct stat open {
    }, named{};
    return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

// The bits a new file of this program gets. The mask is read by setting it, which no other
// thread of the program races with: they create no files.
mode_t newFileMode() {
    const mode_t mask = ::umask(077);
    ::umask(mask);
    return 0666 & ~mask;
}

// A file being written, locked (flock) from its creation until it is closed, so that a later save
// can tell what a killed one left behind from what another running program is writing. Without
// a name until `replace` where the system makes nameless files (O_TMPFILE).
class PosixTemporary : public OutputFile {
public:
    PosixTemporary(int fd, fs::path folder, std::string prefix, fs::path named)
        : m_fd(fd),
          m_folder(std::move(folder)),
          m_prefix(std::move(prefix)),
          m_named(std::move(named)) {}
    ~PosixTemporary() override { close(); }
    PosixTemporary(const PosixTemporary&) = delete;
    PosixTemporary& operator=(const PosixTemporary&) = delete;

    bool write(const std::string& bytes) override {
        const char* data = bytes.data();
        std::size_t left = bytes.size();
        while (left > 0) {
            const ssize_t n = ::write(m_fd, data, left);
            if (n < 0) {
                if (errno == EINTR) continue;
                return failed();
            }
            data += n;
            left -= static_cast<std::size_t>(n);
        }
        return true;
    }

    bool sync() override { return ::fsync(m_fd) == 0 || failed(); }

    void takePermissions(const fs::path& like) override {
        struct stat info {};
        if (::stat(like.c_str(), &info) != 0) {
            ::fchmod(m_fd, newFileMode());
            return;
        }
        // The group first: changing it clears the set-group bit, which the mode then restores.
        if (info.st_gid != ::getegid()) {
            [[maybe_unused]] const int refused =
                ::fchown(m_fd, static_cast<uid_t>(-1), info.st_gid);
        }
        ::fchmod(m_fd, info.st_mode & 07777);
    }

    bool replace(const fs::path& target) override {
        if (m_named.empty() && !giveName()) return false;
        if (::rename(m_named.c_str(), target.c_str()) != 0) return failed();
        m_named.clear();
        return true;
    }

    void close() override {
        if (m_fd < 0) return;
        // Removed while still locked, so that no other save takes it for a stale one meanwhile.
        if (!m_named.empty()) ::unlink(m_named.c_str());
        ::close(m_fd);
        m_fd = -1;
    }

    int error() const override { return m_error; }

private:
    bool failed() {
        m_error = errno;
        return false;
    }

    // A nameless file gets a name of its own beside the target, for the rename.
    bool giveName() {
        const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const fs::path name = m_folder / (m_prefix + randomLetters());
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
                (errno != EEXIST &&
                 ::linkat(m_fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0)) {
                m_named = name;
                return true;
            }
            if (errno != EEXIST) return failed();
        }
        return failed();
    }

    int m_fd;
    fs::path m_folder;
    std::string m_prefix;
    fs::path m_named;  // the name the file has, empty while it has none or once it replaced
    int m_error = 0;
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

class SystemFileSystem : public StandardFileSystem {
public:
    bool writableByPermissions(const fs::path& path) override {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) return true;
        if (info.st_uid == ::geteuid()) return (info.st_mode & S_IWUSR) != 0;
        if (inGroup(info.st_gid)) return (info.st_mode & S_IWGRP) != 0;
        return (info.st_mode & S_IWOTH) != 0;
    }

    std::unique_ptr<OutputFile> createTemporary(const fs::path& folder, const std::string& prefix,
                                                int& error) override {
        int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX);
            return std::make_unique<PosixTemporary>(fd, folder, prefix, fs::path());
        }
        // Where the file system makes no nameless files, a named one; any other failure would
        // refuse a named file too.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            error = errno;
            return nullptr;
        }
        for (int attempt = 0; attempt < 100; ++attempt) {
            const fs::path name = folder / (prefix + randomLetters());
            fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd < 0) {
                if (errno == EEXIST) continue;
                error = errno;
                return nullptr;
            }
            ::flock(fd, LOCK_EX);
            // Another save may have taken it for a stale one before the lock was held.
            if (sameFile(fd, name))
                return std::make_unique<PosixTemporary>(fd, folder, prefix, name);
            ::close(fd);
        }
        error = EEXIST;
        return nullptr;
    }

    void removeStaleTemporaries(const fs::path& folder, const std::string& prefix) override {
        for (const std::string& name : filesIn(folder)) {
            if (name.size() != prefix.size() + 8 || !name.starts_with(prefix)) continue;
            const fs::path path = folder / pathFromUtf8(name);
            const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0) continue;
            struct stat info {};
            if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
                ::flock(fd, LOCK_EX | LOCK_NB) == 0 && sameFile(fd, path)) {
                ::unlink(path.c_str());
            }
            ::close(fd);
        }
    }

    std::unique_ptr<FileLock> lock(const fs::path& path) override {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) return nullptr;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return nullptr;
        }
        return std::make_unique<HeldLock>([fd] { ::close(fd); });
    }

    bool rename(const fs::path& from, const fs::path& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0;
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

void* openSharedLibrary(const char* name) {
    // Local: its names stay its own; now: a missing symbol shows at once, not in the middle of a
    // call.
    return ::dlopen(name, RTLD_NOW | RTLD_LOCAL);
}

void* sharedLibrarySymbol(void* library, const char* symbol) {
    return library == nullptr ? nullptr : ::dlsym(library, symbol);
}

namespace {

int largeHeapHolders = 0;

}  // namespace

LargeHeapSteps::LargeHeapSteps() {
#if defined(__GLIBC__)
    if (largeHeapHolders++ == 0) ::mallopt(M_TOP_PAD, 64 * 1024 * 1024);
#endif
}

LargeHeapSteps::~LargeHeapSteps() {
#if defined(__GLIBC__)
    if (--largeHeapHolders == 0) {
        ::mallopt(M_TOP_PAD, 128 * 1024);  // glibc's own default
        ::malloc_trim(0);
    }
#endif
}

}  // namespace pelora
