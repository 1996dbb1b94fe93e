// Saving a file: the order of the steps, and what a failure at each step leaves behind.
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <map>
#include <optional>

#include "base/codec.h"
#include "base/files.h"
#include "failing_files.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

namespace fs = std::filesystem;
using Failure = FailingFileSystem::Failure;
#if defined(_WIN32)
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

std::size_t filesIn(const TempFolder& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder.native()), fs::directory_iterator()));
}

#if !defined(_WIN32)
// The modes of the files this process has open in `folder`, named there or nameless.
std::vector<mode_t> modesOfOpenFilesIn(const fs::path& folder) {
    std::vector<mode_t> modes;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const fs::path target = fs::read_symlink(entry.path(), error);
        if (error || target.parent_path() != folder) continue;
        struct stat info {};
        if (::stat(entry.path().c_str(), &info) == 0 && S_ISREG(info.st_mode))
            modes.push_back(info.st_mode & 07777);
    }
    return modes;
}
#endif

// A failure leaves the old file untouched and no new one; where no new file can be made beside
// it, nothing is written at all.
TEST(SaveFile, TheStepsInOrderAndWhatAFailureAtEachLeavesBehind) {
    const fs::perms bits = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    const std::map<std::string, Failure> named = {{"WriteHalfway", Failure::WriteHalfway},
                                                  {"Sync", Failure::Sync},
                                                  {"Rename", Failure::Rename},
                                                  {"ReadOnly", Failure::ReadOnly},
                                                  {"NewFile", Failure::NewFile}};
    for (const auto& row : tableRows(PELORA_TEST_DATA "/tabeller/sparsteg.txt")) {
        SCOPED_TRACE(row[0] + " " + row[1]);
        const bool existing = row[1] == "1";
        const std::string& reason = row[2];
        TempFolder folder;
        const fs::path path = folder.path("val.pel");
        if (existing) fs::permissions(folder.write("val.pel", "gammalt"), bits);
        FailingFileSystem files;
        if (!row[0].empty()) files.failures = {named.at(row[0])};
        const SaveResult result = saveFile(files, path, "nytt innehåll");
        const bool saved = reason.empty();
        EXPECT_EQ(result.saved, saved);
        EXPECT_EQ(result.reason, reason);
        std::string steps;
        for (const std::string& step : files.log)
            steps += (steps.empty() ? "" : ",") + step;
        EXPECT_EQ(steps, row[3]);
        EXPECT_EQ(fileBytes(path), saved ? "nytt innehåll" : existing ? "gammalt" : "(missing)");
        EXPECT_EQ(filesIn(folder), existing || saved ? 1u : 0u);
        // An existing file keeps its bits, whether it was replaced or not (Windows has none but
        // the read-only attribute).
        if (existing && !kWindows) {
            EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, bits);
        }
    }
}

#if !defined(_WIN32)
// Permission bits, groups and symbolic links, as POSIX systems have them.
// The mode a file of this save has on the disk: while it is written readable by its owner only,
// then the bits (and the group) of the file it replaces, the bits of a new file for a new one,
// and its owner's only for an automatic copy.
TEST(SaveFile, TheFileIsPrivateWhileWrittenAndThenTakesTheReplacedFilesBits) {
    const mode_t mask = ::umask(027);
    struct Case {
        std::optional<mode_t> before;
        Sharing sharing;
        mode_t after;
    };
    const Case cases[] = {{0664, Sharing::LikeReplaced, 0664},
                          {0604, Sharing::LikeReplaced, 0604},
                          {std::nullopt, Sharing::LikeReplaced, 0640},
                          {0664, Sharing::Private, 0600}};
    for (const Case& c : cases) {
        TempFolder folder;
        const fs::path path = folder.path("val.pel");
        if (c.before) {
            folder.write("val.pel", "gammalt");
            ::chmod(path.c_str(), *c.before);
        }
        // Root may give the file any group; another user keeps the test to the bits.
        const bool grouped = c.before && ::chown(path.c_str(), static_cast<uid_t>(-1), 4321) == 0;
        FailingFileSystem files;
        std::vector<mode_t> whileWritten;
        files.duringWrite = [&] { whileWritten = modesOfOpenFilesIn(folder.native()); };
        ASSERT_TRUE(saveFile(files, path, "nytt", c.sharing));
        EXPECT_EQ(whileWritten, std::vector<mode_t>{0600});
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.after) << std::oct << c.after;
        if (grouped && c.sharing == Sharing::LikeReplaced) {
            EXPECT_EQ(info.st_gid, 4321u);
        }
    }
    ::umask(mask);
}

// Saving through a link replaces the file it leads to, held to that file's permission bits, not
// to the user's power to override them: root is held to them too.
TEST(SaveFile, ALinkIsFollowedAndThePermissionBitsAreHeldTo) {
    TempFolder folder;
    const fs::path target = folder.write("riktig.pel", "gammalt");
    const fs::path link = folder.path("länk.pel"_cp);
    fs::create_symlink(target, link);
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(systemFileSystem().writableByPermissions(target));
    EXPECT_FALSE(saveFile(systemFileSystem(), link, "nytt"));
    EXPECT_EQ(fileBytes(target), "gammalt");
    fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(saveFile(systemFileSystem(), link, "nytt"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fileBytes(target), "nytt");
}

#endif

// What killed saves of the same file left behind goes with the next save; a file another running
// save holds locked, a file of another name, and what only looks like a temporary stay.
TEST(SaveFile, ASaveRemovesTheStaleTemporariesOfItsFileOnly) {
    TempFolder folder;
    for (const char* name : {".val.pel-abcd1234", ".val.pel-zz99zz99", ".val.pel-kort",
                             ".annan.pel-abcd1234", "val.pel"})
        folder.write(name, "gammalt");
    const std::unique_ptr<FileLock> held =
        systemFileSystem().lock(folder.path(".val.pel-zz99zz99"));
    ASSERT_TRUE(held);
    EXPECT_FALSE(systemFileSystem().lock(folder.path(".val.pel-zz99zz99")));
    ASSERT_TRUE(saveFile(systemFileSystem(), folder.path("val.pel"), "nytt"));
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.native()))
        names.insert(utf8Path(entry.path().filename()));
    EXPECT_EQ(names, (std::set<std::string>{".val.pel-zz99zz99", ".val.pel-kort",
                                            ".annan.pel-abcd1234", "val.pel"}));
}

}  // namespace
}  // namespace pelora::test
