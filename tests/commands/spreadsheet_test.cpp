// The lists out to a spreadsheet, read back with the program's own spreadsheet reader; and a
// roster written by the spreadsheet library, read as the TAB roster it was made from.
#include "commands/export.h"

#include <zip.h>

#include "base/files.h"
#include "commands/opensave.h"
#include "core_fixture.h"
#include "formats/roster.h"
#include "formats/sheetexport.h"
#include "formats/spreadsheet.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

// The rows as "a|b|c" lines, each row as wide as the header: a reader leaves out empty cells at
// a row's end.
std::string lines(Table rows) {
    std::string all;
    for (std::vector<std::string>& row : rows) {
        row.resize(rows.front().size());
        for (std::size_t c = 0; c < row.size(); ++c)
            all += (c > 0 ? "|" : "") + row[c];
        all += "\n";
    }
    return all;
}

// A member of a zip archive, as it is stored; empty where there is none.
std::string archiveMember(const std::string& archive, const char* name) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(archive.data(), archive.size(), 0, &error);
    zip_t* zip = source != nullptr ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    std::string bytes;
    if (zip_file_t* file = zip != nullptr ? zip_fopen(zip, name, 0) : nullptr) {
        char buffer[4096];
        for (zip_int64_t n; (n = zip_fread(file, buffer, sizeof buffer)) > 0;)
            bytes.append(buffer, static_cast<std::size_t>(n));
        zip_fclose(file);
    }
    if (zip != nullptr) zip_discard(zip);
    zip_error_fini(&error);
    return bytes;
}

// The work of tests/data/utskrift in two periods: Anna in DANS (her first wish) in period 1, Bo
// in MODERN DANSGRUPP (no wish of his) in period 2, Cy nowhere.
class SpreadsheetExport : public CoreTest {};

TEST_F(SpreadsheetExport, HoldsThePupilsTheGroupsAndTheirMembers) {
    openWorkFile(app, PELORA_TEST_DATA "/utskrift/arbete.pel");
    const std::string pupils =
        "Klass|Namn|Grupp period 1|Önskemål period 1|Grupp period 2|Önskemål period 2\n"
        "7B|Cy Dahl||||\n7A|Anna Ek|DANS|1||\n7A|Bo Berg|||MODERN DANSGRUPP|\n"_cp;
    TempFolder folder;
    for (const char* name : {"listor.xlsx", "listor.csv"}) {
        const std::filesystem::path path = folder.path(name);
        desktop.expectSaveFile(path, FileDialogRequest{"Excel-arbetsbok|*.xlsx|CSV, "
                                                       "semikolonavgränsad|*.csv"_cp,
                                                       "xlsx", ""});
        Arkiv_kalkylblad(app);
        desktop.verify();
        const std::string bytes = fileBytes(path);
        const std::optional<Table> read =
            path.extension() == ".xlsx" ? readWorkbook(bytes) : readCsv(textAsCp1252(bytes));
        ASSERT_TRUE(read) << name;
        EXPECT_EQ(lines(*read), pupils) << name;
    }
    EXPECT_TRUE(fileBytes(folder.path("listor.csv")).starts_with("\xEF\xBB\xBFKlass;Namn;"));

    const std::vector<Sheet> sheets = exportSheets(app.work);
    ASSERT_EQ(sheets.size(), 6u);
    EXPECT_EQ(lines(sheets[1].rows),
              "Grupp|Period|Personal|Max antal|Antal elever\nDANS|1|Eva||1\nFOTBOLL|1|Per||0\n"
              "KÖR|2|Lena||0\nMODERN DANSGRUPP|2|Ulf Andersson Bergström A||1\n"_cp);
    EXPECT_EQ(sheets[2].name + ":" + lines(sheets[2].rows), "DANS:Klass|Namn\n7A|Anna Ek\n");
    EXPECT_EQ(sheets[5].name + ":" + lines(sheets[5].rows),
              "MODERN DANSGRUPP:Klass|Namn\n7A|Bo Berg\n");
}

// Names read as written reach the workbook and the CSV as their characters, in UTF-8, and a
// column is as wide as its longest name in characters.
TEST_F(SpreadsheetExport, WritesTheNamesAsWritten) {
    openWorkFile(app, PELORA_TEST_DATA "/utskrift/arbete.pel");
    app.work.studentTable[1].name = utf8AsWritten("Łukasz Wiśniewski");
    app.work.studentTable[3].name = utf8AsWritten("Жанна Петрова 😀");
    const std::vector<Sheet> sheets = exportSheets(app.work);
    const std::string csv = csvBytes(sheets[0]);
    EXPECT_NE(csv.find("\r\n7B;Łukasz Wiśniewski;;;;\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\n7A;Жанна Петрова 😀;;;MODERN DANSGRUPP;\r\n"), std::string::npos) << csv;

    const std::optional<std::string> bytes = workbookBytes(sheets);
    ASSERT_TRUE(bytes);
    const std::string strings = archiveMember(*bytes, "xl/sharedStrings.xml");
    EXPECT_NE(strings.find(">Łukasz Wiśniewski<"), std::string::npos) << strings;
    EXPECT_NE(strings.find(">Жанна Петрова 😀<"), std::string::npos) << strings;
    // Łukasz's 17 characters and 2.
    const std::string pupils = archiveMember(*bytes, "xl/worksheets/sheet1.xml");
    EXPECT_NE(pupils.find("<col min=\"2\" max=\"2\" width=\"19."), std::string::npos) << pupils;
}

TEST(SheetNames, FollowTheWorkbooksRules) {
    std::vector<std::string> taken = {"Elever", "Grupper"};
    const std::pair<std::string, std::string> cases[] = {
        {"DANS", "DANS"},
        {"dans", "dans (2)"},
        {"Dans", "Dans (3)"},
        {"A:B/C\\D?E*F[G]", "A-B-C-D-E-F-G-"},
        {"ENGELSKA FÖRDJUPNING OCH LITTERATUR"_cp, "ENGELSKA FÖRDJUPNING OCH LITTER"_cp},
        {"ENGELSKA FÖRDJUPNING OCH LITTERATUR 2"_cp, "ENGELSKA FÖRDJUPNING OCH LI (2)"_cp},
        {"  ", "Grupp"},
        {"elever", "elever (2)"},
    };
    for (const auto& [wanted, name] : cases)
        EXPECT_EQ(sheetName(wanted, taken), name) << wanted;
}

// A roster saved by the spreadsheet library gives the pupils and keys of the TAB roster.
TEST(RosterSpreadsheets, AWorkbookTheSpreadsheetLibraryWroteGivesTheSamePupils) {
    const std::string folder = PELORA_TEST_DATA "/rosters/kalkylblad/";
    const Roster tab = readRoster(fileBytes(folder + "elever.txt"), "");
    Sheet sheet{"Elevlista", {}};
    for (const std::string& line : splitLines(fileBytes(folder + "elever.txt"))) {
        std::vector<std::string> row;
        for (std::size_t start = 0, tabAt = 0; tabAt != std::string::npos; start = tabAt + 1) {
            tabAt = line.find('\t', start);
            row.push_back(line.substr(start, tabAt - start));
        }
        if (!line.empty()) sheet.rows.push_back(row);
    }
    const std::optional<std::string> bytes = workbookBytes({sheet});
    ASSERT_TRUE(bytes);
    const Roster read = readRoster(*bytes, "");
    ASSERT_EQ(read.pupils.size(), tab.pupils.size());
    for (std::size_t k = 0; k < tab.pupils.size(); ++k) {
        EXPECT_EQ(read.pupils[k].name, tab.pupils[k].name);
        EXPECT_EQ(read.pupils[k].key, tab.pupils[k].key);
        EXPECT_EQ(read.pupils[k].className, tab.pupils[k].className);
    }
}

}  // namespace
}  // namespace pelora::test
