#include "base/files.h"

#include <cerrno>

#include "base/codec.h"
#include "base/text.h"

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

std::string fileProblem(int error) {
    switch (error) {
        case ENOSPC:
            return "Disken är full."_cp;
#ifdef EDQUOT
        case EDQUOT:
            return "Ditt utrymme på disken är slut."_cp;
#endif
        case EACCES:
        case EPERM:
            return "Du har inte behörighet att skriva där."_cp;
        case EROFS:
            return "Disken är skrivskyddad och går bara att läsa från."_cp;
        case EIO:
            return "Disken svarade med ett skrivfel."_cp;
        case ENOENT:
        case ENOTDIR:
            return "Mappen finns inte."_cp;
        case EISDIR:
            return "Det finns en mapp med det namnet."_cp;
        case ENAMETOOLONG:
            return "Namnet är för långt."_cp;
        case EMFILE:
        case ENFILE:
            return "För många filer är öppna."_cp;
        default:
            return "Systemet gav felkod "_cp + std::to_string(error) + ".";
    }
}

std::string replaceQuestion(const fs::path& path) {
    return displayPath(path) +
           ". Fil med detta namn finns redan. Vill du ersätta befintlig fil?"_cp;
}

std::string cannotSave(const fs::path& path, const SaveResult& result) {
    return "Kan inte spara " + displayPath(path) + CRLF + result.reason;
}

SaveResult saveFile(FileSystem& files, const fs::path& path, const std::string& bytes,
                    Sharing sharing) {
    if (path.empty()) return {false, fileProblem(ENOENT)};
    // Saving through a link replaces the file it leads to, not the link.
    const fs::path target = files.followLinks(path);
    if (files.exists(target) && !files.writableByPermissions(target))
        return {false, "Filen är skrivskyddad."_cp};

    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    const std::string prefix = "." + target.filename().string() + "-";
    int error = 0;
    std::unique_ptr<OutputFile> out = files.createTemporary(folder, prefix, error);
    if (!out) return {false, fileProblem(error)};
    const auto failed = [&out] {
        const int code = out->error();
        out->close();
        return SaveResult{false, fileProblem(code)};
    };
    if (!out->write(bytes)) return failed();
    if (sharing == Sharing::LikeReplaced) out->takePermissions(target);
    if (!out->sync() || !out->replace(target)) return failed();
    files.syncFolder(folder);
    out->close();
    files.removeStaleTemporaries(folder, prefix);
    return {true, {}};
}

}  // namespace pelora
