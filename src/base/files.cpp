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

std::string utf8Path(const fs::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

fs::path pathFromUtf8(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

namespace {

#if defined(_WIN32)
bool separator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// "\\server\share...", not "\\?\..." nor "\\\...".
bool onShare(const std::wstring& name) {
    return name.size() > 2 && separator(name[0]) && separator(name[1]) && !separator(name[2]) &&
           name[2] != L'?' && name[2] != L'.';
}
#endif

}  // namespace

bool isWholePath(const fs::path& path) {
#if defined(_WIN32)
    if (onShare(path.native())) return true;
#endif
    return path.is_absolute();
}

fs::path normalPath(const fs::path& path) {
#if defined(_WIN32)
    if (onShare(path.native())) return fs::path(L"\\") += path.lexically_normal();
#endif
    return path.lexically_normal();
}

fs::path nativePath(const std::string& cp1252) {
    return pathFromUtf8(cp1252ToUtf8(cp1252));
}

std::string displayPath(const fs::path& path) {
    return utf8ToCp1252(utf8Path(path));
}

std::optional<std::string> cp1252Path(const fs::path& path) {
    const std::string utf8 = utf8Path(path);
    std::string text = utf8ToCp1252(utf8);
    if (cp1252ToUtf8(text) != utf8) return std::nullopt;
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
        case EBUSY:
            return "Filen används av ett annat program."_cp;
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
    const std::string prefix = "." + utf8Path(target.filename()) + "-";
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
