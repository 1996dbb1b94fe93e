#include "base/standardfiles.h"

#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace pelora {

namespace fs = std::filesystem;

std::string randomLetters() {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof letters - 2);
    std::string name;
    for (int k = 0; k < 8; ++k)
        name += letters[pick(random)];
    return name;
}

std::optional<std::string> StandardFileSystem::read(const fs::path& path) {
    if (path.empty()) return std::nullopt;
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool StandardFileSystem::exists(const fs::path& path) {
    std::error_code error;
    return !path.empty() && fs::exists(path, error);
}

std::optional<std::uintmax_t> StandardFileSystem::fileSize(const fs::path& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return std::nullopt;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) return std::nullopt;
    return size;
}

std::optional<fs::file_time_type> StandardFileSystem::modified(const fs::path& path) {
    std::error_code error;
    const fs::file_time_type time = fs::last_write_time(path, error);
    if (error) return std::nullopt;
    return time;
}

std::vector<std::string> StandardFileSystem::filesIn(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code ignored;
        if (entry->is_regular_file(ignored)) names.push_back(utf8Path(entry->path().filename()));
    }
    return names;
}

fs::path StandardFileSystem::currentFolder() {
    std::error_code error;
    return fs::current_path(error);
}

fs::path StandardFileSystem::followLinks(const fs::path& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) return path;
    fs::path resolved = fs::weakly_canonical(path, error);
    return error ? path : resolved;
}

void StandardFileSystem::remove(const fs::path& path) {
    std::error_code error;
    fs::remove(path, error);
}

}  // namespace pelora
