// The manual: how the generator turns the markup of share/manual/pel.txt into RTF, and the pel.rtf
// the build made from it, read as the help reads it: every heading the help cuts it by, once and
// in order, looking like a heading, with the Swedish letters whole.
#include <gtest/gtest.h>

#include "base/text.h"
#include "commands/groups.h"
#include "commands/help.h"
#include "commands/printing.h"
#include "commands/startdata.h"
#include "core_fixture.h"
#include "formats/rtf.h"
#include "rtfmanual.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

// Whether `what` occurs in `text` exactly once, letter case ignored, as the help searches.
bool once(const std::u32string& text, const std::u32string& what) {
    const std::size_t at = findIgnoringCase(text, what);
    return at != std::u32string::npos &&
           findIgnoringCase(text, what, at + 1) == std::u32string::npos;
}

// --- the generator ---

TEST(ManualSource, EachCharacterIsWrittenAsRtfCanHoldIt) {
    const std::pair<std::string, std::string> cases[] = {
        {"Elever 7A", "Elever 7A"},
        {"{a}\\b", "\\{a\\}\\\\b"},
        {"å ä ö é Å Ä Ö É", "\\'e5 \\'e4 \\'f6 \\'e9 \\'c5 \\'c4 \\'d6 \\'c9"},
        // The characters of bytes 0x80..0x9F, and the no-break space.
        {"€–”•\u00a0", "\\'80\\'96\\'94\\'95\\'a0"},
        {"a\tb", "a\\tab b"},
        // Outside the code page: \uN, N signed, beyond U+FFFF as two halves.
        {"→", "\\u8594?"},
        {"\ufffd", "\\u-3?"},
        {"\U0001F600", "\\u-10179?\\u-8704?"},
        {"", ""},
    };
    for (const auto& [text, rtf] : cases)
        EXPECT_EQ(rtfmanual::escapeText(text), rtf) << text;
}

TEST(ManualSource, ASourceItCannotReadNamesTheLine) {
    const std::pair<std::string, int> cases[] = {
        {"% om\n\n# 1. Ett\n#2. Två\n", 4},  // a heading without its blank
        {"# 1. Ett\n##\n", 2},               // a heading without text
        {"# 1. Ett\r\n## \r\n", 2},          // the same, lines ended by CR LF
        {"# 1. Ett\r\rText\r- \r", 4},       // a list item without text, lines ended by CR
        {"Text **fet\nmer** text\n", 1},     // bold over a line end
        {"> A\tB\n> \xff\n", 2},             // an example that is not UTF-8
        {"a\n\xc0\xaf\n", 2},                // "/" written long
        {"a\n\n\xed\xa0\x80", 3},            // half of a surrogate pair
        {"a\x01z", 1},                       // a control character
        {"a **b\n", 1},                      // bold not closed
    };
    for (const auto& [source, line] : cases) {
        try {
            rtfmanual::manualToRtf(source);
            ADD_FAILURE() << "accepted: " << source;
        } catch (const rtfmanual::SourceError& error) {
            EXPECT_EQ(error.line(), line) << source;
        }
    }
}

// A small source with every kind of block (tests/data/manual/alla-block.txt, UTF-8, lines ended
// by LF), read back by the program's own RTF reader.
TEST(ManualSource, EveryKindOfBlockReadsBackAsWritten) {
    const std::string source = fileBytes(PELORA_TEST_DATA "/manual/alla-block.txt");
    const std::u32string expected =
        U"1. Rubrik\n"
        U"Ett stycke över två rader med fet text.\n"
        U"\u2022\tpunkt ett fortsätter\n"
        U"\u2022\ttvå\n"
        U"A\tB\u2028C\tD\n"
        U"1.1 Avsnitt\n"
        U"Sista.\n"
        U"---\n";
    // Whatever the line ends, with a byte-order mark or without.
    for (const char* end : {"\n", "\r\n", "\r"}) {
        const std::string withEnds = "\xef\xbb\xbf" + replaceAll(source, "\n", end);
        const RichText rich = readRtf(rtfmanual::manualToRtf(withEnds));
        EXPECT_EQ(rich.text, expected) << "line end " << static_cast<int>(end[0]);
    }

    // Chapters, sections, text, bold text, list items and examples each with their look.
    const RichText rich = readRtf(rtfmanual::manualToRtf(source));
    std::string looks;
    for (const std::u32string at : {U"1. Rubrik", U"1.1", U"Ett", U"fet", U"punkt", U"A\t"}) {
        const TextFormat look = rich.slice(expected.find(at), 1).runs.at(0).format;
        looks +=
            (look.bold ? "bold " : "") + look.font + " " + std::to_string(look.halfPoints) + "|";
    }
    EXPECT_EQ(looks,
              "bold Arial 32|bold Arial 26|Times New Roman 22|bold Times New Roman 22|"
              "Times New Roman 22|Courier New 20|");
    // Nothing of a heading's look carries over to the text after it.
    EXPECT_EQ(rich.slice(expected.find(U"Sista"), 1).runs,
              rich.slice(expected.find(U"Ett"), 1).runs);
}

// --- the manual the build made ---

TEST(ManualFile, HoldsEveryHeadingOnceAsAParagraphOfItsOwnInOrder) {
    const std::u32string text = readRtf(fileBytes(PELORA_MANUAL)).text, lines = U"\n" + text;
    std::size_t previous = 0;
    const char* headings[] = {"1. Översikt",
                              "2. Skapa grupper",
                              "2.1 Dialogrutan Startdata",
                              "2.2 Dialogrutan Ny grupp",
                              "2.3 Arrangera gruppetiketterna",
                              "3. Inskrivning av önskemål",
                              "4. Placering i grupp",
                              "5. Översikten",
                              "6. Utskrifter",
                              "7. Spara",
                              "---"};
    for (const char* heading : headings) {
        const std::u32string wanted = unicodeOf(utf8ToCp1252(heading));
        EXPECT_TRUE(once(text, wanted)) << heading;
        // After the one before it, as a paragraph of its own.
        previous = lines.find(U"\n" + wanted + U"\n", previous);
        ASSERT_NE(previous, std::u32string::npos) << heading;
    }
    // After the end marker at most a short closing line; no markup or RTF shows through, and
    // what Windows-1252 cannot hold comes out whole.
    EXPECT_LE(text.size() - findIgnoringCase(text, U"---"), 80u);
    for (const std::u32string leak : {U"**", U"\\", U"{", U"}", U"\u2192?", U"\n%"})
        EXPECT_EQ(text.find(leak), std::u32string::npos);
    EXPECT_NE(text.find(U"Arkiv \u2192 Nytt"), std::u32string::npos);
}

// The program's help, given the manual the build made: every chapter of the help window and the
// help of each dialog are found, and each stops before the next heading.
using ManualHelp = CoreTest;

TEST_F(ManualHelp, EachDialogsHelpShowsItsOwnSection) {
    app.manualPlaces = {PELORA_MANUAL};
    loadManual(app);
    ASSERT_FALSE(app.run.manualMissing);
    const std::tuple<void (*)(App&), std::string, std::string> cases[] = {
        {form3::Command3_Click, "2.1 Dialogrutan Startdata", "2.2 Dialogrutan"},
        {form2::Command3_Click, "2.2 Dialogrutan Ny grupp", "2.3 Arrangera"},
        {form4::Command3_Click, "6. Utskrifter", "7. Spara"}};
    for (const auto& [button, start, next] : cases) {
        desktop.expectDialog(Dialog::HelpPopup, [] {});
        button(app);
        const std::u32string& section = app.form7.RTF.text;
        EXPECT_TRUE(app.form7.visible && app.form7.RTF.runs.front().format.bold) << start;
        EXPECT_EQ(section.substr(0, start.size()), unicodeOf(start)) << start;
        EXPECT_GT(section.size(), 400u) << start;
        EXPECT_EQ(findIgnoringCase(section, unicodeOf(next)), std::u32string::npos) << start;
        EXPECT_NE(section.back(), U'\n') << start;  // the help leaves out the break before
    }
}

}  // namespace
}  // namespace pelora::test
