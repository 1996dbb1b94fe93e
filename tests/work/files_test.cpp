#include "work/files.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace pelora::test {
namespace {

namespace fs = std::filesystem;

struct SplitCase {
    std::string bytes;
    std::vector<std::string> lines;
};

TEST(SplitLines, EndsLinesAtCrLfLoneCrAndLoneLf) {
    const SplitCase cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"a\n\rb", {"a", "", "b"}},  // LF then CR: two line ends
        {"\r\n\r\n", {"", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\tb \r\n", {"a\tb "}},
        {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
    };
    for (const SplitCase& c : cases) {
        EXPECT_EQ(splitLines(c.bytes), c.lines) << "bytes \"" << c.bytes << "\"";
    }
}

TEST(PathBeside, TakesARelativePathFromTheOtherFilesFolder) {
    EXPECT_EQ(pathBeside("/skola/val.pel", "elever.txt"), "/skola/elever.txt");
    EXPECT_EQ(pathBeside("/skola/val.pel", "listor/elever.txt"), "/skola/listor/elever.txt");
    EXPECT_EQ(pathBeside("/skola/val.pel", "/annan/elever.txt"), "/annan/elever.txt");
    EXPECT_EQ(pathBeside("val.pel", "elever.txt"), "elever.txt");
    EXPECT_EQ(pathBeside("", "elever.txt"), "elever.txt");
    EXPECT_EQ(pathBeside("/skola/val.pel", ""), "");
    EXPECT_EQ(pathBeside("/skolår/val.pel"_cp, "elevlista ö.txt"_cp), "/skolår/elevlista ö.txt"_cp);
}

TEST(ReadFileBytes, ReadsEveryByteOfARegularFileOnly) {
    TempFolder folder;
    const std::string bytes("\x80\r\n\0\xff", 5);
    EXPECT_EQ(readFileBytes(folder.write("å.txt"_cp, bytes)), bytes);
    EXPECT_EQ(readFileBytes(folder.write("tom.txt", "")), std::string());
    EXPECT_EQ(readFileBytes(folder.path("saknas.txt")), std::nullopt);
    EXPECT_EQ(readFileBytes(folder.path("")), std::nullopt);  // the folder itself
    EXPECT_EQ(readFileBytes(""), std::nullopt);
    EXPECT_EQ(readFileBytes("/dev/zero"), std::nullopt);  // would never end
}

TEST(WriteFileAtomically, ReplacesTheFileAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.write("val.pel", "gammalt");
    ASSERT_TRUE(writeFileAtomically(path, "nytt\r\n"));
    EXPECT_EQ(fileBytes(path), "nytt\r\n");
    EXPECT_FALSE(fs::exists(folder.native() / "val.pel.tmp"));
    EXPECT_EQ(temporaryPathFor(path), path + ".tmp");

    const std::string fresh = folder.path("ny fil ö.pel"_cp);
    ASSERT_TRUE(writeFileAtomically(fresh, "x"));
    EXPECT_EQ(fileBytes(fresh), "x");
}

TEST(WriteFileAtomically, AFailureLeavesTheOldFileByteForByte) {
    TempFolder folder;
    const std::string old("AKTIVITET: Val\r\n\x80 gammalt", 24);
    const std::string path = folder.write("val.pel", old);

    // The temporary file cannot be created where a folder of its name stands.
    fs::create_directory(folder.native() / "val.pel.tmp");
    EXPECT_FALSE(writeFileAtomically(path, "nytt"));
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_TRUE(fs::is_directory(folder.native() / "val.pel.tmp"));  // not ours to remove

    // Renaming over a folder fails too; the temporary file is cleaned away.
    fs::create_directory(folder.native() / "mapp.pel");
    EXPECT_FALSE(writeFileAtomically(folder.path("mapp.pel"), "nytt"));
    EXPECT_FALSE(fs::exists(folder.native() / "mapp.pel.tmp"));

    EXPECT_FALSE(writeFileAtomically(folder.path("saknas/val.pel"), "nytt"));
    EXPECT_FALSE(writeFileAtomically("", "nytt"));
}

TEST(WriteFileAtomically, KeepsThePermissionsAndWritesThroughALink) {
    TempFolder folder;
    const std::string path = folder.write("val.pel", "gammalt");
    fs::permissions(folder.native() / "val.pel", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(folder.native() / "val.pel", folder.native() / "länk.pel");

    ASSERT_TRUE(writeFileAtomically(folder.path("länk.pel"_cp), "nytt"));
    EXPECT_TRUE(fs::is_symlink(folder.native() / "länk.pel"));
    EXPECT_EQ(fileBytes(path), "nytt");
    EXPECT_EQ(fs::status(folder.native() / "val.pel").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
}

}  // namespace
}  // namespace pelora::test
