// Saving a file: the order of the steps, and what a failure at each step leaves behind.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "base/files.h"
#include "failing_files.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

namespace fs = std::filesystem;
using Failure = FailingFileSystem::Failure;

std::size_t filesIn(const TempFolder& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder.native()), fs::directory_iterator()));
}

// The failures (none: a plain save), whether the file existed, whether it is saved, and the steps
// taken. A failure leaves the old file and no new one; a new file keeps the old one's permissions.
TEST(SaveFile, TheStepsInOrderAndWhatAFailureAtEachLeavesBehind) {
    const fs::perms bits = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    const std::tuple<std::set<Failure>, bool, bool, std::vector<std::string>> cases[] = {
        {{}, true, true, {"create", "write", "sync", "close", "rename", "sync folder"}},
        {{Failure::WriteHalfway}, true, false, {"create", "write", "close", "remove"}},
        {{Failure::Sync}, true, false, {"create", "write", "sync", "close", "remove"}},
        {{Failure::Rename}, true, false, {"create", "write", "sync", "close", "rename", "remove"}},
        {{Failure::ReadOnly}, true, false, {}},
        // A folder that takes no new file: an existing file is written in place, after the whole
        // text was built; a new one cannot be made at all.
        {{Failure::NewFile}, true, true, {"create", "open in place", "write", "sync", "close"}},
        {{Failure::NewFile}, false, false, {"create"}}};
    for (const auto& [failures, existing, saved, steps] : cases) {
        SCOPED_TRACE(testing::PrintToString(steps));
        TempFolder folder;
        const fs::path path = folder.path("val.pel");
        if (existing) fs::permissions(folder.write("val.pel", "gammalt"), bits);
        FailingFileSystem files;
        files.failures = failures;
        EXPECT_EQ(saveFile(files, path, "nytt innehåll"), saved);
        EXPECT_EQ(files.log, steps);
        EXPECT_EQ(fileBytes(path), saved ? "nytt innehåll" : existing ? "gammalt" : "(missing)");
        EXPECT_EQ(filesIn(folder), existing ? 1u : 0u);
        // An existing file keeps its bits, whether it was replaced or not.
        EXPECT_EQ(existing ? fs::status(path).permissions() & fs::perms::all : bits, bits);
    }
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

}  // namespace
}  // namespace pelora::test
