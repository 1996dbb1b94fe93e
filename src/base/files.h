// The program's files: paths as the system names them, lines split at CR LF, CR or LF, and saving
// through a temporary file so that a failed save never destroys the file it was to replace. Every
// call to the system goes through FileSystem, which the tests replace with fakes that fail.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pelora {

// The lines of a text: a line ends at CR LF, at a lone CR or at a lone LF; a last line without an
// end counts, an end at the very end of the text adds no empty line.
std::vector<std::string> splitLines(const std::string& bytes);

// A path's name in UTF-8, and a path from its name in UTF-8: the same on every system (on
// Windows, the system's own names are UTF-16, never squeezed through a code page on the way).
std::string utf8Path(const std::filesystem::path& path);
std::filesystem::path pathFromUtf8(const std::string& utf8);

// Whether the path says where it is without the current folder: "/..." on POSIX systems, a drive
// with its root ("C:\...") or a share ("\\server\share\...") on Windows.
bool isWholePath(const std::filesystem::path& path);

// The path with its "." and ".." steps taken out; on Windows a share keeps its leading "\\"
// (std::filesystem of MinGW knows no share and would make it a folder of the current drive).
std::filesystem::path normalPath(const std::filesystem::path& path);

// A path written in Windows-1252 (the roster path of a work file) as the system names it.
std::filesystem::path nativePath(const std::string& cp1252);

// A path as the screen and the messages show it: Windows-1252, "?" for what it cannot hold.
std::string displayPath(const std::filesystem::path& path);

// The path as a work file can hold it, or nothing when Windows-1252 cannot.
std::optional<std::string> cp1252Path(const std::filesystem::path& path);

// A new file being written beside the one it is to replace: readable by its owner only and locked
// by this program while it is open, nameless or under a name of its own, so that nothing but a
// finished file ever takes the place of the old one. Closed or destroyed before `replace`, it
// leaves nothing behind.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    // Every byte, or false.
    virtual bool write(const std::string& bytes) = 0;
    // The written data on the disk, not only in the system's buffers.
    virtual bool sync() = 0;
    // Gives the file the permission bits of `like`, and its group where the system allows; where
    // `like` does not exist, the bits a new file of this program gets.
    virtual void takePermissions(const std::filesystem::path& like) = 0;
    // Puts the file in place of `target` in one step; false leaves `target` as it was.
    virtual bool replace(const std::filesystem::path& target) = 0;
    virtual void close() = 0;
    // The system's error number of the last step that failed.
    virtual int error() const = 0;
};

// A lock on a file that a running program holds until it lets go or ends.
class FileLock {
public:
    virtual ~FileLock() = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Every byte of a regular file; nothing when it cannot be opened or read, or when the path
    // names a folder, a device or a pipe (reading those could hang or never end).
    virtual std::optional<std::string> read(const std::filesystem::path& path) = 0;
    virtual bool exists(const std::filesystem::path& path) = 0;
    // The size of a regular file; nothing for anything else.
    virtual std::optional<std::uintmax_t> fileSize(const std::filesystem::path& path) = 0;
    // When a file was last written; nothing when it does not exist.
    virtual std::optional<std::filesystem::file_time_type> modified(
        const std::filesystem::path& path) = 0;
    // The names of the regular files in a folder, in no particular order.
    virtual std::vector<std::string> filesIn(const std::filesystem::path& folder) = 0;
    virtual std::filesystem::path currentFolder() = 0;
    // The file a symbolic link leads to; any other path as it is.
    virtual std::filesystem::path followLinks(const std::filesystem::path& path) = 0;
    // Whether the permission bits that apply to this user let an existing file be written. Judged
    // by the bits alone, so a user who may override them (root) is held to them too.
    virtual bool writableByPermissions(const std::filesystem::path& path) = 0;

    // A new file in `folder` (see OutputFile), named, if it must be named, `prefix` and eight
    // letters; nothing when the folder takes no new file, with the system's error number.
    virtual std::unique_ptr<OutputFile> createTemporary(const std::filesystem::path& folder,
                                                        const std::string& prefix, int& error) = 0;
    // Removes the files of `folder` that this user owns, named `prefix` and eight letters, that
    // no running program holds locked: what saves that were killed left behind.
    virtual void removeStaleTemporaries(const std::filesystem::path& folder,
                                        const std::string& prefix) = 0;
    // Holds `path` (created when missing) locked for as long as the lock lives; nothing when
    // another running program holds it or it cannot be made.
    virtual std::unique_ptr<FileLock> lock(const std::filesystem::path& path) = 0;
    // Replaces `to` by `from` in one step.
    virtual bool rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    virtual void remove(const std::filesystem::path& path) = 0;
    // The folder's list of names on the disk (after a rename).
    virtual void syncFolder(const std::filesystem::path& folder) = 0;
};

// The file system of the computer the program runs on.
FileSystem& systemFileSystem();

// How a save went: saved, or why not, in a sentence of plain Swedish (Windows-1252).
struct SaveResult {
    bool saved = false;
    std::string reason;
    explicit operator bool() const { return saved; }
};

// Why the system refused a step, for the user: "Disken är full." and the like.
std::string fileProblem(int error);

// "Kan inte spara <path>", and on a second line why.
std::string cannotSave(const std::filesystem::path& path, const SaveResult& result);

// The question before a file chosen to save to is replaced.
std::string replaceQuestion(const std::filesystem::path& path);

// Whether a saved file keeps the permission bits of the one it replaces (a work, an export) or
// is readable by its owner only (an automatic copy of the work).
enum class Sharing { LikeReplaced, Private };

// Saves the bytes as `path`. A new file is written beside it, put on the disk and renamed over
// `path`, so a failure at any step leaves `path` exactly as it was; where no new file can be made
// beside it, nothing is saved. A file whose permission bits forbid writing is not replaced. After
// a save, what earlier saves of the same file that were killed left behind is removed.
SaveResult saveFile(FileSystem& files, const std::filesystem::path& path, const std::string& bytes,
                    Sharing sharing = Sharing::LikeReplaced);

}  // namespace pelora
