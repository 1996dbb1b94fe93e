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

// A path written in Windows-1252 (the roster path of a work file) as the system names it.
std::filesystem::path nativePath(const std::string& cp1252);

// A path as the screen and the messages show it: Windows-1252, "?" for what it cannot hold.
std::string displayPath(const std::filesystem::path& path);

// The path as a work file can hold it, or nothing when Windows-1252 cannot.
std::optional<std::string> cp1252Path(const std::filesystem::path& path);

// A file being written.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    // Every byte, or false.
    virtual bool write(const std::string& bytes) = 0;
    // The written data on the disk, not only in the system's buffers.
    virtual bool sync() = 0;
    virtual bool close() = 0;
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

    // A new, empty file in `folder` with a name of its own beginning with `prefix`; nothing when
    // the folder takes no new file. `created` receives its path.
    virtual std::unique_ptr<OutputFile> createUnique(const std::filesystem::path& folder,
                                                     const std::string& prefix,
                                                     std::filesystem::path& created) = 0;
    // An existing file emptied for writing; nothing when it cannot be.
    virtual std::unique_ptr<OutputFile> openForWriting(const std::filesystem::path& path) = 0;
    // The permission bits of `from` given to `to`.
    virtual void copyPermissions(const std::filesystem::path& from,
                                 const std::filesystem::path& to) = 0;
    // Replaces `to` by `from` in one step.
    virtual bool rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    virtual void remove(const std::filesystem::path& path) = 0;
    // The folder's list of names on the disk (after a rename).
    virtual void syncFolder(const std::filesystem::path& folder) = 0;
};

// The file system of the computer the program runs on.
FileSystem& systemFileSystem();

// Saves the bytes as `path`. A new file is written beside it under a name of its own, put on the
// disk and renamed over `path`, so a failure at any step leaves `path` exactly as it was. Where
// the folder takes no new file, an existing file is written in place instead. A file whose
// permission bits forbid writing is not replaced. False when the bytes were not saved.
bool saveFile(FileSystem& files, const std::filesystem::path& path, const std::string& bytes);

}  // namespace pelora
