// The print engine through the recording printer: a page of width 10000 whose text is 10 units a
// character per point of font size (a character at size 10 is 100 wide). Whole documents are
// compared with the files of tests/data/utskrift, one operation a line.
#include "commands/printing.h"

#include "commands/opensave.h"
#include "commands/printengine.h"

#include "core_fixture.h"
#include "failing_files.h"
#include "recording_printer.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

namespace fs = std::filesystem;

// The work of tests/data/utskrift: classes 7B (Cy Dahl) and 7A (Anna Ek, Bo Berg), in that order;
// groups DANS and FOTBOLL in period 1, KÖR and MODERN DANSGRUPP in period 2. Anna is in DANS in
// period 1, Bo in MODERN DANSGRUPP, whose staff is exactly as wide as its column in a class list,
// in period 2. The work has one period unless a test gives it two.
class Printing : public CoreTest {
protected:
    void SetUp() override {
        openWorkFile(app, PELORA_TEST_DATA "/utskrift/arbete.pel");
        app.work.start.periodCount = 1;
        app.form4.visible = true;
    }

    const std::vector<std::string>& ops() const { return desktop.recordingPrinter.operations; }

    // The titles printed, one per page, each followed by "|".
    std::string titles() const {
        std::string all;
        for (std::size_t k = 0; k + 2 < ops().size(); ++k)
            if (ops()[k] == "size 16") all += ops()[k + 2].substr(6) + "|";
        return all;
    }

    // Every operation so far, one a line.
    std::string document() const {
        std::string all;
        for (const std::string& op : ops())
            all += op + "\n";
        return all;
    }

    void print() {
        desktop.recordingPrinter.operations.clear();
        PrintLists(app);
        desktop.verify();
    }
};

// Whole documents: the page header of each kind with its period line and the title with its
// blanks; wish lists in at least three columns of 0.60 W together, never fewer than an earlier
// page of the run had, each wish by its own base name cut to its column; class lists with each
// column cut before the next; group lists, an empty one too; the pupils not placed; each page
// ending with a new page and no empty page at the end.
TEST_F(Printing, DocumentsAsExpected) {
    // the document; periods; the groups, classes, wishes and period typed; the two boxes
    const std::tuple<const char*, int, std::string, std::string, std::string, std::string, int, int>
        cases[] = {
            {"önskemål-alla-klasser", 1, "", "", "", "", 0, 1},
            {"önskemål-7a", 1, "", "", "7a", "", 0, 0},
            {"listor-en-period", 1, "dans", "7b", "", "", 0, 0},
            {"listor-period-1", 2, "dans fotboll", "7A", "", "1", 1, 0},
            {"klasslista-period-2", 2, "", "7A", "", "2", 0, 0},
        };
    for (const auto& [name, periods, groups, classes, wishes, period, notPlaced, all] : cases) {
        app.work.start.periodCount = periods;
        app.form4 = PrintScreen{};
        app.form4.Text1.text = groups;
        app.form4.Text2.text = classes;
        app.form4.Text3.text = wishes;
        app.form4.Text4.text = period;
        app.form4.Check3.value = notPlaced;
        app.form4.Check4.value = all;
        print();
        EXPECT_EQ(document(), fileBytes(pathFromUtf8(PELORA_TEST_DATA "/utskrift/" +
                                                     std::string(name) + ".txt")))
            << name;
    }
}

// Names typed in any case between blanks or commas, "*" or the "Alla" boxes for all; a name with
// a blank cannot be typed; a range selects no period; the period field counts with several
// periods only. A page the printer fails on is told and the run goes on. A run that starts ends
// with the dialog hidden, one that does not leaves it open.
TEST_F(Printing, WhatTheFieldsSelect) {
    struct Case {
        int periods;
        std::string classes, groups, periodField;
        int allBoxes;
        std::string message, titles;
        bool runs;
        std::string jams = "";
    };
    const Case cases[] = {
        {1, "7a, 7b", "", "", 0, "", "Val    7B|Val    7A|", true},
        {1, " * ", "", "", 0, "Fel vid utskrift\r\nSkrivaren svarar inte", "Val    7B|Val    7A|",
         true, "Cy Dahl"},
        {1, "8A", "", "", 0, "", "", true},
        {1, "7A", "", "9", 0, "", "Val    7A|", true},
        {2, "7A", "", "2,1", 0, "", "Val    7A|Val    7A|", true},
        {2, "7A", "", "2-3", 0, "", "", true},
        {2, "", "", "", 1, "", "Val   DANS|Val   FOTBOLL|Val   KÖR|Val   MODERN DANSGRUPP|"_cp,
         true},
        {2, "", "*", "2", 0, "", "Val   KÖR|Val   MODERN DANSGRUPP|"_cp, true},
        {2, "", "modern dans", "1 2", 0, "", "Val   DANS|", true},
        {1, "", "", "", 0, "", "", false},
        {2, "7A", "", "", 0, "Ange period.", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.classes + "/" + c.groups + "/" + c.periodField);
        app.work.start.periodCount = c.periods;
        app.form4 = PrintScreen{};
        app.form4.visible = true;
        app.form4.Text2.text = c.classes;
        app.form4.Text1.text = c.groups;
        app.form4.Text4.text = c.periodField;
        app.form4.Check5.value = app.form4.Check1.value = c.allBoxes;
        desktop.recordingPrinter.failOnPrint = c.jams;
        if (!c.message.empty())
            desktop.expectMsgBox(c.message, Buttons::Ok, Icon::Exclamation, "Skriv ut", Answer::Ok);
        print();
        EXPECT_EQ(titles(), c.titles);
        EXPECT_EQ(app.form4.visible, !c.runs);
        EXPECT_EQ(ops().empty() ? "nothing" : ops().back(), c.runs ? "endDoc" : "nothing");
    }
    app.work.studentCount = 0;
    desktop.expectMsgBox("Det finns inget att skriva ut!", Buttons::Ok, Icon::Exclamation,
                         "Skriv ut", Answer::Ok);
    print();
    EXPECT_TRUE(ops().empty());
}

// From the board's pop-up menu: only that group, in its own period; of the dialog only "Ej
// placerade" changes.
TEST_F(Printing, OneGroupFromThePopupMenu) {
    app.work.start.periodCount = 2;
    app.run.currentGroup = 3;
    app.form4.Text2.text = "7A";
    app.form4.Check3.value = 1;
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        desktop.expectMsgBox("Vill du skriva ut grupplista för KÖR"_cp, Buttons::YesNo,
                             Icon::Question, "Skriv ut", answer);
        H_klick_skrivut(app);
        EXPECT_EQ(titles(), answer == Answer::Yes ? "Val   KÖR|"_cp : "");
    }
    EXPECT_NE(document().find("print HT 2026  \nprint Period 2\n"), std::string::npos);
    EXPECT_EQ(app.form4.Text2.text, "7A");
    EXPECT_EQ(app.form4.Check3.value, 0);
}

// A pop-up print that prints nothing, because the work has no pupils yet, or that fails leaves
// no group behind: the next run from the dialog prints the lists chosen there.
TEST_F(Printing, APopupPrintThatPrintsNothingLeavesNoGroupForTheDialog) {
    app.run.currentGroup = 1;
    app.form4.Text2.text = "7A";
    for (const bool fails : {false, true}) {
        SCOPED_TRACE(fails ? "failed" : "no pupils");
        const int pupils = app.work.studentCount;
        app.work.studentCount = 0;
        desktop
            .expectMsgBox("Vill du skriva ut grupplista för DANS"_cp, Buttons::YesNo,
                          Icon::Question, "Skriv ut", Answer::Yes)
            .expectMsgBox("Det finns inget att skriva ut!", Buttons::Ok, Icon::Exclamation,
                          "Skriv ut", Answer::Ok, [fails] {
                              if (fails) throw std::runtime_error("Fönstret kunde inte visas");
                          });
        if (fails) {
            EXPECT_THROW(H_klick_skrivut(app), std::runtime_error);
        } else {
            H_klick_skrivut(app);
        }
        app.work.studentCount = pupils;  // the roster read since
        print();
        EXPECT_EQ(titles(), "Val    7A|");
    }
}

// A group whose period is written "1.5" holds its pupils in period 2, and its list is printed
// there, from the dialog and from the pop-up menu alike.
TEST_F(Printing, AGroupListIsPrintedInThePeriodItsPupilsArePlacedIn) {
    app.work.start.periodCount = 2;
    app.work.groupTable[4].periodText = "1.5";
    const std::string page =
        "print Period 2\nendLine\nendLine\nendLine\nsize 16\nx 1000\n"
        "print Val   MODERN DANSGRUPP\n";
    app.form4.Check1.value = app.form4.Check5.value = 1;
    print();
    EXPECT_EQ(titles(), "Val   DANS|Val   FOTBOLL|Val   KÖR|Val   MODERN DANSGRUPP|"_cp);
    EXPECT_NE(document().find(page), std::string::npos);

    app.run.currentGroup = 4;
    desktop.expectMsgBox("Vill du skriva ut grupplista för MODERN DANSGRUPP"_cp, Buttons::YesNo,
                         Icon::Question, "Skriv ut", Answer::Yes);
    desktop.recordingPrinter.operations.clear();
    H_klick_skrivut(app);
    EXPECT_EQ(titles(), "Val   MODERN DANSGRUPP|");
    EXPECT_NE(document().find(page), std::string::npos);
    EXPECT_NE(document().find("print 7A  Bo Berg\n"), std::string::npos);
}

// Without a printer the document goes to a PDF file named for each run.
TEST_F(Printing, WithoutAPrinterEachRunAsksForAPdfFile) {
    TempFolder folder;
    const fs::path old = folder.write("listor.pdf", "gammal");
    desktop.recordingPrinter.toFile = true;
    app.form4.Text2.text = "7A";
    desktop.expectSaveFile(std::nullopt, FileDialogRequest{"*.pdf|*.pdf", "pdf", ""});
    print();
    desktop.expectSaveFile(old).expectMsgBox(
        shown(old) + ". Fil med detta namn finns redan. Vill du ersätta befintlig fil?"_cp,
        Buttons::YesNo, Icon::Question, "Skriv ut", Answer::No);
    print();
    EXPECT_TRUE(app.form4.visible);

    desktop.expectSaveFile(folder.path("nya.pdf"), FileDialogRequest{"*.pdf|*.pdf", "pdf", old});
    print();
    EXPECT_EQ(ops().front(), "file " + folder.path("nya.pdf").string());
    EXPECT_EQ(titles(), "Val    7A|");
    EXPECT_TRUE(fileBytes(folder.path("nya.pdf")).starts_with("%PDFfile "));
}

// A PDF that cannot be written whole is told with the reason, and the file it was to replace
// stays as it was.
TEST_F(Printing, APdfOnAFullDiskIsToldAndLeavesTheOldFile) {
    TempFolder folder;
    const fs::path old = folder.write("listor.pdf", "gammal");
    desktop.recordingPrinter.toFile = true;
    FailingFileSystem files;
    files.failures = {FailingFileSystem::Failure::WriteHalfway};
    App failing(desktop, files);
    failing.work = app.work;
    failing.form4.Text2.text = "7A";
    desktop.expectSaveFile(old)
        .expectMsgBox(
            shown(old) + ". Fil med detta namn finns redan. Vill du ersätta befintlig fil?"_cp,
            Buttons::YesNo, Icon::Question, "Skriv ut", Answer::Yes)
        .expectMsgBox("Fel vid utskrift\r\nKan inte spara " + shown(old) + "\r\nDisken är full."_cp,
                      Buttons::Ok, Icon::Exclamation, "Skriv ut", Answer::Ok);
    PrintLists(failing);
    EXPECT_EQ(fileBytes(old), "gammal");
}

// Earlier terms from the folders of tests/data/tidigare, each with the document it prints
// (utskrift.txt): the last five work files by name in any letter case, a column each; a pupil
// found by key alone, under any name; a cell empty without a group; a folder without work files.
TEST_F(Printing, EarlierPlacementsFromAFolder) {
    for (const char* name : {"sju-filer", "celler", "utan-arbetsfiler"}) {
        app.form4.folder = std::string(PELORA_TEST_DATA "/tidigare/") + name;
        app.form4.Text5.text = "7A";
        print();
        EXPECT_EQ(document(), fileBytes(app.form4.folder / "utskrift.txt")) << name;
    }
}

// The folder tidigare/med-fel: a.pel made unreadable, b.pel with a group line without a comma,
// c.pel with a group number above 100 (both for Anna), d.pel of 5000 zero bytes and a stray
// byte-order mark. Each problem is told and the rest is printed. With two periods there is no such
// page, and the run goes on.
TEST_F(Printing, ProblemsWithEarlierFilesAreToldAndTheRunGoesOn) {
    const fs::path folder = PELORA_TEST_DATA "/tidigare/med-fel";
    app.form4.folder = folder;
    app.form4.Text5.text = app.form4.Text2.text = "7A";
    FailingFileSystem files;
    files.throwOnReading = "a.pel";
    App failing(desktop, files);
    failing.work = app.work;
    failing.form4 = app.form4;
    for (const std::string& text :
         {"Läsfel på disken"_cp,
          shown(folder / "b.pel") + ", rad 2: gruppraden saknar kommatecken.",
          shown(folder / "c.pel") +
              ", rad 3: en elev har gruppnummer 101, men gruppnumren går från 0 till 100."_cp}) {
        desktop.expectMsgBox("Fel vid utskrift\r\n" + text, Buttons::Ok, Icon::Exclamation,
                             "Skriv ut", Answer::Ok);
    }
    PrintLists(failing);
    EXPECT_EQ(document(), fileBytes(PELORA_TEST_DATA "/utskrift/tidigare-med-fel.txt"));

    app.work.start.periodCount = 2;
    app.form4.Text4.text = "1";
    desktop.expectMsgBox(
        "Utskrift av tidigare placeringar görs bara vid gruppfördelning för en period."_cp,
        Buttons::Ok, Icon::Exclamation, "Skriv ut", Answer::Ok);
    print();
    EXPECT_EQ(titles(), "Val    7A|");
}

// One earlier work file read as an open reads it, for Anna Ek and Bo Berg of 7A, here sharing
// one key: a group's name without the blanks before it, the numbers after a second TAB, lines that
// are no pupil lines left out without a word, the k-th line with the key for the k-th pupil with
// it (a line with a group number above 100 too); a file the work file reader refuses, or that
// cannot be read, is given up with the reason.
TEST_F(Printing, AnEarlierFileIsReadAsAnOpenReadsIt) {
    const std::string key = app.work.studentTable[2].key;
    ASSERT_EQ(app.work.studentTable[2].name, "Anna Ek");
    app.work.studentTable[3].key = key;
    const std::string groups = "GRUPPER:  2 \r\nDANS,,\r\nBILD,,\r\n";
    struct Case {
        const char* what;
        std::string bytes, message, cells;
        bool unreadable = false;
        std::uintmax_t size = 0;
    };
    const Case cases[] = {
        {"blanks before a name",
         "GRUPPER:  1 \r\n  DANS,Eva,,,  0 ,  0 ,1\r\n" + key + ", \t 1 \r\n", "", "DANS|"},
        {"a second TAB", groups + key + ", A\tB\t 2 \r\n", "", "BILD|"},
        {"no pupil lines", groups + key + "X\t 1 \r\n" + key + ", utan tabb 1\r\n", "", "|"},
        {"one key, two pupils", groups + key + ", \t 1 \r\n" + key + ", \t 2 \r\n", "",
         "DANS|BILD"},
        {"a number above 100", groups + key + ", \t 101 \r\n" + key + ", \t 2 \r\n",
         ", rad 4: en elev har gruppnummer 101, men gruppnumren går från 0 till 100."_cp, "|BILD"},
        {"too many groups", "GRUPPER:  101 \r\nDANS,,\r\n" + key + ", \t 1 \r\n",
         ", rad 1: filen anger 101 grupper, men programmet hanterar högst 100 grupper."_cp, "|"},
        {"group lines missing", "AKTIVITET: Val\r\nGRUPPER:  3 \r\nDANS,,\r\n",
         ", rad 2: filen tar slut efter 1 av sina 3 grupprader.", "|"},
        {"too many periods", "ANTAL PERIODER:  11 \r\n" + groups + key + ", \t 1 \r\n",
         ", rad 1: filen anger 11 perioder, men programmet hanterar 1 till 10 perioder.", "|"},
        {"cannot be read", groups + key + ", \t 1 \r\n", " kan inte läsas."_cp, "|", true},
        {"too large", "", " är för stor för en arbetsfil."_cp, "|", false, 16 * 1024 * 1024 + 1},
    };
    // What the earlier page prints in the first column for a pupil.
    auto cell = [this](const std::string& name) {
        const std::string before = "print " + name + "\nx 3000\nprint ";
        const std::string all = document();
        const std::size_t at = all.find(before);
        if (at == std::string::npos) return std::string("(not printed)");
        const std::size_t start = at + before.size();
        return all.substr(start, all.find('\n', start) - start);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const fs::path path = folder.write("tidigare.pel", c.bytes);
        if (c.size > 0) fs::resize_file(path, c.size);
        FailingFileSystem files;
        if (c.unreadable) files.unreadable = "tidigare.pel";
        App failing(desktop, files);
        failing.work = app.work;
        failing.form4.folder = folder.native();
        failing.form4.Text5.text = "7A";
        if (!c.message.empty()) {
            desktop.expectMsgBox("Fel vid utskrift\r\n" + shown(path) + c.message, Buttons::Ok,
                                 Icon::Exclamation, "Skriv ut", Answer::Ok);
        }
        desktop.recordingPrinter.operations.clear();
        PrintLists(failing);
        desktop.verify();
        EXPECT_EQ(cell("Anna Ek") + "|" + cell("Bo Berg"), c.cells);
    }
}

// The dialog keeps its fields between showings; "Töm" empties them; a cancelled folder choice
// keeps the folder.
TEST_F(Printing, TheDialogsButtons) {
    app.form4.Text1.text = "DANS";
    app.form4.Check3.value = app.form4.Check6.value = app.form4.Check1.value = 1;
    form4::Command2_Click(app);
    EXPECT_FALSE(app.form4.visible);
    desktop.expectDialog(Dialog::PrintDialog, [] {});
    Arkivskrivut(app);
    EXPECT_EQ(app.form4.Text1.text + (app.form4.visible ? "" : " hidden"), "DANS");
    EXPECT_EQ(app.screen.focusRequest, Focus::PrintGroups);
    // "Töm" empties every field and unticks every box.
    for (TextBox* field : {&app.form4.Text2, &app.form4.Text3, &app.form4.Text4, &app.form4.Text5})
        field->text = "7A";
    form4::Command4_Click(app);
    for (const TextBox* field :
         {&app.form4.Text1, &app.form4.Text2, &app.form4.Text3, &app.form4.Text4, &app.form4.Text5})
        EXPECT_EQ(field->text, "");
    for (const CheckBox* box : {&app.form4.Check1, &app.form4.Check2, &app.form4.Check3,
                                &app.form4.Check4, &app.form4.Check5, &app.form4.Check6})
        EXPECT_EQ(box->value, 0);
    const fs::path before = app.form4.folder, other = fs::temp_directory_path();
    desktop.expectFolderDialog(std::nullopt).expectFolderDialog(other);
    form4::Command5_Click(app);
    EXPECT_EQ(app.form4.folder, before);
    form4::Command5_Click(app);
    EXPECT_EQ(app.form4.Dir1.caption, shown(other));
}

// A wish list holds ten wishes a pupil, the not-placed list the pupils of the period asked for.
TEST_F(Printing, TenWishesAPupilAndThePupilsNotPlacedInThePeriodAskedFor) {
    std::string wishes = "W1";
    for (int k = 2; k <= 11; ++k)
        wishes += "\r\nW" + std::to_string(k);
    app.work.studentTable[2].wishes = wishes;
    app.form4.Text3.text = "7A";
    print();
    EXPECT_NE(document().find("print W10\n"), std::string::npos);
    EXPECT_EQ(document().find("print W11"), std::string::npos);

    app.work.start.periodCount = 2;
    app.form4 = PrintScreen{};
    app.form4.Check3.value = 1;
    for (const char* period : {"1", "2"}) {
        app.form4.Text4.text = period;
        print();
        // Anna is in DANS in period 1, Bo in MODERN DANSGRUPP in period 2, Cy in none.
        const bool first = period[0] == '1';
        EXPECT_NE(document().find("print Period " + std::string(period)), std::string::npos);
        EXPECT_NE(document().find("print 7B  Cy Dahl\n"), std::string::npos) << period;
        EXPECT_EQ(document().find("print 7A  Anna Ek\n") != std::string::npos, !first) << period;
        EXPECT_EQ(document().find("print 7A  Bo Berg\n") != std::string::npos, first) << period;
        EXPECT_NE(document().find("print Antal:  2 \n"), std::string::npos) << period;
    }
}

// A name as written is printed with its escapes for the printer to show, and measured by its
// characters: 32 of them fill the name column of a class list (3900 wide at 120 a character),
// a 33rd is cut; the list of pupils not placed prints the name whole.
TEST_F(Printing, NamesAsWrittenArePrintedWholeAndCutByCharacter) {
    const std::string fits = utf8AsWritten("Łukasz Wiśniewski-Żółkiewska Ωęż");
    const std::string longer = fits + utf8AsWritten("Ж");
    ASSERT_EQ(characterCount(fits), 32u);
    app.work.studentTable[2].name = fits;    // Anna, in DANS
    app.work.studentTable[3].name = longer;  // Bo, not placed in period 1
    app.form4.Text2.text = "7A";
    app.form4.Check3.value = 1;
    print();
    const std::string doc = document();
    const std::string nameColumn = "\nx 1000\nprint " + fits + "\nx 5000\n";
    const std::size_t first = doc.find(nameColumn);
    ASSERT_NE(first, std::string::npos) << doc;
    EXPECT_NE(doc.find(nameColumn, first + 1), std::string::npos) << doc;
    EXPECT_NE(doc.find("\nprint 7A  " + longer + "\n"), std::string::npos) << doc;
}

// Whatever the printer measures, a text is cut a character at a time: never inside an escape.
TEST(CutToWidth, NeverCutsAnEscape) {
    // A printer that measures bytes, as no printer of the program does: the worst case for a cut.
    struct BytePrinter : RecordingPrinter {
        double textWidth(const PrintFont&, const std::string& text) override {
            return static_cast<double>(text.size());
        }
    } printer;
    const PrintFont font{"Times New Roman", 12};
    const std::string name = utf8AsWritten("aŁbŻ");
    for (double width = 0; width <= 20; ++width) {
        const std::string cut = cutToWidth(printer, font, name, width);
        EXPECT_TRUE(asUtf8(name).starts_with(asUtf8(cut))) << width;
    }
    EXPECT_EQ(asUtf8(cutToWidth(printer, font, name, 17)), "aŁb");
    EXPECT_EQ(asUtf8(cutToWidth(printer, font, name, 9)), "aŁ");
    EXPECT_EQ(asUtf8(cutToWidth(printer, font, name, 8)), "a");
}

// The folder of earlier work files stays from one showing of the dialog to the next.
TEST_F(Printing, TheFolderIsKeptBetweenShowings) {
    app.form4.folder = PELORA_TEST_DATA "/tidigare/celler";
    for (int showing = 0; showing < 2; ++showing) {
        desktop.expectDialog(Dialog::PrintDialog, [] {});
        Arkivskrivut(app);
        EXPECT_EQ(app.form4.folder, fs::path(PELORA_TEST_DATA "/tidigare/celler"));
        EXPECT_EQ(app.form4.Dir1.caption, shown(app.form4.folder));
    }
}

}  // namespace
}  // namespace pelora::test
