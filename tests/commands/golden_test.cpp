// The golden cases of tests/data/golden: each folder holds a work file (arbete.pel), the roster it
// names (elever.txt), the messages opening it must show (meddelanden.txt, one per line: title,
// icon, buttons, the answer given and the text, separated by "|", with {arbete} for the work
// file's path) and, when the file opens, the file saving it must write (sparad.pel). A file that
// is refused leaves the work that was open before.
#include <fstream>
#include <sstream>

#include "commands/opensave.h"
#include "core_fixture.h"
#include "formats/workfile.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

namespace fs = std::filesystem;
using Buttons = Desktop::Buttons;
using Icon = Desktop::Icon;
using Answer = Desktop::Answer;

std::vector<fs::path> goldenCases() {
    std::vector<fs::path> cases;
    for (const auto& entry : fs::directory_iterator(PELORA_TEST_DATA "/golden"))
        cases.push_back(entry.path());
    std::sort(cases.begin(), cases.end());
    return cases;
}

template <typename T>
T named(const std::vector<std::pair<std::string, T>>& names, const std::string& name) {
    for (const auto& [text, value] : names) {
        if (text == name) return value;
    }
    ADD_FAILURE() << "unknown name in meddelanden.txt: " << name;
    return names.front().second;
}

// Scripts the desktop with the messages of meddelanden.txt.
void expectMessages(ScriptedDesktop& desktop, const fs::path& file, const fs::path& work) {
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (int k = 0; k < 4; ++k) {
            const std::size_t bar = line.find('|', start);
            fields.push_back(line.substr(start, bar - start));
            start = bar + 1;
        }
        std::string text = utf8ToCp1252(line.substr(start));
        const std::size_t at = text.find("{arbete}");
        if (at != std::string::npos) text.replace(at, 8, shown(work));
        desktop.expectMsgBox(
            text, named<Buttons>({{"Ok", Buttons::Ok}, {"OkCancel", Buttons::OkCancel}}, fields[2]),
            named<Icon>({{"Exclamation", Icon::Exclamation}, {"Information", Icon::Information}},
                        fields[1]),
            utf8ToCp1252(fields[0]),
            named<Answer>({{"Ok", Answer::Ok}, {"Cancel", Answer::Cancel}}, fields[3]));
    }
}

TEST(GoldenCases, EachWorkFileOpensWithItsMessagesAndSavesAsExpected) {
    const std::vector<fs::path> cases = goldenCases();
    ASSERT_GE(cases.size(), 10u);
    for (const fs::path& golden : cases) {
        SCOPED_TRACE(golden.filename().string());
        TempFolder folder;
        for (const char* name : {"arbete.pel", "elever.txt"})
            fs::copy_file(golden / name, folder.path(name));
        ScriptedDesktop desktop(gtestFailure());
        auto app = std::make_unique<App>(desktop);
        app->work.start.activity = "Förra arbetet"_cp;
        app->work.start.periodCount = 4;
        const std::string before = workFileBytes(app->work);

        expectMessages(desktop, golden / "meddelanden.txt", folder.path("arbete.pel"));
        app->run.commandLineFile = folder.path("arbete.pel");
        Arkivoppna(*app);
        desktop.verify();

        if (!fs::exists(golden / "sparad.pel")) {
            EXPECT_EQ(workFileBytes(app->work), before);
            continue;
        }
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
