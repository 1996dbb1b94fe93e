// The pure file formats: the roster's lines and keys, the work file's lines, written and read.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "base/codec.h"
#include "base/files.h"
#include "base/text.h"
#include "formats/earlier.h"
#include "formats/roster.h"
#include "formats/spreadsheet.h"
#include "formats/workfile.h"
#include "temp_folder.h"

namespace pelora {
namespace {

std::string codes(std::initializer_list<int> list) {
    return std::string(list.begin(), list.end());
}

std::string pupilsOf(const Roster& roster) {
    std::string pupils;
    for (const Student& pupil : roster.pupils)
        pupils += pupil.name + "|" + pupil.key + "|" + pupil.className + ";";
    return pupils;
}

TEST(StudentKey, TakesFourDigitPairsOfTheNumberInAnyWriting) {
    // The first and the last digit are not part of the key.
    for (const char* id : {"19900101-1234", "900101-1234", "9001011234", "8001011239"})
        EXPECT_EQ(studentKey(id), codes({32, 42, 43, 55})) << id;
    // A year 19 without century loses its "19" too; a short number gets one "0" in front; only
    // the first "-" goes, and a sign counts.
    const std::pair<const char*, std::string> cases[] = {
        {"190101-1234", codes({42, 43, 55, 36})},    {"1234567", codes({44, 66, 88, 39})},
        {"ABCDEFGHIJ", codes({32, 32, 32, 32})},     {"12-3-4-56", codes({55, 28, 27, 38})},
        {"0969798990", codes({128, 129, 130, 131})}, {"190101-12", codes({33, 33, 44, 32})},
    };
    for (const auto& [id, key] : cases)
        EXPECT_EQ(studentKey(id), key) << id;
}

TEST(WorkFileWriter, WritesGroupAndPupilLinesAsTheFileHoldsThem) {
    EXPECT_EQ(groupLine({"ENGELSKA", "LÄRARE"_cp, "25", "", "1", 120, 480}),
              "ENGELSKA,LÄRARE,25,,  120 ,  480 ,1"_cp);
    Work work;
    work.studentTable[1] = {"Anna", ",\x83 A", "7A", "ENGELSKA\r\nFRANSKA"};
    work.placement[1][1] = 3;
    work.start.periodCount = 2;
    EXPECT_EQ(pupilLine(work, 1), ",\x83 A, ENGELSKA//FRANSKA\t 3 , 0 ");
}

// The same roster saved by a spreadsheet in each of the usual encodings (tests/data/rosters)
// gives the same pupils, each name as written; the Windows-1252 file has "?" for the Ł it lacks.
TEST(RosterEncodings, ReadsWindows1252Utf8AndUtf16Alike) {
    for (const std::string how : {"windows-1252", "utf-8", "utf-8-bom", "utf-16le", "utf-16be"}) {
        const Roster roster =
            readRoster(test::fileBytes(PELORA_TEST_DATA "/rosters/" + how + ".txt"), "");
        ASSERT_EQ(roster.pupils.size(), 2u) << how;
        const std::string lukasz = how == "windows-1252" ? "?ukasz Ek" : utf8AsWritten("Łukasz Ek");
        EXPECT_EQ(pupilsOf(roster), "Åsa Öberg|"_cp + studentKey("9001011234") + "|7Ä;"_cp +
                                        lukasz + "|" + studentKey("9102021234") + "|7Ä;"_cp)
            << how;
    }
    // Windows-1252 bytes that happen to be no UTF-8 are read as they are.
    const Roster plain = readRoster("Björn Åberg\t1\t7A\r\n"_cp, "");
    EXPECT_EQ(plain.pupils.at(0).name, "Björn Åberg"_cp);
}

// The pupils of a TAB roster, from the CSV, .xlsx and .ods files a spreadsheet program made of
// it (tests/data/rosters/kalkylblad/gör-kalkylblad.sh): columns found by their headings in any
// order, a name in two columns, numbers from the stored values, a lost leading 0 put back.
TEST(RosterSpreadsheets, GiveThePupilsAndKeysOfTheTabRoster) {
    const std::string folder = PELORA_TEST_DATA "/rosters/kalkylblad/";
    const Roster tab = readRoster(test::fileBytes(folder + "elever.txt"), "");
    ASSERT_EQ(tab.pupils.size(), 4u);
    for (const char* name :
         {"semikolon.csv", "komma.csv", "källa-klass-först.csv", "källa-för-och-efternamn.csv",
          "calc.xlsx", "calc.ods", "för-och-efternamn.xlsx", "för-och-efternamn.ods"}) {
        const Roster sheet = readRoster(test::fileBytes(pathFromUtf8(folder + name)), "");
        EXPECT_FALSE(sheet.error) << name;
        EXPECT_EQ(pupilsOf(sheet), pupilsOf(tab)) << name;
        EXPECT_EQ(sheet.classes, tab.classes) << name;
    }
}

// CSV and tables read as the lines of a TAB roster; what no roster can be is refused.
TEST(RosterSpreadsheets, TablesReadAsRosterLines) {
    using Kind = Roster::Error::Kind;
    // the file, the pupils read, the error and its line, the missing column
    const std::tuple<std::string, std::string, std::optional<Kind>, int, std::string> cases[] = {
        {"Anna Berg,9001011234,7A\n\"Berg, Bo\",\"90\"\"01\",7b",
         "Anna Berg|"_cp + studentKey("9001011234") + "|7A;Berg, Bo|" + studentKey("90\"01") +
             "|7B;",
         std::nullopt, 0, ""},
        {"Elevlista HT\r\n\r\n\"Anna\nBerg\";9001011234;7A\r\n",
         "Anna Berg|"_cp + studentKey("9001011234") + "|7A;", std::nullopt, 0, ""},
        {"Anna Berg;9001011234\r\n", "", Kind::BadFormat, 1, ""},
        {"Namn;Klass\r\nAnna Berg;7A\r\n", "", Kind::MissingColumn, 1, "Personnummer"},
        {"Personnummer;Klass\r\n1;7A\r\n", "", Kind::MissingColumn, 1, "Namn"},
        {"Elev;Personnr\r\nAnna Berg;1\r\n", "", Kind::MissingColumn, 1, "Klass"},
        {"PK\x03\x04 inget arkiv", "", Kind::NoRoster, 1, ""},
        // Blanks in a row and a line break in a cell, as an .ods workbook holds them.
        {test::fileBytes(PELORA_TEST_DATA "/rosters/kalkylblad/mellanrum.ods"),
         "Anna   Berg|" + studentKey("9001011234") + "|7A;Bo Ek|" + studentKey("9102021234") +
             "|7B;",
         std::nullopt, 0, ""},
    };
    for (const auto& [bytes, pupils, error, line, column] : cases) {
        const Roster roster = readRoster(bytes, "");
        EXPECT_EQ(pupilsOf(roster), pupils) << bytes;
        ASSERT_EQ(roster.error.has_value(), error.has_value()) << bytes;
        if (!error) continue;
        EXPECT_EQ(roster.error->kind, *error) << bytes;
        EXPECT_EQ(roster.error->line, line) << bytes;
        EXPECT_EQ(roster.error->column, column) << bytes;
    }
}

// A CSV row of more fields than a workbook's 200 columns keeps the first 200, and the next row.
TEST(RosterSpreadsheets, ACsvRowIsReadToItsTwoHundredthField) {
    const Table table = readCsv("a" + std::string(300, ',') + "z\nb,c");
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].size(), 200u);
    EXPECT_EQ(table[0][0], "a");
    EXPECT_EQ(table[1], (std::vector<std::string>{"b", "c"}));
}

// UTF-16 of a text without surrogates, with its byte-order mark.
std::string utf16(const std::u32string& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char32_t c : text) {
        const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// A name that Windows-1252 cannot hold is read as written from every roster that can hold it:
// UTF-8 with and without a mark, UTF-16, CSV, and the .xlsx and .ods workbooks LibreOffice Calc
// made (tests/data/rosters/kalkylblad/namn.*). The key and the class are read as before: a class
// the code page cannot hold has "?" for the letter, as the class list in the work file must.
TEST(RosterEncodings, NamesAreKeptAsWritten) {
    const std::string tab =
        "Łukasz Wiśniewski\t9001011234\t7A\r\nЖанна Петрова\t9102021234\t7Ł\r\n";
    const std::u32string tab32 =
        U"Łukasz Wiśniewski\t9001011234\t7A\r\nЖанна Петрова\t9102021234\t7Ł\r\n";
    const std::string folder = PELORA_TEST_DATA "/rosters/kalkylblad/";
    const std::pair<std::string, std::string> rosters[] = {
        {"UTF-8", tab},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + tab},
        {"UTF-16LE", utf16(tab32, false)},
        {"UTF-16BE", utf16(tab32, true)},
        {"CSV", test::fileBytes(pathFromUtf8(folder + "källa-namn.csv"))},
        {"xlsx", test::fileBytes(folder + "namn.xlsx")},
        {"ods", test::fileBytes(folder + "namn.ods")},
    };
    for (const auto& [how, bytes] : rosters) {
        const Roster roster = readRoster(bytes, "");
        ASSERT_GE(roster.pupils.size(), 2u) << how;
        EXPECT_EQ(asUtf8(roster.pupils[0].name), "Łukasz Wiśniewski") << how;
        EXPECT_EQ(asUtf8(roster.pupils[1].name), "Жанна Петрова") << how;
        EXPECT_EQ(roster.pupils[0].key, studentKey("9001011234")) << how;
        EXPECT_EQ(roster.pupils[1].key, studentKey("9102021234")) << how;
        EXPECT_EQ(roster.pupils[0].className, "7A") << how;
        EXPECT_EQ(roster.pupils[1].className, "7?") << how;
        EXPECT_EQ(roster.classes.at(1), "7?") << how;
    }
}

// A line's rules count characters as the code page does, a "?" for each it cannot hold: a name
// of four such characters is too short to be a pupil line, and an identity number holding one
// gives the key it has always given.
TEST(RosterEncodings, ALinesRulesReadItsPlainForm) {
    // the line as written, the kind, the name (UTF-8), the key
    const std::tuple<std::string, RosterLine::Kind, std::string, std::string> cases[] = {
        {"Łuka\t9001011234\t7A", RosterLine::Kind::Skipped, "", ""},
        {"Łukas\t9001011234\t7A", RosterLine::Kind::Pupil, "Łukas", studentKey("9001011234")},
        {"  Łukas  \tŁ90010112\t7a", RosterLine::Kind::Pupil, "Łukas", studentKey("?90010112")},
        {"Łukas\tŁŁŁŁ", RosterLine::Kind::Skipped, "", ""},
        {"Łukasz Ek\tŁŁŁŁ", RosterLine::Kind::BadFormat, "", ""},
    };
    for (const auto& [written, kind, name, key] : cases) {
        const RosterLine line = parseRosterLine(utf8AsWritten(written));
        EXPECT_EQ(line.kind, kind) << written;
        EXPECT_EQ(asUtf8(line.name), name) << written;
        EXPECT_EQ(line.key, key) << written;
    }
}

// A text file with a TAB in any of its first 20 lines is read by the TAB rules alone: every
// roster the program and its tests have read before gives the same pupils, a name's letters
// that Windows-1252 cannot hold as they are written and every other byte as before.
TEST(RosterSpreadsheets, ATabRosterIsReadAsBefore) {
    int rosters = 0;
    for (const char* top : {PELORA_TEST_DATA, PELORA_SHARE}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(top)) {
            if (entry.path().extension() != ".txt") continue;
            const std::string bytes = test::fileBytes(entry.path());
            std::string byLines;
            for (const std::string& text : splitLines(textAsCp1252(bytes))) {
                const RosterLine line = parseRosterLine(text);
                if (line.kind == RosterLine::Kind::Pupil)
                    byLines += line.name + "|" + line.key + "|" + line.className + ";";
            }
            if (byLines.empty()) continue;
            const Roster roster = readRoster(bytes, "");
            if (roster.error) continue;
            ++rosters;
            EXPECT_EQ(withoutEscapes(pupilsOf(roster)), byLines) << entry.path();
            if (textAsCp1252(bytes) == textAsWritten(bytes)) {
                EXPECT_EQ(pupilsOf(roster), byLines) << entry.path();
            }
        }
    }
    EXPECT_GE(rosters, 10);
}

// An earlier file's pupils with their group of period 1, 0 to 100; the first problem with its line.
TEST(EarlierFile, ReadsGroupsZeroToAHundredAndNamesTheLineOfTheFirstProblem) {
    const std::string head = "GRUPPER:  1 \r\nDANS,,\r\n" + studentKey("9001011234") + ", \t ";
    // the pupil's numbers, the group read, the problem's line (0 for none)
    const std::tuple<std::string, int, int> cases[] = {
        {" 1 ", 1, 0}, {" 0 ", 0, 0}, {" 100 ", 100, 0}, {" 101 ", 0, 3}, {" -1 ", 0, 3},
    };
    for (const auto& [numbers, group, line] : cases) {
        const EarlierFile file = readEarlierFile(head + numbers + "\r\n");
        ASSERT_EQ(file.pupils.size(), 1u) << numbers;
        EXPECT_EQ(file.pupils[0].group, group) << numbers;
        EXPECT_EQ(file.error ? file.error->line : 0, line) << numbers;
    }
    // A group line without a comma is named by its own line, after the pupil lines before it.
    const EarlierFile file = readEarlierFile("AKTIVITET: A\r\nGRUPPER:  2 \r\nDANS,,\r\nBILD\r\n");
    ASSERT_TRUE(file.error.has_value());
    EXPECT_EQ(file.error->line, 4);
    EXPECT_EQ(file.groupName(1), "DANS");
    EXPECT_EQ(file.groupName(2), "");
}

// The wishes joined as the file holds them, written as the plain loop: every line break in turn
// becomes "//" between the trimmed text before it and the trimmed text after it.
std::string loopJoinWishes(const std::string& wishes) {
    std::string text = CleanLines(wishes);
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text = trimBlanks(text.substr(0, at)) + "//" + trimBlanks(text.substr(at + 2));
    return text;
}

TEST(WorkFileWriter, JoinedWishesEqualThePlainLoopOnRandomTexts) {
    std::mt19937 random(1252);
    const char alphabet[] = {' ', ' ', '\r', '\n', 'A', '/', '\t'};
    for (int n = 0; n < 20000; ++n) {
        std::string text(random() % 20, ' ');
        for (char& c : text)
            c = alphabet[random() % sizeof alphabet];
        ASSERT_EQ(joinWishes(text), loopJoinWishes(text)) << testing::PrintToString(text);
    }
}

}  // namespace
}  // namespace pelora
