#include "work/workfile.h"

#include "core_fixture.h"
#include "temp_folder.h"
#include "work/files.h"
#include "work/lifecycle.h"
#include "work/roster.h"

namespace pelora::test {
namespace {

namespace fs = std::filesystem;

const std::string kData = PELORA_TEST_DATA;
const std::string kShare = PELORA_SHARE;

// ---- the writer ----------------------------------------------------------------------------

TEST(WorkFileWriter, GroupLineAsTheFileHoldsIt) {
    struct Case {
        Group group;
        std::string line;
    };
    const Case cases[] = {
        {{"ENGELSKA", "LÄRARE"_cp, "25", "", "1", 120, 480},
         "ENGELSKA,LÄRARE,25,,  120 ,  480 ,1"_cp},
        {{"DANS", "", "", "sal 3", "2", 0, 0}, "DANS,,,sal 3,  0 ,  0 ,2"},
        {{"A", "B", "ca 20", "C", "", 120.5, -40}, "A,B,ca 20,C,  120.5 , -40 ,"},
        {{"A", "B", "1", "C", "1", 1e21, 0.25}, "A,B,1,C,  1e+21 ,  0.25 ,1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(groupLine(c.group), c.line);
    // Whatever the writer puts as a position reads back as the same number.
    EXPECT_EQ(parseGroupLine(groupLine(cases[3].group)).boardLeft, 1e21);
    EXPECT_EQ(parseGroupLine(groupLine(cases[2].group)).boardTop, -40);
}

TEST(WorkFileWriter, JoinsCleanWishLinesWithDoubleSlashes) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"ENGELSKA", "ENGELSKA"},
        {"ENGELSKA\r\nFRANSKA", "ENGELSKA//FRANSKA"},
        {"  ENGELSKA \r\n\r\n  FRANSKA  \r\n", "ENGELSKA//FRANSKA"},
        {"\r\n\r\nA\r\n B C \r\nD", "A//B C//D"},
        {"FOTBOLL  *P1\r\nDANS", "FOTBOLL  *P1//DANS"},
    };
    for (const auto& [wishes, joined] : cases)
        EXPECT_EQ(joinWishes(wishes), joined) << wishes;
}

TEST(WorkFileWriter, PupilLineHasKeyWishesOneTabAndANumberPerPeriod) {
    Work work;
    work.studentCount = 1;
    work.studentTable[1] = {"Anna", ",\x83 A", "7A", "ENGELSKA\r\nFRANSKA"};
    work.placement[1][1] = 3;
    work.start.periodCount = 2;
    EXPECT_EQ(pupilLine(work, 1), ",\x83 A, ENGELSKA//FRANSKA\t 3 , 0 ");
    work.start.periodCount = 1;
    work.studentTable[1].wishes = "";
    EXPECT_EQ(pupilLine(work, 1), ",\x83 A, \t 3 ");
}

struct ConditionalCase {
    int periodCount, showAllPeriods, ignoreWishes;
    std::string middle;  // what stands between ELEVLISTA: and GRUPPER:
};

TEST(WorkFileWriter, WritesThePeriodAndWishLinesOnlyWhenTheyMatter) {
    const ConditionalCase cases[] = {
        {1, 1, 0, ""},
        {2, 0, 0, "ANTAL PERIODER:  2 \r\nVISA ALLA PERIODER:  0 \r\n"},
        {10, 1, 1, "ANTAL PERIODER:  10 \r\nVISA ALLA PERIODER:  1 \r\nEJ ÖNSKEMÅL: 1\r\n"_cp},
        {1, 0, 1, "EJ ÖNSKEMÅL: 1\r\n"_cp},
        {1, 0, 2, ""},
    };
    for (const ConditionalCase& c : cases) {
        Work work;
        work.start = {"Val",         "Skolan",         "HT",          "7A 7B", "elever.txt",
                      c.periodCount, c.showAllPeriods, c.ignoreWishes};
        EXPECT_EQ(workFileBytes(work),
                  "AKTIVITET: Val\r\nSKOLA: Skolan\r\nPERIOD: HT\r\nKLASSER: 7A 7B\r\n"
                  "ELEVLISTA: elever.txt\r\n" +
                      c.middle + "GRUPPER:  0 \r\n");
    }
}

// ---- the line parsers ----------------------------------------------------------------------

TEST(WorkFileReader, ClassifiesLinesByTheirExactStart) {
    struct Case {
        std::string line;
        WorkLine kind;
        std::string value;
    };
    const Case cases[] = {
        {"AKTIVITET: Val", WorkLine::Activity, " Val"},
        {"AKTIVITET:", WorkLine::Activity, ""},
        {"SKOLA:X", WorkLine::School, "X"},
        {"PERIOD: HT", WorkLine::PeriodLabel, " HT"},
        {"KLASSER: 7A", WorkLine::Classes, " 7A"},
        {"ELEVLISTA: e.txt", WorkLine::StudentList, " e.txt"},
        {"ANTAL PERIODER:  2 ", WorkLine::PeriodCount, "  2 "},
        {"VISA ALLA PERIODER: 1", WorkLine::ShowAllPeriods, " 1"},
        {"EJ ÖNSKEMÅL: 1"_cp, WorkLine::IgnoreWishes, " 1"},
        {"GRUPPER:  5 ", WorkLine::Groups, "  5 "},
        {"aktivitet: Val", WorkLine::Pupil, "aktivitet: Val"},
        {" SKOLA: X", WorkLine::Pupil, " SKOLA: X"},
        {"EJ ONSKEMAL: 1", WorkLine::Pupil, "EJ ONSKEMAL: 1"},
        {"GRUPPER", WorkLine::Pupil, "GRUPPER"},
        {"", WorkLine::Pupil, ""},
    };
    for (const Case& c : cases) {
        ClassifiedLine classified = classifyLine(c.line);
        EXPECT_EQ(classified.kind, c.kind) << c.line;
        EXPECT_EQ(classified.value, c.value) << c.line;
    }
}

TEST(WorkFileReader, ReadsGroupLinesFieldByField) {
    struct Case {
        std::string line;
        Group group;
    };
    const Case cases[] = {
        {"ENGELSKA,LÄRARE,25,,  120 ,  480 ,1"_cp,
         {"ENGELSKA", "LÄRARE"_cp, "25", "", "1", 120, 480}},
        {"  A , B ,C,D,1.5,2e1,  3  ", {"A ", "B ", "C", "D", "3", 1.5, 20}},
        {"A,B,C,D,10,20,2,5", {"A", "B", "C", "D", "2,5", 10, 20}},
        {"A,B,C,D,10,20", {"A", "B", "C", "D", "1", 10, 20}},  // six fields keep period 1
        {"A,B,C,D,10", {"A", "B", "C", "D", "1", 10, 0}},      // five fields too
        {"A,B,C,D", {"A", "B", "C", "D", "", 0, 0}},           // four leave it empty
        {"A,B", {"A", "B", "", "", "", 0, 0}},
        {"A", {"A", "", "", "", "", 0, 0}},
        {"", {"", "", "", "", "", 0, 0}},
        {",,,,,,", {"", "", "", "", "", 0, 0}},
        {"A,B,C,D,x,1e999,1", {"A", "B", "C", "D", "1", 0, 0}},  // no number, no infinity
        {"GRUPPER: 3,,,,1,2,1", {"GRUPPER: 3", "", "", "", "1", 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("line \"" + c.line + "\"");
        Group g = parseGroupLine(c.line);
        EXPECT_EQ(g.name, c.group.name);
        EXPECT_EQ(g.staff, c.group.staff);
        EXPECT_EQ(g.maxText, c.group.maxText);
        EXPECT_EQ(g.comment, c.group.comment);
        EXPECT_EQ(g.periodText, c.group.periodText);
        EXPECT_EQ(g.boardLeft, c.group.boardLeft);
        EXPECT_EQ(g.boardTop, c.group.boardTop);
    }
}

TEST(WorkFileReader, FindsTheKeySeparatorAtTheFifthCharacter) {
    using K = PupilLine::Kind;
    struct Case {
        std::string line;
        K kind;
        std::string key, wishes, placements;
    };
    const Case cases[] = {
        {"ABCD, ENGELSKA//FRANSKA\t 3 , 0 ", K::Good, "ABCD", "ENGELSKA\r\nFRANSKA", " 3 , 0 "},
        {",,,,, A\t1", K::Good, ",,,,", "A", "1"},
        {"A B ,X\t", K::Good, "A B ", "X", ""},
        {"ABCD,  A // B  \t1", K::Good, "ABCD", "A \r\n B", "1"},
        {"ABCD, A\tnote\t 1 , 2 ", K::Good, "ABCD", "A", " 1 , 2 "},
        {"ABCD, A\tx\ty\t 1 ", K::Good, "ABCD", "A", "y\t 1 "},
        {"ABCD, \t", K::Good, "ABCD", "", ""},
        {"ABCD, A", K::NoTab, "ABCD"},
        {"ABCD,", K::NoTab, "ABCD"},
        {"ABC, A\t1", K::BadKey},
        {"ABCDE, A\t1", K::BadKey},
        {"ABCD", K::BadKey},
        {"", K::BadKey},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("line \"" + c.line + "\"");
        PupilLine pupil = parsePupilLine(c.line);
        EXPECT_EQ(pupil.kind, c.kind);
        if (c.kind != K::BadKey) {
            EXPECT_EQ(pupil.key, c.key);
        }
        if (c.kind == K::Good) {
            EXPECT_EQ(pupil.wishes, c.wishes);
            EXPECT_EQ(pupil.placements, c.placements);
        }
    }
}

TEST(WorkFileReader, TakesOneNumberPerPeriodAndZeroForTheMissing) {
    struct Case {
        std::string text;
        int periods;
        std::vector<int> groups;  // periods 1..
    };
    const Case cases[] = {
        {" 3 , 0 ", 2, {3, 0}},
        {" 3 ", 3, {3, 0, 0}},
        {" 1 , 2 , 3 , 4 ", 2, {1, 2}},
        {"", 1, {0}},
        {"2.5,3.5,x", 3, {2, 4, 0}},
        {"1 0,-1,101", 3, {10, -1, 101}},
        {"1,2,3,4,5,6,7,8,9,10,11", 10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    };
    for (const Case& c : cases) {
        const auto groups = parsePlacements(c.text, c.periods);
        for (int p = 1; p <= c.periods; ++p)
            EXPECT_EQ(groups[p], c.groups[p - 1]) << c.text;
    }
}

// ---- the commands --------------------------------------------------------------------------

class WorkFile : public CoreTest {
protected:
    // Two pupils of 7A and 7B in a roster beside the work files.
    void SetUp() override {
        folder.write("elever.txt",
                     "Namn\tPersonnummer\tKlass\r\nAnna Berg\t9001011234\t7A\r\n"
                     "Bo Ekman\t9102021234\t7B\r\n");
        anna = studentKey("9001011234");
        bo = studentKey("9102021234");
    }

    std::string workFile(const std::string& name, const std::string& body) {
        return folder.write(name,
                            "AKTIVITET: Val\r\nSKOLA: Skolan\r\nPERIOD: HT\r\nKLASSER: \r\n"
                            "ELEVLISTA: elever.txt\r\n" +
                                body);
    }

    void openFromCommandLine(const std::string& path) {
        app.work.commandLineFile = path;
        Arkivoppna(app);
    }

    // A work that an open must either replace or leave exactly as it was.
    void previousWork() {
        Work& w = app.work;
        w.start.activity = "Förra"_cp;
        w.studentCount = 1;
        w.studentTable[1] = {"Cilla Dahl", "WXYZ", "9C", "DANS"};
        w.classCount = 1;
        w.classList[1] = "9C";
        w.groupCount = 1;
        w.groupTable[1] = {"DANS", "", "", "", "1", 100, 100};
        w.placement[1][1] = 1;
        w.groupMemberCount[1] = 1;
        w.workFilePath = "/förra.pel"_cp;
        w.dirty = true;
        app.screen.Combo1.clear();
        app.screen.Combo1.addItem("9C");
        app.screen.Combo1.text = "9C";
        app.screen.caption = "Pelora:    /förra.pel"_cp;
    }

    void expectPreviousWork() {
        const Work& w = app.work;
        EXPECT_EQ(w.start.activity, "Förra"_cp);
        EXPECT_EQ(w.studentCount, 1);
        EXPECT_EQ(w.studentTable[1].name, "Cilla Dahl");
        EXPECT_EQ(w.classCount, 1);
        EXPECT_EQ(w.groupCount, 1);
        EXPECT_EQ(w.placement[1][1], 1);
        EXPECT_EQ(w.groupMemberCount[1], 1);
        EXPECT_EQ(w.start.periodCount, 1);
        EXPECT_EQ(w.workFilePath, "/förra.pel"_cp);
        EXPECT_TRUE(w.dirty);
        EXPECT_EQ(app.screen.Combo1.items, std::vector<std::string>{"9C"});
        EXPECT_EQ(app.screen.Combo1.text, "9C");
        EXPECT_EQ(app.screen.caption, "Pelora:    /förra.pel"_cp);
    }

    const std::string question = "Vill du spara ändringarna?"_cp;
    const FileDialogRequest openRequest{"*.pel|*.pel", "", ""};
    TempFolder folder;
    std::string anna, bo;
};

TEST_F(WorkFile, AHandWrittenFileWithEveryKindOfLineIsSavedAsExpected) {
    const std::string path = kData + "/roundtrip.pel";
    desktop
        .expectMsgBox("Fel i " + path, Buttons::OkCancel, Icon::Exclamation, "Öppna"_cp, Answer::Ok)
        .expectMsgBox(" 1 elev(er) saknas i elevlistan och har tagits bort.", Buttons::Ok,
                      Icon::Information, "Öppna"_cp, Answer::Ok);
    openFromCommandLine("\"" + path + "\"");
    desktop.verify();

    const Work& w = app.work;
    EXPECT_EQ(w.workFilePath, path);
    EXPECT_TRUE(w.commandLineFile.empty());
    EXPECT_EQ(w.studentCount, 5);
    EXPECT_EQ(w.start.periodCount, 3);
    EXPECT_EQ(w.start.ignoreWishes, 1);
    EXPECT_EQ(w.studentTable[1].wishes, "DANS \r\n FOTBOLL-A \r\n  SCHACK");
    // The later of two lines with one key wins, and only its placements count.
    EXPECT_EQ(w.studentTable[5].wishes, "SCHACK");
    const int members[] = {0, 1, 1, 2, 0, 2};
    for (int g = 1; g <= 5; ++g)
        EXPECT_EQ(w.groupMemberCount[g], members[g]) << "group " << g;
    EXPECT_FALSE(w.dirty);

    const std::string saved = folder.path("sparad.pel");
    app.work.workFilePath = saved;
    Arkiv_Spara(app);
    EXPECT_EQ(fileBytes(saved), fileBytes(kData + "/roundtrip_saved.pel"));
    EXPECT_EQ(app.screen.caption, "Pelora:    " + saved);

    // What the program wrote it reads back as written.
    fs::copy_file(kData + "/roundtrip_elever.txt", folder.native() / "roundtrip_elever.txt");
    openFromCommandLine(saved);
    app.work.workFilePath = folder.path("igen.pel");
    Arkiv_Spara(app);
    EXPECT_EQ(fileBytes(folder.path("igen.pel")), fileBytes(saved));
}

TEST_F(WorkFile, TheSampleWorkOpensAndSavesByteForByte) {
    const std::string path = kShare + "/exempel/exempel.pel";
    Form_Load(app, 1000, 2000, "\"" + path + "\"");
    const Work& w = app.work;
    EXPECT_EQ(w.studentCount, 150);
    EXPECT_EQ(w.classCount, 6);
    EXPECT_EQ(w.groupCount, 14);
    EXPECT_EQ(w.start.periodCount, 2);
    EXPECT_EQ(app.screen.Combo1.text, "7A");

    // No two labels of one period overlap on the board (a label is 22 % by 11 % of it).
    for (int a = 1; a <= w.groupCount; ++a) {
        for (int b = a + 1; b <= w.groupCount; ++b) {
            const Group& x = w.groupTable[a];
            const Group& y = w.groupTable[b];
            if (x.periodText != y.periodText) continue;
            const bool apart = std::abs(x.boardLeft - y.boardLeft) >= 0.22 * 5430 ||
                               std::abs(x.boardTop - y.boardTop) >= 0.11 * 4545;
            EXPECT_TRUE(apart) << x.name << " and " << y.name;
        }
    }

    app.work.workFilePath = folder.path("exempel.pel");
    Arkiv_Spara(app);
    EXPECT_EQ(fileBytes(folder.path("exempel.pel")), fileBytes(path));
}

TEST_F(WorkFile, OpenShowsTheFirstClassAndRefreshesEverything) {
    const std::string path =
        workFile("mitt val.pel",
                 "ANTAL PERIODER:  2 \r\nVISA ALLA PERIODER:  0 \r\nGRUPPER:  1 \r\n"
                 "DANS,,2,,  10 ,  20 ,1\r\n" +
                     anna + ", DANS\t 1 , 0 \r\n");
    app.work.start.ignoreWishes = 1;
    app.screen.Combo3.text = "Ej gjort val";
    openFromCommandLine(path);
    EXPECT_EQ(app.work.start.ignoreWishes, 0);  // no line, no setting
    EXPECT_EQ(app.screen.Combo1.items, (std::vector<std::string>{"7A", "7B"}));
    EXPECT_EQ(app.screen.Combo1.text, "7A");
    EXPECT_EQ(app.screen.Combo3.text, "Alla");
    EXPECT_EQ(app.screen.Combo3.items.size(), 5u);  // the criteria of two periods
    EXPECT_EQ(app.screen.caption, "Pelora:    " + path);
    EXPECT_TRUE(app.screen.Label1[1].visible);
    EXPECT_EQ(app.screen.Label1[1].caption, "DANS\r\n 1  (1)");
    EXPECT_EQ(app.screen.status.caption.substr(0, 19), "2 elever, 1 grupper");
    EXPECT_FALSE(app.work.dirty);
}

TEST_F(WorkFile, OpenAsksToSaveAndCancelStopsEverything) {
    previousWork();
    desktop.expectMsgBox(question, Buttons::YesNoCancel, Icon::Question, "Öppna"_cp,
                         Answer::Cancel);
    Arkivoppna(app);
    expectPreviousWork();
}

TEST_F(WorkFile, OpenSavesFirstOnYesAndSharesTheFileNameWithTheSaveDialog) {
    const std::string target = workFile("val.pel", "GRUPPER:  0 \r\n");
    app.work.dirty = true;
    app.work.start.activity = "Ny";
    const std::string first = folder.path("först.pel"_cp);
    desktop.expectMsgBox(question, Buttons::YesNoCancel, Icon::Question, "Öppna"_cp, Answer::Yes)
        .expectSaveFile(first, FileDialogRequest{"*.pel|*.pel", "pel", ""})
        .expectOpenFile(target, FileDialogRequest{"*.pel|*.pel", "", first});
    Arkivoppna(app);
    desktop.verify();
    EXPECT_EQ(fileBytes(first).substr(0, 14), "AKTIVITET: Ny\r");
    EXPECT_EQ(app.work.workFilePath, target);
    EXPECT_EQ(app.work.start.activity, "Val");

    desktop.expectSaveFile(std::nullopt, FileDialogRequest{"*.pel|*.pel", "pel", target});
    Arkivsparasom(app);
    desktop.expectOpenFile(std::nullopt, FileDialogRequest{"*.pel|*.pel", "", target});
    Arkivoppna(app);
    EXPECT_EQ(app.work.workFilePath, target);
}

TEST_F(WorkFile, AFileThatCannotBeOpenedLeavesTheWorkAndItsFileName) {
    previousWork();
    const std::string missing = folder.path("saknas.pel");
    desktop.expectMsgBox(question, Buttons::YesNoCancel, Icon::Question, "Öppna"_cp, Answer::No)
        .expectOpenFile(missing)
        .expectMsgBox(missing + " kan inte öppnas."_cp, Buttons::Ok, Icon::Exclamation, "Öppna"_cp,
                      Answer::Ok);
    Arkivoppna(app);
    expectPreviousWork();

    desktop.expectMsgBox("\" kan inte öppnas."_cp, Buttons::Ok, Icon::Exclamation, "Öppna"_cp,
                         Answer::Ok);
    openFromCommandLine("\"\"\"");  // quotes only: one pair goes, one quote is left
    expectPreviousWork();
}

TEST_F(WorkFile, ABadLineAsksAndOkGoesOnWhileCancelKeepsWhatWasRead) {
    const std::string body = "GRUPPER:  1 \r\nDANS,,,,  0 ,  0 ,1\r\nXYZ\r\n" + anna +
                             ", DANS\t 1 \r\n" + bo + ", utan tab\r\n" + bo + ", FOTO\t 1 \r\n";
    const std::string path = workFile("val.pel", body);
    const std::string bad = "Fel i " + path;

    desktop.expectMsgBox(bad, Buttons::OkCancel, Icon::Exclamation, "Öppna"_cp, Answer::Ok)
        .expectMsgBox(bad, Buttons::OkCancel, Icon::Exclamation, "Öppna"_cp, Answer::Ok);
    openFromCommandLine(path);
    desktop.verify();
    EXPECT_EQ(app.work.studentTable[2].wishes, "FOTO");
    EXPECT_EQ(app.work.groupMemberCount[1], 2);
    EXPECT_EQ(app.work.workFilePath, path);

    previousWork();
    desktop.expectMsgBox(bad, Buttons::OkCancel, Icon::Exclamation, "Öppna"_cp, Answer::Ok)
        .expectMsgBox(bad, Buttons::OkCancel, Icon::Exclamation, "Öppna"_cp, Answer::Cancel);
    openFromCommandLine(path);
    desktop.verify();
    const Work& w = app.work;
    EXPECT_EQ(w.start.activity, "Val");
    EXPECT_EQ(w.studentCount, 2);
    EXPECT_EQ(w.studentTable[1].wishes, "DANS");
    EXPECT_EQ(w.studentTable[2].wishes, "");  // the line after the cancel is never read
    EXPECT_EQ(w.groupMemberCount[1], 1);
    EXPECT_FALSE(w.dirty);
    // Only part of the file is in memory: the next save asks for a name.
    EXPECT_EQ(w.workFilePath, "");
    EXPECT_EQ(app.screen.caption, "Pelora");
    app.work.dirty = true;
    desktop.expectSaveFile(std::nullopt);
    Arkiv_Spara(app);
    EXPECT_TRUE(app.work.dirty);
}

TEST_F(WorkFile, MissingPupilsAreCountedOnceAtTheEnd) {
    const std::string path =
        workFile("val.pel", "GRUPPER:  1 \r\nDANS,,,,  0 ,  0 ,1\r\nQQQQ, DANS\t 1 \r\n" + anna +
                                ", DANS\t 1 \r\nRRRR, utan tab\r\nXYZ\r\n");
    desktop
        .expectMsgBox("Fel i " + path, Buttons::OkCancel, Icon::Exclamation, "Öppna"_cp, Answer::Ok)
        .expectMsgBox(" 2 elev(er) saknas i elevlistan och har tagits bort.", Buttons::Ok,
                      Icon::Information, "Öppna"_cp, Answer::Ok);
    openFromCommandLine(path);
    EXPECT_EQ(app.work.groupMemberCount[1], 1);
}

TEST_F(WorkFile, ARosterThatCannotBeFoundIsAskedForAndGivingUpEndsTheProgram) {
    const std::string path = folder.write("val.pel", "ELEVLISTA: borta.txt\r\nGRUPPER:  0 \r\n");
    desktop.expectInputBox("Kan ej öppna borta.txt. Ange ny sökväg."_cp, "Öppna elevlista"_cp,
                           "borta.txt", folder.path("elever.txt"));
    openFromCommandLine(path);
    EXPECT_EQ(app.work.studentCount, 2);
    EXPECT_EQ(app.work.start.studentListPath, folder.path("elever.txt"));
    EXPECT_FALSE(app.work.dirty);

    desktop
        .expectInputBox("Kan ej öppna borta.txt. Ange ny sökväg."_cp, "Öppna elevlista"_cp,
                        "borta.txt", "")
        .expectMsgBox("Redigera vid behov " + path + ". Programmet avslutas.", Buttons::Ok,
                      Icon::Critical, "Öppna elevlista"_cp, Answer::Ok);
    EXPECT_THROW(openFromCommandLine(path), ProgramEnd);
}

struct RefusalCase {
    std::string body;
    std::string problem;  // empty: the roster's refusal
};

TEST_F(WorkFile, AFileOutsideTheTablesIsRefusedAndThePreviousWorkComesBack) {
    std::string bigRoster;
    for (int i = 0; i < 601; ++i)
        bigRoster += "Elev nummer " + std::to_string(i) + "\t1\t7A\r\n";
    folder.write("stor.txt", bigRoster);
    const RefusalCase cases[] = {
        {"GRUPPER:  101 \r\n",
         "filen anger 101 grupper, men programmet hanterar högst 100 grupper."_cp},
        {"GRUPPER: 1e12\r\n",
         "filen anger 1e12 grupper, men programmet hanterar högst 100 grupper."_cp},
        {"GRUPPER:  3 \r\nA\r\nB", "filen tar slut efter 2 av sina 3 grupprader."},
        {"GRUPPER:  1 \r\n", "filen tar slut efter 0 av sina 1 grupprader."},
        {"GRUPPER:  0 \r\n" + anna + ", \t 101 ",
         "en elev har gruppnummer 101 i period 1, men gruppnumren går från 0 till 100."_cp},
        {"ANTAL PERIODER: 2\r\nGRUPPER:  0 \r\n" + anna + ", \t 1 , -1 ",
         "en elev har gruppnummer -1 i period 2, men gruppnumren går från 0 till 100."_cp},
        {"ANTAL PERIODER:  11 \r\n",
         "filen anger 11 perioder, men programmet hanterar 1 till 10 perioder."},
        {"ANTAL PERIODER:  0 \r\n",
         "filen anger 0 perioder, men programmet hanterar 1 till 10 perioder."},
        {"ELEVLISTA: stor.txt\r\n", ""},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.body);
        previousWork();
        const std::string path = workFile("fel.pel", c.body);
        if (c.problem.empty()) {
            desktop.expectMsgBox(
                "Elevlistan stor.txt har fler än 600 elever i de klasser som ska läsas in. "
                "Programmet hanterar högst 600 elever. Inga elever har lästs in. Ange färre "
                "klasser under Klasser i startdata."_cp,
                Buttons::Ok, Icon::Exclamation, "Öppna elevlista"_cp, Answer::Ok);
            desktop.expectMsgBox(path + " kan inte öppnas."_cp, Buttons::Ok, Icon::Exclamation,
                                 "Öppna"_cp, Answer::Ok);
        } else {
            desktop.expectMsgBox("Fel i " + path + ": " + c.problem + " Filen har inte öppnats."_cp,
                                 Buttons::Ok, Icon::Exclamation, "Öppna"_cp, Answer::Ok);
        }
        openFromCommandLine(path);
        desktop.verify();
        expectPreviousWork();
    }
}

TEST_F(WorkFile, AFileWithoutPeriodLinesHasOnePeriod) {
    app.work.start.periodCount = 4;
    openFromCommandLine(workFile("val.pel", "GRUPPER:  0 \r\n" + anna + ", A\t 0 , 7 \r\n"));
    EXPECT_EQ(app.work.start.periodCount, 1);
    EXPECT_EQ(app.work.placement[2][1], 0);
}

TEST_F(WorkFile, SaveWithoutANameAsksAndCancelSavesNothing) {
    app.work.dirty = true;
    desktop.expectSaveFile(std::nullopt, FileDialogRequest{"*.pel|*.pel", "pel", ""});
    Arkiv_Spara(app);
    EXPECT_TRUE(app.work.dirty);
    EXPECT_EQ(app.work.workFilePath, "");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.native()), fs::directory_iterator()), 1);
    EXPECT_EQ(desktop.messages.size(), 0u);
}

TEST_F(WorkFile, SaveAsOntoAnExistingFileAsksAndNoNeverWritesThere) {
    const std::string other = folder.write("annan.pel", "annat arbete");
    const std::string replace =
        other + ". Fil med detta namn finns redan. Vill du ersätta befintlig fil?"_cp;

    // A work without a name: No leaves it without one, so the next save asks again.
    app.work.dirty = true;
    desktop.expectSaveFile(other).expectMsgBox(replace, Buttons::YesNo, Icon::Question, "Spara som",
                                               Answer::No);
    Arkiv_Spara(app);
    desktop.verify();
    EXPECT_EQ(app.work.workFilePath, "");
    EXPECT_TRUE(app.work.dirty);
    desktop.expectSaveFile(std::nullopt);
    Arkiv_Spara(app);
    desktop.verify();

    // A work with a file keeps saving to its own file.
    const std::string own = folder.path("egen.pel");
    app.work.workFilePath = own;
    desktop.expectSaveFile(other).expectMsgBox(replace, Buttons::YesNo, Icon::Question, "Spara som",
                                               Answer::No);
    Arkivsparasom(app);
    desktop.verify();
    EXPECT_EQ(app.work.workFilePath, own);
    Arkiv_Spara(app);
    EXPECT_EQ(fileBytes(other), "annat arbete");
    EXPECT_EQ(fileBytes(own).substr(0, 11), "AKTIVITET: ");
    EXPECT_FALSE(app.work.dirty);

    // Yes replaces it.
    app.work.dirty = true;
    desktop.expectSaveFile(other).expectMsgBox(replace, Buttons::YesNo, Icon::Question, "Spara som",
                                               Answer::Yes);
    Arkivsparasom(app);
    EXPECT_EQ(app.work.workFilePath, other);
    EXPECT_EQ(fileBytes(other), fileBytes(own));
    EXPECT_FALSE(app.work.dirty);
    EXPECT_EQ(app.screen.caption, "Pelora:    " + other);
}

TEST_F(WorkFile, AFailedSaveKeepsTheOldFileAndTheDirtyFlag) {
    const std::string old = "AKTIVITET: Gammalt\r\nGRUPPER:  0 \r\n";
    const std::string path = folder.write("val.pel", old);
    fs::create_directory(fs::path(cp1252ToUtf8(temporaryPathFor(path))));
    app.work.workFilePath = path;
    app.work.dirty = true;
    app.work.start.activity = "Nytt";
    desktop.expectMsgBox("Kan inte spara " + path, Buttons::Ok, Icon::Exclamation, "Spara",
                         Answer::Ok);
    Arkiv_Spara(app);
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_TRUE(app.work.dirty);
    EXPECT_EQ(app.screen.caption, "Pelora:    " + path);

    // Through Save as the message comes once.
    desktop.expectSaveFile(path)
        .expectMsgBox(path + ". Fil med detta namn finns redan. Vill du ersätta befintlig fil?"_cp,
                      Buttons::YesNo, Icon::Question, "Spara som", Answer::Yes)
        .expectMsgBox("Kan inte spara " + path, Buttons::Ok, Icon::Exclamation, "Spara",
                      Answer::Ok);
    Arkivsparasom(app);
    EXPECT_EQ(fileBytes(path), old);
}

}  // namespace
}  // namespace pelora::test
