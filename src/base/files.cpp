#include "base/files.h"

#include "base/codec.h"

namespace pelora {

namespace fs = std::filesystem;

std::vector<std::string> splitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(bytes.substr(start, i - start));
            i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

fs::path nativePath(const std::string& cp1252) {
    return fs::path(cp1252ToUtf8(cp1252));
}

std::string displayPath(const fs::path& path) {
    return utf8ToCp1252(path.string());
}

std::optional<std::string> cp1252Path(const fs::path& path) {
    std::string text = utf8ToCp1252(path.string());
    if (cp1252ToUtf8(text) != path.string()) return std::nullopt;
    return text;
}

namespace {

bool writeAll(OutputFile& file, const std::string& bytes) {
    const bool written = file.write(bytes) && file.sync();
    return file.close() && written;
}

}  // namespace

bool saveFile(FileSystem& files, const fs::path& path, const std::string& bytes) {
    if (path.empty()) return false;
    // Saving through a link replaces the file it leads to, not the link.
    const fs::path target = files.followLinks(path);
    const bool existing = files.exists(target);
    if (existing && !files.writableByPermissions(target)) return false;

    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    fs::path temporary;
    std::unique_ptr<OutputFile> out =
        files.createUnique(folder, "." + target.filename().string() + "-", temporary);
    if (!out) {
        // A folder that takes no new file may still let its files be written.
        if (!existing) return false;
        std::unique_ptr<OutputFile> inPlace = files.openForWriting(target);
        return inPlace && writeAll(*inPlace, bytes);
    }
    if (!writeAll(*out, bytes)) {
        files.remove(temporary);
        return false;
    }
    // The new file keeps the permissions of the one it replaces.
    if (existing) files.copyPermissions(target, temporary);
    if (!files.rename(temporary, target)) {
        files.remove(temporary);
        return false;
    }
    files.syncFolder(folder);
    return true;
}

}  // namespace pelora
