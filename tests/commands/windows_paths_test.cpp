// The roster path of a work on Windows: drive letters, UNC shares and "\" separators, a roster
// named without a folder found beside the work, and one Windows-1252 cannot hold kept as typed.
#include <gtest/gtest.h>

#include <set>

#include "base/codec.h"
#include "commands/app.h"
#include "commands/readroster.h"
#include "failing_files.h"
#include "scripted_desktop.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

namespace fs = std::filesystem;

// Files that exist, the rest of the system as it is.
class KnownFiles : public FailingFileSystem {
public:
    std::set<fs::path> there;
    bool exists(const Path& path) override { return there.count(path.lexically_normal()) > 0; }
    Path currentFolder() override { return "C:\\Användare\\Åsa"_path; }
};

TEST(WindowsRosterPaths, DrivesSharesAndSeparators) {
    struct Case {
        std::string work;    // the work file's path
        std::string roster;  // the ELEVLISTA line
        std::vector<std::string> existing;
        std::string location;  // where it is read from
        std::string saved;     // what the line says once the work is saved elsewhere
    };
    const Case cases[] = {
        {"D:\\Arbeten\\Läsår\\val.pel",
         "elever.txt",
         {"D:\\Arbeten\\Läsår\\elever.txt"},
         "D:\\Arbeten\\Läsår\\elever.txt",
         "D:\\Arbeten\\Läsår\\elever.txt"},
        {"D:\\Arbeten\\Läsår\\val.pel",
         "Klasser/7A.txt",
         {"D:\\Arbeten\\Läsår\\Klasser\\7A.txt"},
         "D:\\Arbeten\\Läsår\\Klasser\\7A.txt",
         "D:\\Arbeten\\Läsår\\Klasser\\7A.txt"},
        {"D:\\Arbeten\\Läsår\\val.pel",
         "..\\elever.txt",
         {"D:\\Arbeten\\elever.txt"},
         "D:\\Arbeten\\Läsår\\..\\elever.txt",
         "D:\\Arbeten\\elever.txt"},
        // Not beside the work: the current folder's.
        {"D:\\Arbeten\\val.pel", "elever.txt", {}, "elever.txt", "C:\\Användare\\Åsa\\elever.txt"},
        // A drive's root without its letter: the work's drive.
        {"D:\\Arbeten\\val.pel",
         "\\Elevlistor\\elever.txt",
         {"D:\\Elevlistor\\elever.txt"},
         "D:\\Elevlistor\\elever.txt",
         "D:\\Elevlistor\\elever.txt"},
        // Whole paths stay as they are.
        {"D:\\Arbeten\\val.pel",
         "C:\\Skola\\elever.txt",
         {"D:\\Arbeten\\C:\\Skola\\elever.txt"},
         "C:\\Skola\\elever.txt",
         "C:\\Skola\\elever.txt"},
        {"D:\\Arbeten\\val.pel",
         "\\\\server\\elever\\7A.txt",
         {},
         "\\\\server\\elever\\7A.txt",
         "\\\\server\\elever\\7A.txt"},
        {"\\\\server\\arbeten\\val.pel",
         "elever.txt",
         {"\\\\server\\arbeten\\elever.txt"},
         "\\\\server\\arbeten\\elever.txt",
         "\\\\server\\arbeten\\elever.txt"},
        // Beside a work in a folder Windows-1252 cannot name: read from there, and the line
        // keeps what it said, since it cannot say where that is.
        {"D:\\Läsår Ω\\val.pel",
         "elever.txt",
         {"D:\\Läsår Ω\\elever.txt"},
         "D:\\Läsår Ω\\elever.txt",
         "elever.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.work + " " + c.roster);
        ScriptedDesktop desktop([](const std::string& what) { ADD_FAILURE() << what; });
        KnownFiles files;
        for (const std::string& existing : c.existing)
            files.there.insert(pathFromUtf8(existing).lexically_normal());
        App app(desktop, files);
        app.run.workFilePath = pathFromUtf8(c.work);
        const std::string line = utf8ToCp1252(c.roster);
        EXPECT_EQ(rosterLocation(app, line), pathFromUtf8(c.location));
        EXPECT_EQ(absoluteRosterPath(app, line), utf8ToCp1252(c.saved));
    }
}

}  // namespace
}  // namespace pelora::test
