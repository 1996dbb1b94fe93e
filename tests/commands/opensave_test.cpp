// The roster and the work file: reading, writing, and the questions on the way.
#include "commands/opensave.h"
#include "commands/board.h"
#include "commands/lifecycle.h"
#include "commands/readroster.h"
#include "commands/startdata.h"
#include "core_fixture.h"
#include "failing_files.h"
#include "formats/roster.h"
#include "formats/workfile.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

namespace fs = std::filesystem;

class Roster : public CoreTest {
protected:
    // Reads the roster and gives its pupils as "name/class;" in order.
    std::string read(const std::string& bytes) {
        folder.write("elever.txt", bytes);
        app.work.start.studentListPath = folder.text("elever.txt");
        EXPECT_TRUE(Hamta_elever(app));
        std::string all;
        for (int i = 1; i <= app.work.studentCount; ++i) {
            all += app.work.studentTable[i].name + "/" + app.work.studentTable[i].className + ";";
        }
        return all;
    }

    const std::string title = "Öppna elevlista"_cp;
    TempFolder folder;
};

TEST_F(Roster, ReadsPupilLinesInFileOrderWithAnyLineEnd) {
    for (const std::string end : {"\r\n", "\r", "\n"}) {
        SCOPED_TRACE(end.size() == 2 ? "CR LF" : end == "\r" ? "CR" : "LF");
        app.work.placement[1][2] = 5;
        app.work.studentTable[1].wishes = "GAMMALT";
        EXPECT_EQ(read("Namn\tPersonnummer\tKlass" + end + "Bo E\t9001011234\t7A" + end +
                       "Ann B\t12\t7" + end + "Anna Berg \t 19900101-1234 \t7b " + end + end +
                       "  Ann\t12\t7A" + end + "Ulla Ek\t1\t8a\tx"),
                  "Anna Berg/7B;Ann/7A;Ulla Ek/8A\tX;");
        EXPECT_EQ(app.work.studentTable[1].wishes, "");
        EXPECT_EQ(app.work.placement[1][2], 0);
        EXPECT_EQ(app.screen.Combo1.items, (std::vector<std::string>{"7B", "7A", "8A\tX"}));
    }
}

TEST_F(Roster, TheClassFilterIsComparedAsStoredAndALineWithOneTabEndsTheProgram) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "Anna Berg/7A;Bo Ekman/7B;Carl Dahl/7;"},
        {"7A 7B", "Anna Berg/7A;Bo Ekman/7B;"},
        {"7a", ""},
        {"7", "Carl Dahl/7;"},
    };
    for (const auto& [filter, pupils] : cases) {
        app.work.start.classFilter = filter;
        EXPECT_EQ(read("Anna Berg\t1\t7a\r\nBo Ekman\t1\t7B\r\nCarl Dahl\t1\t7\r\n"), pupils)
            << "filter " << filter;
    }
    // A pupil line with only one TAB ends the program, whatever the filter.
    desktop.expectMsgBox("Elevlistan har inte rätt format. Programmet avslutas."_cp, Buttons::Ok,
                         Icon::Critical, "Fel i elevfil", Answer::Ok);
    EXPECT_THROW(read("Anna Berg\t9001011234\t7A\r\nBo Ekman\t9001011234\r\n"), ProgramEnd);
}

TEST_F(Roster, AsksForAnotherPathUntilOneOpensOrTheUserGivesUp) {
    folder.write("elever.txt", "Anna Berg\t9001011234\t7A\r\n");
    const std::string good = folder.text("elever.txt");
    const std::string missing = folder.text("saknas ö.txt"_cp);
    const std::string prompt = "Kan ej öppna "_cp + missing + ". Ange ny sökväg."_cp;
    app.work.start.studentListPath = "saknas.txt";
    desktop
        .expectInputBox("Kan ej öppna saknas.txt. Ange ny sökväg."_cp, title, "saknas.txt", missing)
        .expectInputBox(prompt, title, missing, good);
    EXPECT_TRUE(Hamta_elever(app));
    EXPECT_EQ(app.work.start.studentListPath, good);
    EXPECT_FALSE(app.run.dirty);  // a new path alone is no change

    // A path typed without a folder, or with a line break pasted into it, is kept as the path of
    // the file it opened, so the work reads the same roster from wherever it is opened later.
    for (const std::string typed : {"elever.txt", "\r\nelever.txt\r\n"}) {
        const CurrentFolder here(folder.native());
        app.work.start.studentListPath = "saknas.txt";
        desktop.expectInputBox("Kan ej öppna saknas.txt. Ange ny sökväg."_cp, title, "saknas.txt",
                               typed);
        EXPECT_TRUE(Hamta_elever(app));
        EXPECT_EQ(app.work.start.studentListPath, good);
    }

    const std::pair<std::string, std::string> giveUps[] = {
        {"", "Redigera vid behov . Programmet avslutas."},
        {"/skola/val.pel", "Redigera vid behov /skola/val.pel. Programmet avslutas."},
    };
    for (const auto& [workFile, message] : giveUps) {
        app.run.workFilePath = workFile;
        app.work.start.studentListPath = missing;
        desktop.expectInputBox(prompt, title, missing, "")
            .expectMsgBox(message, Buttons::Ok, Icon::Critical, title, Answer::Ok);
        EXPECT_THROW(Hamta_elever(app), ProgramEnd);
        desktop.verify();
    }
}

TEST_F(Roster, AWorkOpensWith600PupilsAnd50ClassesButNotWithMore) {
    const fs::path work = folder.write("val.pel", "ELEVLISTA: elever.txt\r\n");
    const std::tuple<int, int, std::string> cases[] = {
        {601, 50,
         "har fler än 600 elever i de klasser som ska läsas in (rad 601). Programmet hanterar "
         "högst 600 elever."_cp},
        {51, 51, "har fler än 50 klasser (rad 51). Programmet hanterar högst 50 klasser."_cp},
        {600, 50, ""},
    };
    for (const auto& [pupils, classes, problem] : cases) {
        std::string text;
        for (int i = 0; i < pupils; ++i)
            text += "Elev " + std::to_string(i) + "\t1\tK" + std::to_string(i % classes) + "\r\n";
        folder.write("elever.txt", text);
        if (!problem.empty()) {
            desktop
                .expectMsgBox("Elevlistan elever.txt " + problem +
                                  " Inga elever har lästs in. Ange färre klasser under Klasser i "
                                  "startdata."_cp,
                              Buttons::Ok, Icon::Exclamation, title, Answer::Ok)
                .expectMsgBox(shown(work) + " kan inte öppnas."_cp, Buttons::Ok, Icon::Exclamation,
                              "Öppna"_cp, Answer::Ok);
        }
        app.run.commandLineFile = work;
        Arkivoppna(app);
        desktop.verify();
        EXPECT_EQ(app.work.studentCount, problem.empty() ? 600 : 0) << pupils << " pupils";
    }
}

// Work files in a folder "skolår" beside their roster, which they name without a folder: Anna
// Berg in 7A and Bo Ekman in 7B.
class WorkFile : public CoreTest {
protected:
    void SetUp() override {
        fs::create_directory(folder.native() / "skolår");
        folder.write("skolår/elever.txt"_cp,
                     "Anna Berg\t9001011234\t7A\r\nBo Ekman\t9102021234\t7B\r\n");
    }

    fs::path workFile(const std::string& body) {
        return folder.write("skolår/val.pel"_cp,
                            "AKTIVITET: Val\r\nELEVLISTA: elever.txt\r\n" + body);
    }

    void open(const fs::path& commandLine) {
        app.run.commandLineFile = commandLine;
        Arkivoppna(app);
        desktop.verify();
    }

    void expectOpenMessage(const std::string& text, Buttons buttons = Buttons::Ok,
                           Answer answer = Answer::Ok, Icon icon = Icon::Exclamation) {
        desktop.expectMsgBox(text, buttons, icon, "Öppna"_cp, answer);
    }

    // A work that an open must either replace or leave exactly as it was.
    void previousWork() {
        Work& w = app.work;
        w.start.activity = "Förra"_cp;
        w.studentCount = w.groupCount = w.groupMemberCount[1] = w.placement[1][1] = 1;
        w.studentTable[1] = {"Cilla Dahl", "WXYZ", "9C", "DANS"};
        w.groupTable[1] = {"DANS", "", "", "", "1", 100, 100};
        app.run.workFilePath = "/förra.pel";
        app.run.dirty = true;
        app.screen.Combo1.text = "9C";
        previous = workState();
    }

    // The work and what the window shows of it, as one text to compare.
    std::string workState() const {
        const Work& w = app.work;
        return workFileBytes(w) + app.run.workFilePath.string() +
               (app.run.dirty ? " dirty " : " ") + std::to_string(w.groupMemberCount[1]) + " " +
               app.screen.Combo1.text;
    }

    const std::string anna = studentKey("9001011234"), bo = studentKey("9102021234");
    std::string previous;
    TempFolder folder;
};

TEST_F(WorkFile, TheSampleOpensFromAQuotedCommandLineAndSavesByteForByte) {
    const std::string path = PELORA_SHARE "/exempel/exempel.pel";
    Form_Load(app, 1000, 2000, "\"" + path + "\"");
    app.run.workFilePath = folder.path("exempel.pel");
    Arkiv_Spara(app);
    EXPECT_EQ(fileBytes(folder.path("exempel.pel")), fileBytes(path));
}

TEST_F(WorkFile, AFileThatCannotBeOpenedLeavesTheWorkAndItsFileName) {
    fs::create_directory(folder.native() / "mapp.pel");
    fs::path last;  // the dialog starts with the name chosen last
    for (const fs::path& path :
         {folder.path("saknas.pel"), folder.path("mapp.pel"), fs::path("/dev/zero")}) {
        previousWork();
        desktop
            .expectMsgBox("Vill du spara ändringarna?"_cp, Buttons::YesNoCancel, Icon::Question,
                          "Öppna"_cp, Answer::No)
            .expectOpenFile(path, FileDialogRequest{"*.pel|*.pel", "", last});
        expectOpenMessage(shown(path) + " kan inte öppnas."_cp);
        open("");
        EXPECT_EQ(workState(), previous);
        last = path;
    }
}

TEST_F(WorkFile, ABadLineAsksOkGoesOnCancelKeepsWhatWasReadAndMissingPupilsComeLast) {
    const std::string path = shown(workFile(
        "GRUPPER:  1 \r\nDANS,,,,  0 ,  0 ,1\r\nXYZ\r\nQQQQ, A\t 1 \r\n" + anna +
        ", DANS\t 1 \r\nRRRR, utan tab\r\n" + bo + ", utan tab\r\n" + bo + ", FOTO\t 1 \r\n"));
    app.work.start.ignoreWishes = 1;
    expectOpenMessage("Fel i " + path, Buttons::OkCancel);
    expectOpenMessage("Fel i " + path, Buttons::OkCancel);
    expectOpenMessage(" 2 elev(er) saknas i elevlistan och har tagits bort.", Buttons::Ok,
                      Answer::Ok, Icon::Information);
    open(folder.path("skolår/val.pel"_cp));
    EXPECT_EQ(app.work.studentTable[2].wishes, "FOTO");
    EXPECT_EQ(app.work.groupMemberCount[1], 2);
    EXPECT_EQ(app.work.start.ignoreWishes, 0);  // no line, no setting
    EXPECT_EQ(app.screen.Combo1.text, "7A");
    EXPECT_FALSE(app.run.dirty);

    previousWork();
    expectOpenMessage("Fel i " + path, Buttons::OkCancel);
    expectOpenMessage("Fel i " + path, Buttons::OkCancel, Answer::Cancel);
    open(folder.path("skolår/val.pel"_cp));
    EXPECT_EQ(app.work.studentTable[1].wishes, "DANS");
    EXPECT_EQ(app.work.studentTable[2].wishes, "");
    EXPECT_FALSE(app.run.dirty);
    // Only part of the file is in memory: the next save asks for a name.
    EXPECT_EQ(app.screen.caption, "Pelora");
    desktop.expectSaveFile(std::nullopt, FileDialogRequest{"*.pel|*.pel", "pel", ""});
    Arkiv_Spara(app);
}

TEST_F(WorkFile, SaveAsOntoAnExistingFileAsksAndNoNeverWritesThere) {
    const fs::path other = folder.write("annan.pel", "annat arbete");
    auto expectReplace = [&](Answer answer) {
        desktop.expectSaveFile(other).expectMsgBox(
            shown(other) + ". Fil med detta namn finns redan. Vill du ersätta befintlig fil?"_cp,
            Buttons::YesNo, Icon::Question, "Spara som", answer);
    };
    const fs::path own = folder.path("egen.pel");
    app.run.workFilePath = own;
    expectReplace(Answer::No);
    Arkivsparasom(app);
    Arkiv_Spara(app);  // goes on saving to the work's own file
    EXPECT_EQ(fileBytes(other), "annat arbete");
    // One period and no "EJ ÖNSKEMÅL": neither has a line.
    EXPECT_EQ(fileBytes(own),
              "AKTIVITET: \r\nSKOLA: \r\nPERIOD: \r\nKLASSER: \r\nELEVLISTA: \r\nGRUPPER:  0 \r\n");
    EXPECT_EQ(app.screen.caption, "Pelora:    " + shown(own));

    app.run.dirty = true;
    expectReplace(Answer::Yes);
    Arkivsparasom(app);
    EXPECT_EQ(fileBytes(other), fileBytes(own));
    EXPECT_FALSE(app.run.dirty);
    EXPECT_EQ(app.screen.caption, "Pelora:    " + shown(other));
}

TEST_F(WorkFile, ASaveNeverTouchesAFileOfTheUsersOwnAndAFailedSaveKeepsDirty) {
    const fs::path path = folder.write("val.pel", "AKTIVITET: Gammalt\r\n");
    folder.write("val.pel.tmp", "eget");                 // a name a save might have used
    fs::create_directory(folder.native() / "mapp.pel");  // cannot be replaced by a file
    app.run.workFilePath = path;
    app.run.dirty = true;
    Arkiv_Spara(app);
    EXPECT_FALSE(app.run.dirty);
    EXPECT_EQ(fileBytes(folder.path("val.pel.tmp")), "eget");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.native()), fs::directory_iterator()), 4);

    for (const fs::path& failing : {folder.path("mapp.pel"), folder.path("saknas/val.pel")}) {
        app.run.workFilePath = failing;
        app.run.dirty = true;
        desktop.expectMsgBox("Kan inte spara " + shown(failing), Buttons::Ok, Icon::Exclamation,
                             "Spara", Answer::Ok);
        Arkiv_Spara(app);
        desktop.verify();
        EXPECT_TRUE(app.run.dirty);
        EXPECT_EQ(app.screen.caption, "Pelora:    " + shown(failing));
    }
}

// A work started with New from a roster named without a folder, saved elsewhere, and opened again
// by a program started in yet another folder still has every pupil.
TEST_F(WorkFile, ANewWorkOpensWithAllItsPupilsWhereverItIsSavedAndTheProgramStarted) {
    fs::create_directory(folder.native() / "sparat");
    {
        const CurrentFolder started(folder.native() / "skolår");
        desktop.expectDialog(Dialog::StartData, [&] {
            app.form3.Text3.text = "elever.txt";
            form3::Command1_Click(app);
        });
        Arkiv_Nytt(app);
        EXPECT_EQ(app.work.studentCount, 2);
        EXPECT_EQ(app.work.start.studentListPath, folder.text("skolår/elever.txt"_cp));
        desktop.expectSaveFile(folder.path("sparat/val.pel"));
        Arkiv_Spara(app);
    }
    const CurrentFolder elsewhere(folder.native());
    App again(desktop);
    again.run.commandLineFile = folder.path("sparat/val.pel");
    Arkivoppna(again);
    EXPECT_EQ(again.work.studentCount, 2);

    // A work that was opened keeps its roster path as the file has it, found beside the file.
    const fs::path opened = workFile("");
    again.run.commandLineFile = opened;
    Arkivoppna(again);
    EXPECT_EQ(again.work.studentCount, 2);
    Arkiv_Spara(again);
    EXPECT_EQ(fileBytes(opened),
              "AKTIVITET: Val\r\nSKOLA: \r\nPERIOD: \r\nKLASSER: \r\n"
              "ELEVLISTA: elever.txt\r\nGRUPPER:  0 \r\n" +
                  anna + ", \t 0 \r\n" + bo + ", \t 0 \r\n");
}

// Whatever goes wrong in the middle of an open, the previous work comes back whole, so no half
// work carries the file's name to the next save.
TEST_F(WorkFile, AFailureInTheMiddleOfAnOpenBringsThePreviousWorkBack) {
    FailingFileSystem files;
    files.throwOnReading = "elever.txt";
    App failing(desktop, files);
    failing.work.start.activity = "Förra"_cp;
    failing.run.workFilePath = "/förra.pel";
    failing.run.dirty = true;
    const std::string before = workFileBytes(failing.work);
    desktop.expectMsgBox("Läsfel på disken"_cp, Buttons::Ok, Icon::Exclamation, "Öppna"_cp,
                         Answer::Ok);
    failing.run.commandLineFile = workFile("");
    runGuarded(desktop, "Öppna"_cp, [&] { Arkivoppna(failing); });
    EXPECT_EQ(workFileBytes(failing.work), before);
    EXPECT_EQ(failing.run.workFilePath, "/förra.pel");
    EXPECT_TRUE(failing.run.dirty);
}

// Opening a one-period work after period 2 of another was shown, or cancelling at a bad line:
// the board shows the groups that were read, in a period the work has.
TEST_F(WorkFile, AfterAnOpenTheBoardShowsTheGroupsReadInAPeriodTheWorkHas) {
    open(
        workFile("ANTAL PERIODER:  2 \r\nVISA ALLA PERIODER:  1 \r\nGRUPPER:  2 \r\n"
                 "DANS,,,,  0 ,  0 ,1\r\nFOTO,,,,  0 ,  0 ,2\r\n"));
    EXPECT_EQ(app.work.start.showAllPeriods, 1);
    app.work.start.showAllPeriods = 0;
    Form_Activate(app);
    Command9_Click(app);
    EXPECT_EQ(app.run.currentPeriod, 2);
    app.work.start.showAllPeriods = 1;

    open(
        workFile("GRUPPER:  3 \r\nKOR,,,,  0 ,  0 ,1\r\nSLÖJD,,,,  0 ,  0 ,1\r\n"_cp
                 "BILD,,,,  0 ,  0 ,1\r\n"));
    EXPECT_EQ(app.run.currentPeriod, 1);
    EXPECT_EQ(app.work.start.showAllPeriods, 0);  // no line, no setting
    EXPECT_EQ(app.screen.periodDisplay.caption, "");
    EXPECT_EQ(app.screen.status.caption,
              "2 elever, 3 grupper   (snitt: 1 el/gr)\r\n 0 elev(er) placerade enl "
              "1:a-handsval\r\n 2 elev(er) ej placerad(e)");
    for (int g = 1; g <= 3; ++g)
        EXPECT_TRUE(app.screen.Label1[g].visible) << g;

    // Cancel at a bad line keeps what was read, and the board shows it.
    expectOpenMessage("Fel i " + shown(folder.path("skolår/val.pel"_cp)), Buttons::OkCancel,
                      Answer::Cancel);
    open(workFile("GRUPPER:  1 \r\nTENNIS,,,,  0 ,  0 ,1\r\nXYZ\r\n"));
    EXPECT_EQ(app.screen.Label1[1].caption, "TENNIS\r\n 0");
    EXPECT_TRUE(app.screen.Label1[1].visible);
    EXPECT_FALSE(app.screen.Label1[2].visible || app.screen.Label1[3].visible);
}

// Paths are kept as the system names them; only the screen shows them in Windows-1252.
TEST_F(WorkFile, AWorkWhoseNameWindows1252CannotHoldOpensAndSaves) {
    const fs::path path = folder.native() / "skolår" / "Łódź.pel";
    fs::copy_file(workFile("GRUPPER:  0 \r\n" + anna + ", DANS\t 0 \r\n"), path);
    open(path);
    EXPECT_EQ(app.run.workFilePath, path);
    EXPECT_EQ(app.work.studentTable[1].wishes, "DANS");
    app.work.studentTable[1].wishes = "FOTO";
    Arkiv_Spara(app);
    EXPECT_NE(fileBytes(path).find(anna + ", FOTO\t"), std::string::npos);
    EXPECT_EQ(app.screen.caption, "Pelora:    " + shown(folder.path("skolår"_cp)) + "/?ód?.pel"_cp);
}

TEST_F(WorkFile, ARefusalQuotesAtMostSixtyCharactersOfTheField) {
    const std::string huge(100000, '7');
    const fs::path path = workFile("ANTAL PERIODER: x" + huge + "\r\n");
    expectOpenMessage("Fel i " + shown(path) + ", rad 3: filen anger x" + huge.substr(0, 59) +
                      "… perioder, men programmet hanterar 1 till 10 perioder. Filen har inte "
                      "öppnats."_cp);
    open(path);
    // A roster path as long shows its start when the roster cannot be opened.
    app.work.start.studentListPath = huge;
    desktop
        .expectInputBox("Kan ej öppna "_cp + huge.substr(0, 300) + "…. Ange ny sökväg."_cp,
                        "Öppna elevlista"_cp, huge, "")
        .expectMsgBox(
            "Redigera vid behov " + shown(app.run.workFilePath) + ". Programmet avslutas.",
            Buttons::Ok, Icon::Critical, "Öppna elevlista"_cp, Answer::Ok);
    EXPECT_THROW(Hamta_elever(app), ProgramEnd);
}

TEST_F(WorkFile, AWorkNamedOnTheCommandLineByARelativePathIsShownByItsWholePath) {
    const fs::path path = workFile("");
    const CurrentFolder started(folder.native());
    Form_Load(app, 1000, 2000, "\"skolår/val.pel\"");
    EXPECT_EQ(app.run.workFilePath, path);
    EXPECT_EQ(app.screen.caption, "Pelora:    " + shown(path));
}

}  // namespace
}  // namespace pelora::test
