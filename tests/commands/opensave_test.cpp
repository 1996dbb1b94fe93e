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
        for (int i = 1; i <= app.work.studentCount; ++i)
            all += app.work.studentTable[i].name + "/" + app.work.studentTable[i].className + ";";
        return all;
    }

    const std::string title = "Öppna elevlista"_cp;
    TempFolder folder;
};

// Any line end; a header, a short name, an empty line skipped; names and classes trimmed, classes
// in capitals; placements and wishes of an earlier roster cleared.
TEST_F(Roster, ReadsPupilLinesInFileOrderWithAnyLineEnd) {
    for (const std::string end : {"\r\n", "\r", "\n"}) {
        app.work.placement[1][2] = 5;
        app.work.studentTable[1].wishes = "GAMMALT";
        EXPECT_EQ(read("Namn\tPersonnummer\tKlass" + end + "Bo E\t9001011234\t7A" + end +
                       "Ann B\t12\t7" + end + "Anna Berg \t 19900101-1234 \t7b " + end + end +
                       "  Ann\t12\t7A" + end + "Ulla Ek\t1\t8a\tx"),
                  "Anna Berg/7B;Ann/7A;Ulla Ek/8A\tX;");
        EXPECT_EQ(app.work.studentTable[1].wishes + std::to_string(app.work.placement[1][2]), "0");
        EXPECT_EQ(app.screen.Combo1.items, (std::vector<std::string>{"7B", "7A", "8A\tX"}));
    }
    // The class filter is compared as stored.
    const std::pair<std::string, std::string> filters[] = {
        {"7A 7B", "Anna Berg/7A;Bo Ekman/7B;"}, {"7a", ""}, {"7", "Carl Dahl/7;"}};
    for (const auto& [filter, pupils] : filters) {
        app.work.start.classFilter = filter;
        EXPECT_EQ(read("Anna Berg\t1\t7a\r\nBo Ekman\t1\t7B\r\nCarl Dahl\t1\t7\r\n"), pupils);
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
    auto expectPrompt = [&](const std::string& typed) {
        app.work.start.studentListPath = "saknas.txt";
        desktop.expectInputBox("Kan ej öppna saknas.txt. Ange ny sökväg."_cp, title, "saknas.txt",
                               typed);
    };
    expectPrompt(missing);
    desktop.expectInputBox(prompt, title, missing, good);
    EXPECT_TRUE(Hamta_elever(app));
    EXPECT_EQ(app.work.start.studentListPath, good);
    EXPECT_FALSE(app.run.dirty);  // a new path alone is no change

    // A path typed without a folder, or with a line break pasted into it, is kept as the path of
    // the file it opened, so the work reads the same roster from wherever it is opened later.
    for (const std::string typed : {"elever.txt", "\r\nelever.txt\r\n"}) {
        const CurrentFolder here(folder.native());
        expectPrompt(typed);
        EXPECT_TRUE(Hamta_elever(app));
        EXPECT_EQ(app.work.start.studentListPath, good);
    }

    // Giving up ends the program; a path from a damaged work file shows its first 300 characters.
    const std::string huge(100000, '7');
    const std::tuple<std::string, std::string, std::string> giveUps[] = {
        {"/skola/val.pel", missing, prompt},
        {"", huge, "Kan ej öppna "_cp + huge.substr(0, 300) + "…. Ange ny sökväg."_cp}};
    for (const auto& [workFile, path, shownPrompt] : giveUps) {
        app.run.workFilePath = workFile;
        app.work.start.studentListPath = path;
        desktop.expectInputBox(shownPrompt, title, path, "")
            .expectMsgBox("Redigera vid behov " + workFile + ". Programmet avslutas.", Buttons::Ok,
                          Icon::Critical, title, Answer::Ok);
        EXPECT_THROW(Hamta_elever(app), ProgramEnd);
        desktop.verify();
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

    const std::string anna = studentKey("9001011234"), bo = studentKey("9102021234");
    TempFolder folder;
};

// The sample opens from a quoted command line and saves byte for byte; a relative path on the
// command line is taken from the folder the program started in.
TEST_F(WorkFile, TheCommandLineOpensTheSampleWhichSavesByteForByte) {
    const std::string path = PELORA_SHARE "/exempel/exempel.pel";
    Form_Load(app, 1000, 2000, "\"" + path + "\"");
    app.run.workFilePath = folder.path("exempel.pel");
    Arkiv_Spara(app);
    EXPECT_EQ(fileBytes(folder.path("exempel.pel")), fileBytes(path));

    const fs::path relative = workFile("");
    const CurrentFolder started(folder.native());
    Form_Load(app, 1000, 2000, "\"skolår/val.pel\"");
    EXPECT_EQ(app.screen.caption, "Pelora:    " + shown(relative));
}

// A file that cannot be read is told; the work keeps its content, its changes and its own file
// name, and the dialog starts with the name chosen last.
TEST_F(WorkFile, AFileThatCannotBeOpenedLeavesTheWorkAndItsFileName) {
    fs::create_directory(folder.native() / "mapp.pel");
    app.work.start.activity = "Förra"_cp;
    app.run.workFilePath = "/förra.pel";
    const std::string before = workFileBytes(app.work) + "/förra.pel dirty";
    fs::path last;
    for (const fs::path& path :
         {folder.path("saknas.pel"), folder.path("mapp.pel"), fs::path("/dev/zero")}) {
        app.run.dirty = true;
        desktop
            .expectMsgBox("Vill du spara ändringarna?"_cp, Buttons::YesNoCancel, Icon::Question,
                          "Öppna"_cp, Answer::No)
            .expectOpenFile(path, FileDialogRequest{"*.pel|*.pel", "", last});
        expectOpenMessage(shown(path) + " kan inte öppnas."_cp);
        open("");
        EXPECT_EQ(workFileBytes(app.work) + app.run.workFilePath.string() +
                      (app.run.dirty ? " dirty" : ""),
                  before);
        last = path;
    }
}

TEST_F(WorkFile, SaveAsOntoAnExistingFileAsksAndNoNeverWritesThere) {
    const fs::path other = folder.write("annan.pel", "annat arbete");
    const fs::path own = folder.path("egen.pel");
    app.run.workFilePath = own;
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        app.run.dirty = true;
        desktop.expectSaveFile(other).expectMsgBox(
            shown(other) + ". Fil med detta namn finns redan. Vill du ersätta befintlig fil?"_cp,
            Buttons::YesNo, Icon::Question, "Spara som", answer);
        Arkivsparasom(app);
        if (answer == Answer::No) {
            EXPECT_EQ(fileBytes(other), "annat arbete");
            Arkiv_Spara(app);  // to the work's own file
        }
        const fs::path saved = answer == Answer::Yes ? other : own;
        EXPECT_EQ(app.screen.caption, "Pelora:    " + shown(saved));
        EXPECT_FALSE(app.run.dirty);
    }
    // One period and no "EJ ÖNSKEMÅL": neither has a line.
    EXPECT_EQ(fileBytes(other),
              "AKTIVITET: \r\nSKOLA: \r\nPERIOD: \r\nKLASSER: \r\nELEVLISTA: \r\nGRUPPER:  0 \r\n");
}

// A save writes a new file of its own name beside the work, never a file of the user's; a save
// that fails says so and keeps the changes marked.
TEST_F(WorkFile, ASaveNeverTouchesAFileOfTheUsersOwnAndAFailedSaveKeepsDirty) {
    const fs::path path = folder.write("val.pel", "AKTIVITET: Gammalt\r\n");
    folder.write("val.pel.tmp", "eget");
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
// by a program started in yet another folder still has every pupil. A work that was opened keeps
// its roster path as the file has it, found beside the file.
TEST_F(WorkFile, ANewWorkOpensWithAllItsPupilsWhereverItIsSavedAndTheProgramStarted) {
    fs::create_directory(folder.native() / "sparat");
    {
        const CurrentFolder started(folder.native() / "skolår");
        desktop.expectDialog(Dialog::StartData, [&] {
            app.form3.Text3.text = "elever.txt";
            form3::Command1_Click(app);
        });
        Arkiv_Nytt(app);
        EXPECT_EQ(app.work.start.studentListPath, folder.text("skolår/elever.txt"_cp));
        desktop.expectSaveFile(folder.path("sparat/val.pel"));
        Arkiv_Spara(app);
    }
    const CurrentFolder elsewhere(folder.native());
    for (const fs::path& path : {folder.path("sparat/val.pel"), workFile("")}) {
        App again(desktop);
        again.run.commandLineFile = path;
        Arkivoppna(again);
        EXPECT_EQ(again.work.studentCount, 2);
        Arkiv_Spara(again);
    }
    EXPECT_EQ(fileBytes(folder.path("skolår/val.pel"_cp)),
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

// Opening a one-period work while period 2 of another is shown: the board shows the groups read,
// in period 1. Cancel at a bad line keeps what was read (a second line of a pupil replacing the
// first) without the file's name, so the next save asks for one; the board shows it.
TEST_F(WorkFile, AfterAnOpenTheBoardShowsWhatWasRead) {
    app.work.start.periodCount = 2;
    app.run.currentPeriod = 2;
    app.screen.periodDisplay.caption = "2";
    open(
        workFile("GRUPPER:  3 \r\nKOR,,,,  0 ,  0 ,1\r\nSLÖJD,,,,  0 ,  0 ,1\r\n"_cp
                 "BILD,,,,  0 ,  0 ,1\r\n"));
    EXPECT_EQ(app.run.currentPeriod, 1);
    EXPECT_EQ(app.screen.periodDisplay.caption, "");
    EXPECT_EQ(app.screen.status.caption,
              "2 elever, 3 grupper   (snitt: 1 el/gr)\r\n 0 elev(er) placerade enl "
              "1:a-handsval\r\n 2 elev(er) ej placerad(e)");
    EXPECT_TRUE(app.screen.Label1[3].visible);

    expectOpenMessage("Fel i " + shown(folder.path("skolår/val.pel"_cp)), Buttons::OkCancel,
                      Answer::Cancel);
    open(workFile("GRUPPER:  1 \r\nTENNIS,,,,  0 ,  0 ,1\r\n" + anna + ", A\t 1 \r\n" + anna +
                  ", B\t 1 \r\nXYZ\r\n" + bo + ", C\t 1 \r\n"));
    EXPECT_EQ(app.screen.Label1[1].caption, "TENNIS\r\n 1");
    EXPECT_FALSE(app.screen.Label1[2].visible || app.screen.Label1[3].visible);
    EXPECT_EQ(app.work.studentTable[1].wishes + "|" + app.work.studentTable[2].wishes, "B|");
    EXPECT_FALSE(app.run.dirty);
    EXPECT_EQ(app.screen.caption, "Pelora");
    desktop.expectSaveFile(std::nullopt, FileDialogRequest{"*.pel|*.pel", "pel", ""});
    Arkiv_Spara(app);
}

// Paths are kept as the system names them; only the screen shows them in Windows-1252.
TEST_F(WorkFile, AWorkWhoseNameWindows1252CannotHoldOpensAndSaves) {
    const fs::path path = folder.native() / "skolår" / "Łódź.pel";
    fs::copy_file(workFile("GRUPPER:  0 \r\n" + anna + ", DANS\t 0 \r\n"), path);
    open(path);
    EXPECT_EQ(app.work.studentTable[1].wishes, "DANS");
    app.work.studentTable[1].wishes = "FOTO";
    Arkiv_Spara(app);
    EXPECT_NE(fileBytes(path).find(anna + ", FOTO\t"), std::string::npos);
    EXPECT_EQ(app.screen.caption, "Pelora:    " + shown(folder.path("skolår"_cp)) + "/?ód?.pel"_cp);
}

}  // namespace
}  // namespace pelora::test
