// The file system of Windows: the one place where the program calls the system directly on
// Windows, as platform.cpp does on POSIX systems. Paths go to the system in UTF-16, as
// std::filesystem holds them there. A file being saved is written beside its target with access
// for its owner alone, given the replaced file's security, put on the disk and then put in the
// target's place in one step by MoveFileExW with MOVEFILE_WRITE_THROUGH; a failure at any step
// leaves the target as it was. (ReplaceFileW would keep the security itself, but where the target
// is open in another program it can fail with a file of its own left in the folder.)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

#include "base/files.h"
#include "base/heap.h"
#include "base/library.h"
#include "base/standardfiles.h"

namespace pelora {

namespace fs = std::filesystem;

namespace {

// The error numbers the program tells the user about, from the system's own.
int errorNumber(DWORD error) {
    switch (error) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_ACCESS_DENIED:
            return EACCES;
        // Another program has the file open and lets nobody else write it.
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return EBUSY;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return ENOENT;
        case ERROR_DIRECTORY:
            return ENOTDIR;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_TOO_MANY_OPEN_FILES:
            return EMFILE;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        default:
            return EIO;
    }
}

// The user this program runs as, as the system's token tells it.
class ThisUser {
public:
    ThisUser() {
        HANDLE token = nullptr;
        if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return;
        DWORD size = 0;
        ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
        m_buffer.resize(size);
        if (size == 0 || !::GetTokenInformation(token, TokenUser, m_buffer.data(), size, &size))
            m_buffer.clear();
        ::CloseHandle(token);
    }
    // Nothing where the token could not be read.
    PSID sid() const {
        if (m_buffer.size() < sizeof(TOKEN_USER)) return nullptr;
        TOKEN_USER user;
        std::memcpy(&user, m_buffer.data(), sizeof user);
        return user.User.Sid;
    }

private:
    std::vector<unsigned char> m_buffer;
};

// Access for this user alone, not inherited from the folder.
class OwnerOnly {
public:
    OwnerOnly() {
        const ThisUser user;
        LPWSTR sid = nullptr;
        if (user.sid() == nullptr || !::ConvertSidToStringSidW(user.sid(), &sid)) return;
        const std::wstring sddl = std::wstring(L"D:P(A;;FA;;;") + sid + L")";
        ::LocalFree(sid);
        if (::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                                   &m_descriptor, nullptr)) {
            m_attributes.lpSecurityDescriptor = m_descriptor;
        }
    }
    ~OwnerOnly() {
        if (m_descriptor != nullptr) ::LocalFree(m_descriptor);
    }
    OwnerOnly(const OwnerOnly&) = delete;
    OwnerOnly& operator=(const OwnerOnly&) = delete;
    SECURITY_ATTRIBUTES* attributes() { return &m_attributes; }

private:
    PSECURITY_DESCRIPTOR m_descriptor = nullptr;
    SECURITY_ATTRIBUTES m_attributes{sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
};

// Whether the file is owned by the user this program runs as.
bool ownedByThisUser(HANDLE file) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                          nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    const ThisUser user;
    const bool same = user.sid() != nullptr && ::EqualSid(owner, user.sid()) != FALSE;
    ::LocalFree(descriptor);
    return same;
}

// A file being written, open for this program alone: no other program can open, move or delete
// it while it is written, so a later save can tell what a killed one left behind (which it can
// delete) from what another running program is writing (which it cannot).
class WindowsTemporary : public OutputFile {
public:
    WindowsTemporary(HANDLE file, fs::path named) : m_file(file), m_named(std::move(named)) {}
    ~WindowsTemporary() override { close(); }
    WindowsTemporary(const WindowsTemporary&) = delete;
    WindowsTemporary& operator=(const WindowsTemporary&) = delete;

    bool write(const std::string& bytes) override {
        const char* data = bytes.data();
        std::size_t left = bytes.size();
        while (left > 0) {
            const DWORD step = static_cast<DWORD>(std::min<std::size_t>(left, 1u << 30));
            DWORD written = 0;
            if (!::WriteFile(m_file, data, step, &written, nullptr)) return failed();
            data += written;
            left -= written;
        }
        return true;
    }

    bool sync() override { return ::FlushFileBuffers(m_file) || failed(); }

    // The access list of the file it replaces (who else may read and write the work), or, for
    // a new file, what its folder gives new files.
    void takePermissions(const fs::path& like) override {
        PACL access = nullptr;
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (::GetNamedSecurityInfoW(like.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                    nullptr, nullptr, &access, nullptr,
                                    &descriptor) == ERROR_SUCCESS) {
            SECURITY_DESCRIPTOR_CONTROL control = 0;
            DWORD revision = 0;
            ::GetSecurityDescriptorControl(descriptor, &control, &revision);
            const SECURITY_INFORMATION inheritance = (control & SE_DACL_PROTECTED) != 0
                                                         ? PROTECTED_DACL_SECURITY_INFORMATION
                                                         : UNPROTECTED_DACL_SECURITY_INFORMATION;
            ::SetSecurityInfo(m_file, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | inheritance,
                              nullptr, nullptr, access, nullptr);
            ::LocalFree(descriptor);
            return;
        }
        ACL empty;
        if (::InitializeAcl(&empty, sizeof empty, ACL_REVISION)) {
            ::SetSecurityInfo(m_file, SE_FILE_OBJECT,
                              DACL_SECURITY_INFORMATION | UNPROTECTED_DACL_SECURITY_INFORMATION,
                              nullptr, nullptr, &empty, nullptr);
        }
    }

    bool replace(const fs::path& target) override {
        // The system moves only a closed file; the data is on the disk already.
        closeHandle();
        const DWORD existing = ::GetFileAttributesW(target.c_str());
        // A folder of that name is never replaced.
        if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            m_error = EISDIR;
            return false;
        }
        if (!::MoveFileExW(m_named.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            DWORD why = ::GetLastError();
            // The system says "access denied" also where another program has the file open;
            // that is told as such, since closing it there lets the save go through.
            if (why == ERROR_ACCESS_DENIED && existing != INVALID_FILE_ATTRIBUTES) {
                const HANDLE probe = ::CreateFileW(
                    target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
                if (probe != INVALID_HANDLE_VALUE) {
                    ::CloseHandle(probe);
                } else if (::GetLastError() == ERROR_SHARING_VIOLATION) {
                    why = ERROR_SHARING_VIOLATION;
                }
            }
            m_error = errorNumber(why);
            return false;
        }
        m_named.clear();
        return true;
    }

    void close() override {
        // Not put in place: removed through its own handle, which may delete it, as it closes.
        if (!m_named.empty() && m_file != INVALID_HANDLE_VALUE) {
            FILE_DISPOSITION_INFO dispose{TRUE};
            if (::SetFileInformationByHandle(m_file, FileDispositionInfo, &dispose, sizeof dispose))
                m_named.clear();
        }
        closeHandle();
        if (!m_named.empty()) ::DeleteFileW(m_named.c_str());
        m_named.clear();
    }

    int error() const override { return m_error; }

private:
    bool failed() {
        m_error = errorNumber(::GetLastError());
        return false;
    }

    void closeHandle() {
        if (m_file == INVALID_HANDLE_VALUE) return;
        ::CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
    }

    HANDLE m_file;
    fs::path m_named;  // empty once it replaced its target or was removed
    int m_error = 0;
};

class SystemFileSystem : public StandardFileSystem {
public:
    // The read-only attribute is what refuses a save on Windows; what the folder's security
    // allows shows when the save tries.
    bool writableByPermissions(const fs::path& path) override {
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
    }

    std::unique_ptr<OutputFile> createTemporary(const fs::path& folder, const std::string& prefix,
                                                int& error) override {
        // No name in a Windows folder is longer than 255 UTF-16 units; the system says only
        // that the path is not found.
        if (pathFromUtf8(prefix + randomLetters()).wstring().size() > 255) {
            error = ENAMETOOLONG;
            return nullptr;
        }
        OwnerOnly security;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const fs::path name = folder / pathFromUtf8(prefix + randomLetters());
            // Shared for reading only: nobody else may write, move or delete it while it is open.
            const HANDLE file = ::CreateFileW(
                name.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE | WRITE_DAC, FILE_SHARE_READ,
                security.attributes(), CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) return std::make_unique<WindowsTemporary>(file, name);
            const DWORD why = ::GetLastError();
            if (why == ERROR_FILE_EXISTS || why == ERROR_ALREADY_EXISTS) continue;
            error = errorNumber(why);
            return nullptr;
        }
        error = EEXIST;
        return nullptr;
    }

    void removeStaleTemporaries(const fs::path& folder, const std::string& prefix) override {
        for (const std::string& name : filesIn(folder)) {
            if (name.size() != prefix.size() + 8 || !name.starts_with(prefix)) continue;
            const fs::path path = folder / pathFromUtf8(name);
            // A file that a running save holds open cannot be opened here at all.
            const HANDLE file =
                ::CreateFileW(path.c_str(), DELETE | READ_CONTROL, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
            if (file == INVALID_HANDLE_VALUE) continue;
            BY_HANDLE_FILE_INFORMATION info{};
            const bool plainFile = ::GetFileInformationByHandle(file, &info) &&
                                   (info.dwFileAttributes &
                                    (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
            if (plainFile && ownedByThisUser(file)) {
                FILE_DISPOSITION_INFO dispose{TRUE};
                ::SetFileInformationByHandle(file, FileDispositionInfo, &dispose, sizeof dispose);
            }
            ::CloseHandle(file);
        }
    }

    std::unique_ptr<FileLock> lock(const fs::path& path) override {
        OwnerOnly security;
        const HANDLE file = ::CreateFileW(
            path.c_str(), GENERIC_READ | GENERIC_WRITE,
            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, security.attributes(),
            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (file == INVALID_HANDLE_VALUE) return nullptr;
        OVERLAPPED whole{};
        if (!::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                          MAXDWORD, &whole)) {
            ::CloseHandle(file);
            return nullptr;
        }
        return std::make_unique<HeldLock>([file] { ::CloseHandle(file); });
    }

    bool rename(const fs::path& from, const fs::path& to) override {
        return ::MoveFileExW(from.c_str(), to.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    }

    // The rename was written through already; Windows keeps no separate list of names to flush.
    void syncFolder(const fs::path&) override {}
};

}  // namespace

FileSystem& systemFileSystem() {
    static SystemFileSystem files;
    return files;
}

void* openSharedLibrary(const char* name) {
    // From the program's folder and the system's, never from the current folder.
    return reinterpret_cast<void*>(
        ::LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS));
}

void* sharedLibrarySymbol(void* library, const char* symbol) {
    if (library == nullptr) return nullptr;
    const FARPROC found = ::GetProcAddress(static_cast<HMODULE>(library), symbol);
    void* address = nullptr;
    static_assert(sizeof address == sizeof found);
    std::memcpy(&address, &found, sizeof address);
    return address;
}

// Windows' heap hands memory back to the system in its own steps.
LargeHeapSteps::LargeHeapSteps() = default;
LargeHeapSteps::~LargeHeapSteps() = default;

}  // namespace pelora
