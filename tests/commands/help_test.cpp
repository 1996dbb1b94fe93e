// Help: sections cut from the manual by their headings, the help window's chapters, and the
// messages when the manual is missing; the about box.
#include "commands/help.h"

#include "core_fixture.h"

namespace pelora::test {
namespace {

std::string cp(const RichText& rich) {
    std::string text;
    for (char32_t c : rich.text)
        text += c == '\n' ? '|' : static_cast<char>(unicodeToCp1252(c));
    return text;
}

// A small manual (tests/data/help/pel.rtf) whose contents list repeats the heading of chapter 1,
// tried after a place where none is.
class Help : public CoreTest {
protected:
    const std::string kPlace = PELORA_TEST_DATA "/help/";
    void SetUp() override {
        app.manualPlaces = {kPlace + "saknas.rtf", kPlace + "pel.rtf"};
        loadManual(app);
    }
};

TEST_F(Help, ASectionRunsFromTheFirstHeadingToTheNextLessTheCharacterBefore) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"2.1 DIALOGRUTAN", "2.2 dialogrutan", "2.1 Dialogrutan Nytt|Startdata."},
        // The contents list holds the heading first, so the section starts there.
        {"1. Översikt"_cp, "2. Skapa grupper", "1. Översikt|1. Översikt|Om programmet."_cp},
    };
    for (const auto& [start, end, text] : cases) {
        const std::optional<RichText> section = ShowHelpSection(app, start, end, 0);
        ASSERT_TRUE(section) << start;
        EXPECT_EQ(cp(*section), text);
    }

    desktop.expectMsgBox("Fel i hjälptext: rubriken \"8. Export\" finns inte i manualen."_cp,
                         Buttons::Ok, Icon::Exclamation, "Fel i hjälptext"_cp, Answer::Ok);
    EXPECT_FALSE(ShowHelpSection(app, "8. Export", "---", 1));
}

TEST_F(Help, TheHelpWindowShowsTheChosenChapter) {
    ASSERT_EQ(app.form6.List1.lines.size(), 9u);
    EXPECT_EQ(app.form6.List1.lines[8].text, " Alla avsnitt");
    EXPECT_FALSE(app.manual);  // found at start, read when help first needs it
    desktop.expectDialog(Dialog::HelpWindow, [] {});
    Helptext(app);  // the first opening shows chapter 1
    EXPECT_EQ(cp(app.form6.RTF2), "1. Översikt|1. Översikt|Om programmet."_cp);
    const std::pair<int, std::string> cases[] = {
        {7, "7. Spara|Filen."},
        {0, "1. Översikt|1. Översikt|Om programmet."_cp},  // the empty entry moves to chapter 1
        {8, cp(app.manual->slice(0, 0)) + "1. Översikt|1. Översikt|Om programmet.|2. Skapa"_cp},
    };
    for (const auto& [index, start] : cases) {
        form6::List1_Click(app, index);
        EXPECT_EQ(cp(app.form6.RTF2).substr(0, start.size()), start) << index;
        EXPECT_EQ(app.form6.List1.listIndex, index == 0 ? 1 : index);
    }
    EXPECT_EQ(cp(app.form6.RTF2).substr(cp(app.form6.RTF2).size() - 7), "|Filen.");
    desktop.expectDialog(Dialog::HelpWindow, [] {});
    Helptext(app);
    form6::Command3_Click(app);
    EXPECT_FALSE(app.form6.visible);
    EXPECT_EQ(app.form6.List1.listIndex, 8);  // kept for the next opening
}

TEST_F(Help, WithoutTheManualEveryWayToHelpSaysSoAndOpensNothing) {
    app.manualPlaces = {kPlace + "saknas.rtf"};
    loadManual(app);
    EXPECT_TRUE(app.run.manualMissing);
    const std::string message =
        "Hittar inte manualen pel.rtf som skall ligga i programmets mapp.\r\nHämta vid behov "
        "åter https://pelora.example/pel.zip."_cp;
    for (int k = 0; k < 2; ++k)
        desktop.expectMsgBox(message, Buttons::Ok, Icon::Exclamation, "Hjälptext saknas"_cp,
                             Answer::Ok);
    Helptext(app);
    ShowHelpSection(app, "2.2 Dialogrutan", "2.3 Arrangera", 1);
    EXPECT_FALSE(app.form6.visible || app.form7.visible);
}

TEST_F(Help, TheAboutBox) {
    desktop.expectMsgBox(
        "Pelora ver. 1.23\r\nHämta nya versioner från https://pelora.example/\r\n"
        "Epost: support@pelora.example"_cp,
        Buttons::Ok, Icon::None, "Om programmet", Answer::Ok);
    help_about(app);
}

}  // namespace
}  // namespace pelora::test
