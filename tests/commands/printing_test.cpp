// The print engine through the recording printer: a page of width 10000 whose text is 10 units a
// character per point of font size (a character at size 10 is 100 wide).
#include "commands/printing.h"

#include "core_fixture.h"
#include "failing_files.h"
#include "formats/roster.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

namespace fs = std::filesystem;
using Ops = std::vector<std::string>;

// Classes 7B and 7A (in that order), groups DANS and FOTBOLL in period 1 and KÖR in period 2 of
// a work with one period unless a test adds one.
class Printing : public CoreTest {
protected:
    void SetUp() override {
        Work& w = app.work;
        w.start.activity = "Val";
        w.start.school = "Skolan";
        w.start.periodLabel = "HT 2026";
        w.classList[1] = "7B";
        w.classList[2] = "7A";
        w.classCount = 2;
        const std::tuple<const char*, const char*, const char*> pupils[] = {
            {"Anna", "7A", "DANS-1\r\nFOTBOLL (gärna)"},
            {"Bo", "7A", ""},
            {"Cy", "7B", "A\r\nB\r\nC\r\nD\r\nE"},
        };
        for (const auto& [name, className, wishes] : pupils)
            w.studentTable[++w.studentCount] = {name, "", className, utf8ToCp1252(wishes)};
        w.groupTable[1] = {"DANS", "Eva", "", "", "1"};
        w.groupTable[2] = {"FOTBOLL", "Per", "", "", "1"};
        w.groupTable[3] = {"KÖR"_cp, "Lena", "", "", "2"};
        w.groupCount = 3;
        w.placement[1][1] = 1;
        app.form4.visible = true;
    }

    const Ops& ops() const { return desktop.recordingPrinter.operations; }

    // The titles printed, one per page, in order.
    std::vector<std::string> titles() const {
        std::vector<std::string> all;
        for (std::size_t k = 0; k + 2 < ops().size(); ++k) {
            if (ops()[k] == "size 16") all.push_back(ops()[k + 2].substr(6));
        }
        return all;
    }

    // The operations of page n (0-based), from its header to its new page.
    Ops page(std::size_t n) const {
        std::size_t start = 0;
        for (std::size_t k = 0; k < ops().size() && n > 0; ++k) {
            if (ops()[k] == "newPage") {
                --n;
                start = k + 1;
            }
        }
        Ops result;
        for (std::size_t k = start; k < ops().size() && ops()[k] != "newPage"; ++k)
            result.push_back(ops()[k]);
        return result;
    }

    static std::string joined(const Ops& ops) {
        std::string all;
        for (const std::string& op : ops)
            all += (all.empty() ? "" : "|") + op;
        return all;
    }

    // Page n after its header and title.
    Ops body(std::size_t n) const {
        Ops all = page(n);
        const auto title = std::find(all.begin(), all.end(), "size 16");
        return Ops(title + 4, all.end());
    }

    void print() {
        PrintLists(app);
        desktop.verify();
    }
};

TEST_F(Printing, EveryPageStartsWithTheHeaderOfItsKind) {
    const Ops top = {"font Times New Roman", "size 12", "endLine",          "x 1000",
                     "print Skolan",         "x 7000",  "print 06-12-2026", "endLine"};
    // periods of the work, the field ticked, the page's period line, the title
    const std::tuple<int, TextBox PrintScreen::*, Ops, std::string> cases[] = {
        {1,
         &PrintScreen::Text3,
         {"x 1000", "print HT 2026", "endLine", "endLine", "endLine"},
         "Val, önskemål 7B"_cp},
        {1, &PrintScreen::Text2, {"x 1000", "print HT 2026  ", "endLine", "endLine"}, "Val    7B"},
        {2,
         &PrintScreen::Text2,
         {"x 1000", "print HT 2026  ", "print Period 2", "endLine", "endLine", "endLine"},
         "Val    7B"},
        {1, &PrintScreen::Text1, {"x 1000", "print HT 2026  ", "endLine", "endLine"}, "Val   DANS"},
        {1, &PrintScreen::Text5, {"endLine", "endLine"}, "Val, tidigare placeringar 7B"},
    };
    for (const auto& [periods, field, periodLine, title] : cases) {
        SCOPED_TRACE(title);
        desktop.recordingPrinter.operations.clear();
        app.work.start.periodCount = periods;
        app.form4 = PrintScreen{};
        app.form4.Text4.text = "2";
        (app.form4.*field).text = field == &PrintScreen::Text1 ? "dans" : "7b";
        print();
        Ops expected = top;
        expected.insert(expected.end(), periodLine.begin(), periodLine.end());
        for (const std::string& op : {std::string("size 16"), std::string("x 1000"),
                                      "print " + title, std::string("endLine")})
            expected.push_back(op);
        const Ops first = page(0);
        EXPECT_EQ(Ops(first.begin(), first.begin() + static_cast<long>(expected.size())), expected);
        EXPECT_EQ(titles(), std::vector<std::string>{title});
    }
}

// Names typed in any case, separated by blanks or commas; "*" or the "Alla" box for all; a name
// with a blank cannot be typed; a range selects no period.
TEST_F(Printing, WhatTheFieldsSelect) {
    struct Case {
        const char* what;
        int periods;
        std::string classes, groups, periodField;
        int allPeriods, allGroups;
        std::vector<std::string> titles;
    };
    const Case cases[] = {
        {"two classes", 1, "7a, 7b", "", "", 0, 0, {"Val    7B", "Val    7A"}},
        {"a star", 1, " * ", "", "", 0, 0, {"Val    7B", "Val    7A"}},
        {"a class not in the work", 1, "8A", "", "", 0, 0, {}},
        {"the period field ignored with one period", 1, "7A", "", "9", 0, 0, {"Val    7A"}},
        {"periods 1 and 2", 2, "7A", "", "2,1", 0, 0, {"Val    7A", "Val    7A"}},
        {"a range selects no period", 2, "7A", "", "1-2", 0, 0, {}},
        {"every group in its own period",
         2,
         "",
         "",
         "",
         1,
         1,
         {"Val   DANS", "Val   FOTBOLL", "Val   KÖR"_cp}},
        {"groups of period 2 only", 2, "", "*", "2", 0, 0, {"Val   KÖR"_cp}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        desktop.recordingPrinter.operations.clear();
        app.work.start.periodCount = c.periods;
        app.form4 = PrintScreen{};
        app.form4.visible = true;
        app.form4.Text2.text = c.classes;
        app.form4.Text1.text = c.groups;
        app.form4.Text4.text = c.periodField;
        app.form4.Check5.value = c.allPeriods;
        app.form4.Check1.value = c.allGroups;
        print();
        EXPECT_EQ(titles(), c.titles);
        EXPECT_FALSE(app.form4.visible);  // every run ends with the dialog hidden
        EXPECT_EQ(ops().back(), "endDoc");
    }
}

TEST_F(Printing, RunsThatPrintNothing) {
    // Nothing selected: no message, the dialog stays open.
    print();
    EXPECT_TRUE(app.form4.visible);
    // Several periods and none typed.
    app.work.start.periodCount = 2;
    app.form4.Text2.text = "7A";
    desktop.expectMsgBox("Ange period.", Buttons::Ok, Icon::Exclamation, "Skriv ut", Answer::Ok);
    print();
    EXPECT_TRUE(app.form4.visible);
    // No pupils.
    app.work.studentCount = 0;
    desktop.expectMsgBox("Det finns inget att skriva ut!", Buttons::Ok, Icon::Exclamation,
                         "Skriv ut", Answer::Ok);
    print();
    EXPECT_TRUE(ops().empty());
}

// At least three wish columns of 0.60 W together, never fewer than an earlier page of the run
// had; each wish by its own base name, cut to its column.
TEST_F(Printing, WishListsKeepTheirColumnCountThroughTheRun) {
    app.form4.Check4.value = 1;
    app.work.studentTable[2].wishes = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    print();
    EXPECT_EQ(titles(), (std::vector<std::string>{"Val, önskemål 7B"_cp, "Val, önskemål 7A"_cp}));
    const Ops cy = {"endLine", "size 10", "x 1000",  "print Cy", "x 3500",
                    "print A", "x 4700",  "print B", "x 5900",   "print C",
                    "x 7100",  "print D", "x 8300",  "print E",  "endLine"};
    EXPECT_EQ(body(0), cy);
    // Five columns of 1200 kept for 7A: "ABC…Z" is 2600 wide and cut to 12 characters.
    const Ops sevenA = {"endLine",
                        "size 10",
                        "x 1000",
                        "print Anna",
                        "x 3500",
                        "print DANS",
                        "x 4700",
                        "print FOTBOLL",
                        "x 5900",
                        "print ",
                        "x 7100",
                        "print ",
                        "x 8300",
                        "print ",
                        "endLine",
                        "x 1000",
                        "print Bo",
                        "x 3500",
                        "print ABCDEFGHIJKL",
                        "x 4700",
                        "print ",
                        "x 5900",
                        "print ",
                        "x 7100",
                        "print ",
                        "x 8300",
                        "print ",
                        "endLine"};
    EXPECT_EQ(body(1), sevenA);

    // Alone, a class with at most two wishes gets three columns of 2000.
    desktop.recordingPrinter.operations.clear();
    app.form4.Check4.value = 0;
    app.form4.Text3.text = "7a";
    app.work.studentTable[2].wishes = "";
    print();
    const Ops sevenAAlone = body(0);
    EXPECT_EQ(Ops(sevenAAlone.begin() + 2, sevenAAlone.begin() + 11),
              (Ops{"x 1000", "print Anna", "x 3500", "print DANS", "x 5500", "print FOTBOLL",
                   "x 7500", "print ", "endLine"}));
}

TEST_F(Printing, ClassGroupAndNotPlacedLists) {
    app.work.start.periodCount = 2;
    app.form4.Text2.text = "7A";
    app.form4.Text1.text = "dans fotboll";
    app.form4.Text4.text = "1";
    app.form4.Check3.value = 1;
    print();
    EXPECT_EQ(titles(), (std::vector<std::string>{"Val    7A", "Val   DANS", "Val   FOTBOLL",
                                                  "Val, ej placerade"}));
    EXPECT_EQ(joined(body(0)),
              "endLine|size 12|x 1000|print Anna|x 5000|print DANS|x 6500|print Eva|endLine|x "
              "1000|print Bo|x 5000|print |x 6500|print |endLine");
    EXPECT_EQ(joined(body(1)),
              "size 14|x 1000|print Eva|endLine|endLine|size 12|x 1000|print 7A  "
              "Anna|endLine|endLine|x 1000|print Antal:  1 |endLine");
    // An empty group: its staff, two empty lines and "Antal:  0 ".
    EXPECT_EQ(
        joined(body(2)),
        "size 14|x 1000|print Per|endLine|endLine|size 12|endLine|x 1000|print Antal:  0 |endLine");
    EXPECT_EQ(body(3),
              (Ops{"endLine", "size 12", "x 1000", "print 7A  Bo", "endLine", "x 1000",
                   "print 7B  Cy", "endLine", "endLine", "x 1000", "print Antal:  2 ", "endLine"}));
    // Each page ends with a new page, and the document once: no empty page between.
    EXPECT_EQ(std::count(ops().begin(), ops().end(), "newPage"), 4);
    EXPECT_EQ((Ops{ops()[ops().size() - 2], ops().back()}), (Ops{"newPage", "endDoc"}));

    // A group name too long for its column is cut before the staff's column.
    desktop.recordingPrinter.operations.clear();
    app.work.groupTable[1].name = "PROGRAMMERINGEN";
    app.form4 = PrintScreen{};
    app.form4.Text2.text = "7A";
    app.form4.Text4.text = "1";
    print();
    EXPECT_EQ(body(0)[5], "print PROGRAMMERI");
}

// From the board's pop-up menu: only that group, in its own period; of the dialog only "Ej
// placerade" changes.
TEST_F(Printing, OneGroupFromThePopupMenu) {
    app.work.start.periodCount = 2;
    app.run.currentGroup = 3;
    app.form4.Text2.text = "7A";
    app.form4.Check3.value = 1;
    app.form4.visible = false;
    desktop.expectMsgBox("Vill du skriva ut grupplista för KÖR"_cp, Buttons::YesNo, Icon::Question,
                         "Skriv ut", Answer::No);
    H_klick_skrivut(app);
    EXPECT_TRUE(ops().empty());
    desktop.expectMsgBox("Vill du skriva ut grupplista för KÖR"_cp, Buttons::YesNo, Icon::Question,
                         "Skriv ut", Answer::Yes);
    H_klick_skrivut(app);
    EXPECT_EQ(titles(), std::vector<std::string>{"Val   KÖR"_cp});
    EXPECT_EQ(page(0)[10], "print Period 2");
    EXPECT_EQ(app.run.printGroupName, "");
    EXPECT_EQ(app.form4.Text2.text, "7A");
    EXPECT_EQ(app.form4.Check3.value, 0);
}

TEST_F(Printing, AFailingStepIsToldAndTheRunGoesOn) {
    desktop.recordingPrinter.failOnPrint = "Anna";
    app.form4.Text2.text = "*";
    desktop.expectMsgBox("Fel vid utskrift\r\nSkrivaren svarar inte", Buttons::Ok,
                         Icon::Exclamation, "Skriv ut", Answer::Ok);
    print();
    EXPECT_EQ(titles(), (std::vector<std::string>{"Val    7B", "Val    7A"}));
    EXPECT_EQ(ops().back(), "endDoc");
}

// Without a printer the document goes to a PDF file named for each run.
TEST_F(Printing, WithoutAPrinterEachRunAsksForAPdfFile) {
    TempFolder folder;
    desktop.recordingPrinter.toFile = true;
    app.form4.Text2.text = "7A";
    const FileDialogRequest pdf{"*.pdf|*.pdf", "pdf", ""};
    desktop.expectSaveFile(std::nullopt, pdf);
    print();
    EXPECT_TRUE(ops().empty());
    EXPECT_TRUE(app.form4.visible);

    const fs::path path = folder.write("listor.pdf", "gammal");
    desktop.expectSaveFile(path, pdf).expectMsgBox(
        shown(path) + ". Fil med detta namn finns redan. Vill du ersätta befintlig fil?"_cp,
        Buttons::YesNo, Icon::Question, "Skriv ut", Answer::No);
    print();
    EXPECT_TRUE(ops().empty());

    desktop.expectSaveFile(folder.path("nya.pdf"), FileDialogRequest{"*.pdf|*.pdf", "pdf", path});
    print();
    EXPECT_EQ(ops().front(), "file " + folder.path("nya.pdf").string());
    EXPECT_EQ(titles(), std::vector<std::string>{"Val    7A"});
}

// Earlier terms: the last five work files of the folder, by name in any letter case, a column
// each; a pupil is found by key alone.
class EarlierPlacements : public Printing {
protected:
    void SetUp() override {
        Printing::SetUp();
        const char* ids[] = {"9001011234", "9102021234", "9203031234"};
        for (int i = 1; i <= 3; ++i)
            app.work.studentTable[i].key = studentKey(ids[i - 1]);
        app.form4.folder = folder.native();
        app.form4.Text5.text = "7A";
    }

    // A work file with the groups named and a line per key and group.
    void earlier(const std::string& name, const std::string& body) {
        folder.write(name,
                     "AKTIVITET: X\r\nGRUPPER:  2 \r\nSLÖJD,a,,,  0 ,  0 ,1\r\n"_cp
                     "BILD,b,,,  0 ,  0 ,1\r\n" +
                         body);
    }

    std::string key(int i) const { return app.work.studentTable[i].key; }

    TempFolder folder;
};

TEST_F(EarlierPlacements, TheLastFiveFilesAreTheColumns) {
    for (const char* name : {"g.pel", "B.PEL", "a.pel", "D.pel", "e.Pel", "C.pel", "f.pel"})
        earlier(name, key(1) + ", \t 1 \r\n");
    folder.write("h.txt", "");
    print();
    EXPECT_EQ(app.form4.File1.lines.size(), 7u);
    const Ops expected = {"x 3000", "print C", "x 4250", "print D", "x 5500",  "print e",
                          "x 6750", "print f", "x 8000", "print g", "endLine", "endLine"};
    const Ops page = body(0);
    EXPECT_EQ(Ops(page.begin() + 2, page.begin() + 14), expected);
}

TEST_F(EarlierPlacements, CellsComeFromTheKeyAloneAndStayEmptyWithoutAGroup) {
    // Anna placed in BILD under another name; Bo in the file but not placed; Cy not in 7A.
    earlier("ht25.pel", key(1) + ", NÅGON ANNAN\t 2 , 1 \r\n" + key(2) + ", \t 0 \r\n" + key(3) +
                            ", \t 1 \r\nXXXX, \t 1 \r\n");
    earlier("vt26.pel", "");
    print();
    EXPECT_EQ(joined(body(0)),
              "endLine|size 10|x 3000|print ht25|x 4250|print vt26|endLine|endLine|x 1000|print "
              "Anna|x 3000|print BILD|x 4250|print |x 5500|print |x 6750|print |x 8000|print "
              "|endLine|x 1000|print Bo|x 3000|print |x 4250|print |x 5500|print |x 6750|print |x "
              "8000|print |endLine");
}

TEST_F(EarlierPlacements, ProblemsAreToldAndTheRunGoesOn) {
    earlier("a.pel", key(1) + ", \t 1 \r\n");
    folder.write("b.pel", "GRUPPER:  2 \r\nUTAN KOMMA\r\nBILD,,\r\n" + key(1) + ", \t 2 \r\n");
    folder.write("c.pel", "GRUPPER:  1 \r\nDANS,,\r\n" + key(1) + ", \t 101 \r\n");
    folder.write("d.pel", std::string(5000, '\0') + "\xff\xfe");
    app.form4.Text2.text = "7A";
    FailingFileSystem files;
    files.throwOnReading = "a.pel";
    App failing(desktop, files);
    failing.work = app.work;
    failing.form4 = app.form4;
    auto expectError = [&](const std::string& text) {
        desktop.expectMsgBox("Fel vid utskrift\r\n" + text, Buttons::Ok, Icon::Exclamation,
                             "Skriv ut", Answer::Ok);
    };
    expectError("Läsfel på disken"_cp);
    expectError(shown(folder.path("b.pel")) + ", rad 2: gruppraden saknar kommatecken.");
    expectError(shown(folder.path("c.pel")) +
                ", rad 3: en elev har gruppnummer 101, men gruppnumren går från 0 till 100."_cp);
    PrintLists(failing);
    desktop.verify();
    // b.pel still gives BILD; the run goes on to the class list.
    EXPECT_EQ(titles(), (std::vector<std::string>{"Val, tidigare placeringar 7A", "Val    7A"}));
    const Ops page = body(0);  // heads a, b, c and d; Anna's cell of b
    EXPECT_EQ((Ops{page[3], page[9], page[16], page[17]}),
              (Ops{"print a", "print d", "x 4250", "print BILD"}));

    // With two periods there is no such page, and the rest of the run goes on.
    desktop.recordingPrinter.operations.clear();
    app.work.start.periodCount = 2;
    app.form4.Text4.text = "1";
    desktop.expectMsgBox(
        "Utskrift av tidigare placeringar görs bara vid gruppfördelning för en period."_cp,
        Buttons::Ok, Icon::Exclamation, "Skriv ut", Answer::Ok);
    print();
    EXPECT_EQ(titles(), std::vector<std::string>{"Val    7A"});
}

TEST_F(EarlierPlacements, AFolderWithoutWorkFilesGivesNamesAndEmptyColumns) {
    print();
    EXPECT_EQ(joined(body(0)),
              "endLine|size 10|endLine|endLine|x 1000|print Anna|x 3000|print |x 4250|print |x "
              "5500|print |x 6750|print |x 8000|print |endLine|x 1000|print Bo|x 3000|print |x "
              "4250|print |x 5500|print |x 6750|print |x 8000|print |endLine");
}

TEST(FitToWidth, CutsFromTheEndUntilTheTextFits) {
    RecordingPrinter printer;
    const std::pair<std::string, std::string> cases[] = {
        {"KORT", "KORT"}, {"EXAKT TOLV T", "EXAKT TOLV T"}, {"MYCKET LÅNGT NAMN", "MYCKET LÅNG"}};
    for (const auto& [text, fitted] : cases)
        EXPECT_EQ(FitToWidth(printer, text, 0.12), fitted);
}

TEST_F(Printing, TheDialogsButtons) {
    app.form4.Text1.text = "DANS";
    app.form4.Check3.value = 1;
    app.form4.Check6.value = 1;
    form4::Command2_Click(app);
    EXPECT_FALSE(app.form4.visible);
    desktop.expectDialog(Dialog::PrintDialog, [] {});
    Arkivskrivut(app);
    EXPECT_TRUE(app.form4.visible);
    EXPECT_EQ(app.form4.Text1.text, "DANS");  // kept between showings
    EXPECT_EQ(app.screen.focusRequest, Focus::PrintGroups);
    form4::Command4_Click(app);
    EXPECT_EQ(app.form4.Text1.text + std::to_string(app.form4.Check3.value) +
                  std::to_string(app.form4.Check6.value),
              "00");
    const fs::path other = fs::temp_directory_path();
    desktop.expectFolderDialog(std::nullopt).expectFolderDialog(other);
    const fs::path before = app.form4.folder;
    form4::Command5_Click(app);
    EXPECT_EQ(app.form4.folder, before);
    form4::Command5_Click(app);
    EXPECT_EQ(app.form4.folder, other);
    EXPECT_EQ(app.form4.Dir1.caption, shown(other));
}

}  // namespace
}  // namespace pelora::test
