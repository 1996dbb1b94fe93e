// Saving and reading on Windows itself: names in UTF-16 with letters Windows-1252 lacks, bytes
// kept exactly (no text mode turns LF into CR LF), and what refuses a save there.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "base/codec.h"
#include "base/files.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

namespace fs = std::filesystem;

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(utf8Path(entry.path().filename()));
    return names;
}

// A folder named with a letter outside Windows-1252 holds a work named with å, ä and ö: the bytes
// go to the disk and come back exactly, and nothing but the work is left beside it.
TEST(WindowsFiles, NamesWindows1252CannotHoldAndBytesAsTheyAre) {
    TempFolder folder;
    const fs::path place = folder.native() / "Läsår Ω"_path;
    fs::create_directory(place);
    const fs::path work = place / "val-åäö.pel"_path;
    EXPECT_TRUE(work.wstring().ends_with(L"\\Läsår Ω\\val-åäö.pel"));
    const std::string bytes =
        std::string("AKTIVITET: Val\r\nSKOLA: Sk\xF6lan\r\nrad\nrad\rslut\x1A") + '\0' + "x";
    FileSystem& files = systemFileSystem();
    for (const char* content : {"gammalt", ""}) {
        SCOPED_TRACE(content);
        std::ofstream(work, std::ios::binary) << content;
        ASSERT_TRUE(saveFile(files, work, bytes));
        EXPECT_EQ(files.read(work), bytes);
        EXPECT_EQ(fileBytes(work), bytes);
        EXPECT_EQ(namesIn(place), std::set<std::string>{"val-åäö.pel"});
    }
    EXPECT_EQ(files.filesIn(place), std::vector<std::string>{"val-åäö.pel"});
    // Shown with "?" for what Windows-1252 lacks, and never held as a roster path.
    EXPECT_TRUE(displayPath(work).ends_with("\\Läsår ?\\val-åäö.pel"_cp));
    EXPECT_FALSE(cp1252Path(work));
    EXPECT_TRUE(cp1252Path(folder.native() / "val-åäö.pel"_path)
                    .value_or("")
                    .ends_with("\\val-åäö.pel"_cp));
}

// What refuses a save, and what each leaves: the old file as it was, no temporary beside it.
TEST(WindowsFiles, ARefusedSaveLeavesTheFileAsItWas) {
    struct Case {
        const char* what;
        std::string reason;
    };
    const Case cases[] = {
        {"read-only", "Filen är skrivskyddad."_cp},
        {"open elsewhere", "Filen används av ett annat program."_cp},
        {"folder", "Det finns en mapp med det namnet."_cp},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const fs::path path = folder.path("val.pel");
        HANDLE held = INVALID_HANDLE_VALUE;
        const std::string what = c.what;
        if (what == "folder") {
            fs::create_directory(path);
        } else {
            folder.write("val.pel", "gammalt");
        }
        if (what == "read-only") ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        if (what == "open elsewhere") {
            // As a spreadsheet program holds a file it has open: others may read it, no more.
            held = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
        }
        const SaveResult result = saveFile(systemFileSystem(), path, "nytt");
        if (held != INVALID_HANDLE_VALUE) ::CloseHandle(held);
        EXPECT_FALSE(result.saved);
        EXPECT_EQ(result.reason, c.reason);
        if (what != "folder") {
            EXPECT_EQ(fileBytes(path), "gammalt");
        }
        EXPECT_EQ(namesIn(folder.native()), std::set<std::string>{"val.pel"});
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// A save that runs holds its temporary open for itself alone: another save of the same file
// leaves it, and removes what a killed save left; the recovery copy's lock is held the same way.
TEST(WindowsFiles, TemporariesAndLocksOfProgramsThatRun) {
    TempFolder folder;
    FileSystem& files = systemFileSystem();
    folder.write("val.pel", "gammalt");
    folder.write(".val.pel-abcd1234", "kvar efter en avbruten sparning");
    int error = 0;
    std::unique_ptr<OutputFile> running =
        files.createTemporary(folder.native(), ".val.pel-", error);
    ASSERT_TRUE(running);
    ASSERT_TRUE(running->write("halvfärdigt"_cp));
    ASSERT_TRUE(saveFile(files, folder.path("val.pel"), "nytt"));
    std::set<std::string> names = namesIn(folder.native());
    EXPECT_EQ(names.size(), 2u);
    EXPECT_EQ(names.count("val.pel"), 1u);
    EXPECT_EQ(names.count(".val.pel-abcd1234"), 0u);
    running->close();
    EXPECT_EQ(namesIn(folder.native()), std::set<std::string>{"val.pel"});

    const fs::path lockFile = folder.path("kopia.lock");
    std::unique_ptr<FileLock> held = files.lock(lockFile);
    ASSERT_TRUE(held);
    EXPECT_FALSE(files.lock(lockFile));
    held.reset();
    EXPECT_TRUE(files.lock(lockFile));
}

}  // namespace
}  // namespace pelora::test
