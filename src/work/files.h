// Reading and writing the program's 8-bit text files: whole files in and out, lines split at
// CR LF, CR or LF, and saving through a temporary file so that a failed save never destroys the
// file it was to replace. Paths are Windows-1252 text as everywhere in the core.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pelora {

// The path as the file system names it (file names are UTF-8 on the systems Pelora runs on).
std::filesystem::path nativePath(const std::string& path);

// Every byte of a regular file; nothing when it cannot be opened or read, or when the path names
// a folder, a device or a pipe (reading those could hang or never end).
std::optional<std::string> readFileBytes(const std::string& path);

// The lines of a text: a line ends at CR LF, at a lone CR or at a lone LF; a last line without an
// end counts, an end at the very end of the text adds no empty line.
std::vector<std::string> splitLines(const std::string& bytes);

bool fileExists(const std::string& path);

// A relative path is taken from the folder the file `beside` lies in: "elever.txt" beside
// "/skola/val.pel" is "/skola/elever.txt". Absolute paths, and any path when `beside` has no
// folder, come back unchanged.
std::string pathBeside(const std::string& beside, const std::string& path);

bool isRelativePath(const std::string& path);

// The temporary file a save writes before it replaces `path`: beside it, with ".tmp" added.
std::string temporaryPathFor(const std::string& path);

// Writes the bytes to the temporary file beside `path`, closes it and renames it over `path`.
// On failure the temporary file is removed again and `path` is left exactly as it was.
bool writeFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace pelora
