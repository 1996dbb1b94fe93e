// The golden cases of tests/data/golden: each folder holds a work file (arbete.pel), the roster it
// names (elever.txt), the messages opening it must show (meddelanden.txt, one per line: title,
// icon, buttons, the answer given and the text, separated by "|", with {arbete} for the work
// file's path) and, when the file opens, the file saving it must write (sparad.pel). A file that
// is refused leaves the work that was open before; one that opens sets every setting it has no
// line for to off and shows a period it has.
#include <fstream>

#include "commands/opensave.h"
#include "core_fixture.h"
#include "formats/workfile.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

namespace fs = std::filesystem;

// Scripts the desktop with the messages of meddelanden.txt.
void expectMessages(ScriptedDesktop& desktop, const fs::path& file, const fs::path& work) {
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        for (int k = 0; k < 4; ++k) {
            fields.push_back(line.substr(0, line.find('|')));
            line.erase(0, fields.back().size() + 1);
        }
        std::string text = utf8ToCp1252(line);
        const std::size_t at = text.find("{arbete}");
        if (at != std::string::npos) text.replace(at, 8, shown(work));
        desktop.expectMsgBox(
            text, fields[2] == "OkCancel" ? Desktop::Buttons::OkCancel : Desktop::Buttons::Ok,
            fields[1] == "Information" ? Desktop::Icon::Information : Desktop::Icon::Exclamation,
            utf8ToCp1252(fields[0]),
            fields[3] == "Cancel" ? Desktop::Answer::Cancel : Desktop::Answer::Ok);
    }
}

TEST(GoldenCases, EachWorkFileOpensWithItsMessagesAndSavesAsExpected) {
    std::vector<fs::path> cases;
    for (const auto& entry : fs::directory_iterator(PELORA_TEST_DATA "/golden"))
        cases.push_back(entry.path());
    std::sort(cases.begin(), cases.end());
    ASSERT_GE(cases.size(), 15u);
    for (const fs::path& golden : cases) {
        SCOPED_TRACE(golden.filename().string());
        TempFolder folder;
        for (const char* name : {"arbete.pel", "elever.txt"})
            fs::copy_file(golden / name, folder.path(name));
        ScriptedDesktop desktop(gtestFailure());
        auto app = std::make_unique<App>(desktop);
        app->work.start = {"Förra arbetet"_cp, "", "", "", "", 4, 1, 1};
        app->run.currentPeriod = 4;
        const std::string before = workFileBytes(app->work);

        expectMessages(desktop, golden / "meddelanden.txt", folder.path("arbete.pel"));
        app->run.commandLineFile = folder.path("arbete.pel");
        Arkivoppna(*app);
        desktop.verify();

        if (!fs::exists(golden / "sparad.pel")) {
            EXPECT_EQ(workFileBytes(app->work), before);
            continue;
        }
        EXPECT_LE(app->run.currentPeriod, app->work.start.periodCount);
        app->run.workFilePath = folder.path("sparad.pel");
        Arkiv_Spara(*app);
        const std::string expected = fileBytes(golden / "sparad.pel");
        EXPECT_EQ(fileBytes(folder.path("sparad.pel")), expected);

        // What the program wrote, it reads back as written, asking nothing.
        app->run.commandLineFile = folder.path("sparad.pel");
        Arkivoppna(*app);
        app->run.workFilePath = folder.path("igen.pel");
        Arkiv_Spara(*app);
        EXPECT_EQ(fileBytes(folder.path("igen.pel")), expected);
    }
}

}  // namespace
}  // namespace pelora::test
