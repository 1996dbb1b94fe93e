// The roster and the work file: reading, writing, the questions on the way, the golden cases, and
// the export.
#include "commands/opensave.h"

#include <set>

#include "base/text.h"
#include "commands/export.h"
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
        EXPECT_EQ(app.work.studentTable[1].wishes, "");
        EXPECT_EQ(app.work.placement[1][2], 0);
        EXPECT_EQ(app.screen.Combo1.items, (std::vector<std::string>{"7B", "7A", "8A\tX"}));
    }
    // The class filter is compared as stored.
    const std::pair<std::string, std::string> filters[] = {
        {"7A 7B", "Anna Berg/7A;Bo Ekman/7B;"}, {"7a", ""}, {"7", "Carl Dahl/7;"}};
    for (const auto& [filter, pupils] : filters) {
        app.work.start.classFilter = filter;
        EXPECT_EQ(read("Anna Berg\t1\t7a\r\nBo Ekman\t1\t7B\r\nCarl Dahl\t1\t7\r\n"), pupils);
    }
    // A pupil line with only one TAB reads no pupil at all, whatever the filter.
    folder.write("elever.txt", "Anna Berg\t9001011234\t7A\r\nBo Ekman\t9001011234\r\n");
    desktop.expectMsgBox("Elevlistan " + folder.text("elever.txt") +
                             ", rad 2: raden har namn och personnummer men ingen klass. Inga "
                             "elever har lästs in."_cp,
                         Buttons::Ok, Icon::Exclamation, "Fel i elevfil", Answer::Ok);
    EXPECT_FALSE(Hamta_elever(app));
    EXPECT_EQ(app.work.studentCount, 0);
}

// A file that is no roster, and a table whose headings lack a column, are told of; no pupil read.
TEST_F(Roster, AFileThatIsNoRosterIsToldOf) {
    const std::pair<std::string, std::string> cases[] = {
        {"PK\x03\x04 trasigt",
         " är varken en textfil, en CSV-fil eller ett kalkylblad (.xlsx, "
         ".ods) som programmet kan läsa."_cp},
        {"Namn;Klass\r\nAnna Berg;7A\r\n", " har rubriker men ingen kolumn Personnummer."}};
    for (const auto& [bytes, problem] : cases) {
        folder.write("elever.txt", bytes);
        app.work.start.studentListPath = folder.text("elever.txt");
        desktop.expectMsgBox(
            "Elevlistan " + folder.text("elever.txt") + problem + " Inga elever har lästs in."_cp,
            Buttons::Ok, Icon::Exclamation, title, Answer::Ok);
        EXPECT_FALSE(Hamta_elever(app));
        EXPECT_EQ(app.work.studentCount, 0);
    }
}

TEST_F(Roster, AsksForAnotherPathUntilOneOpensOrTheUserGivesUp) {
    folder.write("elever.txt", "Anna Berg\t9001011234\t7A\r\n");
    const std::string good = folder.text("elever.txt");
    const std::string missing = folder.text("saknas ö.txt"_cp);
    const std::string prompt = "Kan ej öppna "_cp + missing + ". Ange ny sökväg."_cp;
    // Asked again until a path opens; one typed without a folder (here with a line break pasted
    // into it) is kept as the path of the file it opened, so the work reads the same roster from
    // wherever it is opened later.
    {
        const CurrentFolder here(folder.native());
        app.work.start.studentListPath = "saknas.txt";
        desktop
            .expectInputBox("Kan ej öppna saknas.txt. Ange ny sökväg."_cp, title, "saknas.txt",
                            missing)
            .expectInputBox(prompt, title, missing, "\r\nelever.txt\r\n");
        EXPECT_TRUE(Hamta_elever(app));
    }
    EXPECT_EQ(app.work.start.studentListPath, good);
    EXPECT_FALSE(app.history.dirty());  // a new path alone is no change

    // Giving up asks whether to look for the roster: Nej, or a cancelled dialog, fails; a file
    // chosen is read. A path from a damaged work file shows its first 300 characters.
    const std::string huge(100000, '7');
    const std::tuple<std::string, std::string, Answer, std::optional<fs::path>> giveUps[] = {
        {missing, prompt, Answer::No, std::nullopt},
        {missing, prompt, Answer::Yes, std::nullopt},
        {huge, "Kan ej öppna "_cp + huge.substr(0, 300) + "…. Ange ny sökväg."_cp, Answer::Yes,
         folder.path("elever.txt")}};
    for (const auto& [path, shownPrompt, look, chosen] : giveUps) {
        app.work.start.studentListPath = path;
        desktop.expectInputBox(shownPrompt, title, path, "")
            .expectMsgBox("Vill du leta upp elevlistan?", Buttons::YesNo, Icon::Question, title,
                          look);
        if (look == Answer::Yes) desktop.expectOpenFile(chosen);
        EXPECT_EQ(Hamta_elever(app), chosen.has_value());
        EXPECT_EQ(app.work.studentCount, chosen ? 1 : 0);
    }
    EXPECT_EQ(app.work.start.studentListPath, good);
}

// Work files in a folder "skolår" beside their roster, which they name without a folder: Anna
// Berg in 7A and Bo Ekman in 7B.
class WorkFile : public CoreTest {
protected:
    void SetUp() override {
        fs::create_directory(folder.native() / "skolår"_path);
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

    const std::string anna = studentKey("9001011234"), bo = studentKey("9102021234");
    TempFolder folder;
};

// The sample opens from a quoted command line and saves byte for byte. A relative path on the
// command line is taken from the folder the program started in; a name Windows-1252 cannot hold
// is kept as the system names it, only the screen shows it in Windows-1252.
TEST_F(WorkFile, TheCommandLineOpensTheSampleWhichSavesByteForByte) {
    const std::string path = PELORA_SHARE "/exempel/exempel.pel";
    Form_Load(app, 1000, 2000, "\"" + path + "\"");
    app.run.workFilePath = folder.path("exempel.pel");
    Arkiv_Spara(app);
    EXPECT_EQ(fileBytes(folder.path("exempel.pel")), fileBytes(path));

    const fs::path polish = folder.native() / "skolår"_path / "Łódź.pel"_path;
    fs::copy_file(workFile("GRUPPER:  0 \r\n" + anna + ", DANS\t 0 \r\n"), polish);
    const CurrentFolder started(folder.native());
    Form_Load(app, 1000, 2000, "\"skolår/Łódź.pel\""_path);
    EXPECT_EQ(app.screen.caption,
              "Pelora:    " + shown(folder.native() / "skolår"_path / "Łódź.pel"_path));
    app.work.studentTable[1].wishes = "FOTO";
    Arkiv_Spara(app);
    EXPECT_NE(fileBytes(polish).find(anna + ", FOTO\t"), std::string::npos);
}

// A work whose roster holds names Windows-1252 cannot hold (tests/data/utskrift with its roster
// saved in UTF-8 and two names changed) shows them as written, yet saves and exports the bytes
// the work with plain names does: neither file holds a name.
TEST_F(WorkFile, NamesAsWrittenReachNeitherTheWorkFileNorTheExport) {
    const fs::path original = PELORA_TEST_DATA "/utskrift/arbete.pel";
    const std::string roster = fileBytes(PELORA_TEST_DATA "/utskrift/elever.txt");
    fs::copy_file(original, folder.path("arbete.pel"));
    folder.write("elever.txt",
                 replaceAll(replaceAll(cp1252ToUtf8(roster), "Cy Dahl", "Łukasz Wiśniewski"),
                            "Anna Ek", "Жанна Ek"));
    std::string saved[2], exported[2];
    for (const fs::path& work : {original, folder.path("arbete.pel")}) {
        const bool written = work != original;
        openWorkFile(app, work);
        desktop.verify();
        EXPECT_EQ(asUtf8(app.work.studentTable[1].name), written ? "Łukasz Wiśniewski" : "Cy Dahl");
        app.run.workFilePath = folder.path(written ? "sparad-utf8.pel" : "sparad.pel");
        Arkiv_Spara(app);
        saved[written] = fileBytes(app.run.workFilePath);
        const fs::path grp = folder.path(written ? "utf8.grp" : "plain.grp");
        desktop.expectSaveFile(grp, FileDialogRequest{"*.grp|*.grp", "grp", ""});
        Arkiv_export(app);
        desktop.verify();
        exported[written] = fileBytes(grp);
    }
    EXPECT_EQ(saved[0], fileBytes(original));
    EXPECT_EQ(saved[1], saved[0]);
    EXPECT_EQ(exported[1], exported[0]);
    EXPECT_EQ(exported[1].find('\x8F'), std::string::npos);
}

// A file that cannot be read is told, and so is a failure in the middle of an open (here reading
// the roster): the work keeps its content, its changes and its own file name, so no half work
// carries the file's name to the next save; the dialog starts with the name chosen last.
TEST_F(WorkFile, AFileThatCannotBeOpenedLeavesTheWorkAndItsFileName) {
    fs::create_directory(folder.native() / "mapp.pel");
    const fs::path work = workFile("");
    FailingFileSystem files;
    files.throwOnReading = "elever.txt";
    App failing(desktop, files);
    failing.work.start.activity = "Förra"_cp;
    failing.run.workFilePath = "/förra.pel"_path;
    const std::string before = workFileBytes(failing.work);
    fs::path last;
    for (const fs::path& path :
         {folder.path("saknas.pel"), folder.path("mapp.pel"), fs::path("/dev/zero"), work}) {
        failing.history.markModified();
        desktop
            .expectMsgBox("Vill du spara ändringarna?"_cp, Buttons::YesNoCancel, Icon::Question,
                          "Öppna"_cp, Answer::No)
            .expectOpenFile(path, FileDialogRequest{"*.pel|*.pel", "", last})
            .expectMsgBox(
                path == work ? "Läsfel på disken"_cp : shown(path) + " kan inte öppnas."_cp,
                Buttons::Ok, Icon::Exclamation, "Öppna"_cp, Answer::Ok);
        runGuarded(desktop, "Öppna"_cp, [&] { Arkivoppna(failing); });
        EXPECT_EQ(workFileBytes(failing.work), before);
        EXPECT_EQ(failing.run.workFilePath, "/förra.pel"_path);
        EXPECT_TRUE(failing.history.dirty());
        last = path;
    }
}

TEST_F(WorkFile, SaveAsOntoAnExistingFileAsksAndNoNeverWritesThere) {
    const fs::path other = folder.write("annan.pel", "annat arbete");
    const fs::path own = folder.path("egen.pel");
    app.run.workFilePath = own;
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        app.history.markModified();
        desktop.expectSaveFile(other).expectMsgBox(
            shown(other) + ". Fil med detta namn finns redan. Vill du ersätta befintlig fil?"_cp,
            Buttons::YesNo, Icon::Question, "Spara som", answer);
        Arkivsparasom(app);
        if (answer == Answer::No) {
            EXPECT_EQ(fileBytes(other), "annat arbete");
            Arkiv_Spara(app);  // to the work's own file
        }
        EXPECT_EQ(app.screen.caption, "Pelora:    " + shown(answer == Answer::Yes ? other : own));
        EXPECT_FALSE(app.history.dirty());
    }
    EXPECT_EQ(fileBytes(other), fileBytes(own));
}

// A save writes a new file of its own name beside the work, never a file of the user's; a save
// that fails says so and keeps the changes marked.
TEST_F(WorkFile, ASaveNeverTouchesAFileOfTheUsersOwnAndAFailedSaveKeepsDirty) {
    const fs::path path = folder.write("val.pel", "AKTIVITET: Gammalt\r\n");
    folder.write("val.pel.tmp", "eget");
    fs::create_directory(folder.native() / "mapp.pel");  // cannot be replaced by a file
    app.run.workFilePath = path;
    app.history.markModified();
    Arkiv_Spara(app);
    EXPECT_EQ(fileBytes(folder.path("val.pel.tmp")), "eget");
    EXPECT_FALSE(app.history.dirty());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.native()), fs::directory_iterator()), 4);

    const std::pair<fs::path, std::string> failures[] = {
        {folder.path("mapp.pel"), "Det finns en mapp med det namnet."_cp},
        {folder.path("saknas/val.pel"), "Mappen finns inte."},
        {folder.path(std::string(300, 'x') + ".pel"), "Namnet är för långt."_cp}};
    for (const auto& [failing, reason] : failures) {
        app.run.workFilePath = failing;
        app.history.markModified();
        desktop.expectMsgBox("Kan inte spara " + shown(failing) + "\r\n" + reason, Buttons::Ok,
                             Icon::Exclamation, "Spara", Answer::Ok);
        Arkiv_Spara(app);
        EXPECT_EQ(app.screen.caption, "Pelora:    " + shown(failing));
        EXPECT_TRUE(app.history.dirty());
    }
}

// Opening a one-period work while period 2 of another is shown: the board shows the groups read,
// in period 1. Cancel at a bad line keeps what was read (a second line with the key of the only
// pupil who has it counting as a missing pupil) without the file's name, so the next save asks for
// one; the board shows it.
TEST_F(WorkFile, AfterAnOpenTheBoardShowsWhatWasRead) {
    app.work.start.periodCount = 2;
    app.run.currentPeriod = 2;
    app.screen.periodDisplay.caption = "2";
    open(
        workFile("GRUPPER:  3 \r\nKOR,,,,  0 ,  0 ,1\r\nSLÖJD,,,,  0 ,  0 ,1\r\n"_cp
                 "BILD,,,,  0 ,  0 ,1\r\n"));
    EXPECT_EQ(app.run.currentPeriod, 1);
    EXPECT_EQ(app.screen.periodDisplay.caption, "");  // one period: none is shown
    EXPECT_EQ(app.screen.status.caption,
              "2 elever, 3 grupper   (snitt: 1 el/gr)\r\n 0 elev(er) placerade enl "
              "1:a-handsval\r\n 2 elev(er) ej placerad(e)");
    EXPECT_TRUE(app.screen.Label1[3].visible);

    desktop.expectMsgBox("Fel i " + shown(folder.path("skolår/val.pel"_cp)), Buttons::OkCancel,
                         Icon::Exclamation, "Öppna"_cp, Answer::Cancel);
    open(workFile("GRUPPER:  1 \r\nTENNIS,,,,  0 ,  0 ,1\r\n" + anna + ", A\t 1 \r\n" + anna +
                  ", B\t 1 \r\nXYZ\r\n" + bo + ", C\t 1 \r\n"));
    EXPECT_FALSE(app.screen.Label1[2].visible);
    EXPECT_FALSE(app.screen.Label1[3].visible);
    EXPECT_EQ(app.screen.Label1[1].caption, "TENNIS\r\n 1");
    EXPECT_EQ(app.work.studentTable[1].wishes, "A");
    EXPECT_EQ(app.work.studentTable[2].wishes, "");
    EXPECT_EQ(app.screen.caption, "Pelora");
    EXPECT_FALSE(app.history.dirty());
    desktop.expectSaveFile(std::nullopt, FileDialogRequest{"*.pel|*.pel", "pel", ""});
    Arkiv_Spara(app);
}

// The golden cases of tests/data/golden: each folder holds a work file (arbete.pel), the roster it
// names (elever.txt), the messages opening it must show (meddelanden.txt, one per line: title,
// icon, buttons, the answer given and the text, separated by "|", with {arbete} for the work
// file's path and \r\n for a line break) and, when the file opens, the file saving it must write
// (sparad.pel). A file that is refused leaves the work that was open before; one that opens sets
// every setting it has no line for to off and shows a period it has.
// Scripts the desktop with the messages of meddelanden.txt; with `rosterOnly`, with the ones the
// roster gives whichever file names it (pupils who share a key).
void expectMessages(ScriptedDesktop& desktop, const fs::path& file, const fs::path& work,
                    bool rosterOnly = false) {
    if (fs::file_size(file) == 0) return;
    for (const auto& row : tableRows(file)) {
        if (rosterOnly && row[4].find("samma nyckel") == std::string::npos) continue;
        std::string text = row[4];
        const std::size_t at = text.find("{arbete}");
        if (at != std::string::npos) text.replace(at, 8, shown(work));
        desktop.expectMsgBox(
            text, row[2] == "OkCancel" ? Desktop::Buttons::OkCancel : Desktop::Buttons::Ok,
            row[1] == "Information" ? Desktop::Icon::Information : Desktop::Icon::Exclamation,
            row[0], row[3] == "Cancel" ? Desktop::Answer::Cancel : Desktop::Answer::Ok);
    }
}

TEST(GoldenCases, EachWorkFileOpensWithItsMessagesAndSavesAsExpected) {
    std::set<fs::path> cases;
    for (const auto& entry : fs::directory_iterator(PELORA_TEST_DATA "/golden"))
        cases.insert(entry.path());
    ASSERT_GE(cases.size(), 15u);
    for (const fs::path& golden : cases) {
        SCOPED_TRACE(golden.filename().string());
        TempFolder folder;
        for (const char* name : {"arbete.pel", "elever.txt"})
            fs::copy_file(golden / name, folder.path(name));
        ScriptedDesktop desktop(gtestFailure());
        auto app = std::make_unique<App>(desktop);
        app->work.start = {"Förra arbetet"_cp, "", "", "", "", 4, 1, 1};
        app->run.currentPeriod = 4;
        const std::string before = workFileBytes(app->work);

        expectMessages(desktop, golden / "meddelanden.txt", folder.path("arbete.pel"));
        app->run.commandLineFile = folder.path("arbete.pel");
        Arkivoppna(*app);
        desktop.verify();

        if (!fs::exists(golden / "sparad.pel")) {
            EXPECT_EQ(workFileBytes(app->work), before);
            continue;
        }
        EXPECT_LE(app->run.currentPeriod, app->work.start.periodCount);
        app->run.workFilePath = folder.path("sparad.pel");
        Arkiv_Spara(*app);
        const std::string expected = fileBytes(golden / "sparad.pel");
        EXPECT_EQ(fileBytes(folder.path("sparad.pel")), expected);

        // What the program wrote, it reads back as written, asking nothing about the file.
        expectMessages(desktop, golden / "meddelanden.txt", folder.path("sparad.pel"), true);
        app->run.commandLineFile = folder.path("sparad.pel");
        Arkivoppna(*app);
        app->run.workFilePath = folder.path("igen.pel");
        Arkiv_Spara(*app);
        EXPECT_EQ(fileBytes(folder.path("igen.pel")), expected);
    }
}

// The export for Lumidor: the file byte for byte, and what a failure leaves.
using Failure = FailingFileSystem::Failure;

// DANS with two members whose keys sort the other way round, an empty FOTBOLL, and KÖR in
// period 2 with one member there (who is in DANS in period 1).
class Export : public CoreTest {
protected:
    void SetUp() override {
        Work& w = app.work;
        w.groupCount = w.studentCount = 3;
        w.start.periodCount = 2;
        for (const auto& [g, name, period] :
             {std::tuple{1, "DANS", "1"}, {2, "FOTBOLL", "1"}, {3, "K\xd6R", "2"}})
            w.groupTable[g] = {name, "", "", "", period};
        for (const auto& [i, key] : {std::pair{1, "ZZZZ"}, {2, "AAAA"}, {3, ", \x83%"}})
            w.studentTable[i] = {"Elev", key, "7A", ""};
        w.placement[1][1] = w.placement[1][3] = 1;
        w.placement[2][3] = 3;
        w.placement[2][2] = 1;  // DANS is no group of period 2: neither listed nor counted
        RecountGroupMembers(w);
    }

    TempFolder folder;
    const fs::path path = folder.path("grupper.grp");
};

// Exporting twice to the same name replaces the file without a question; Cancel says nothing and
// a work without groups does not even show the dialog.
TEST_F(Export, TheFileListsEachGroupsMembersInPupilOrderForItsOwnPeriod) {
    const std::string expected = "GRUPP:DANS\r\n 2\r\nZZZZ\r\n, \x83%\r\nGRUPP:FOTBOLL\r\n 0\r\n" +
                                 "GRUPP:KÖR"_cp + "\r\n 1\r\n, \x83%\r\n";
    const FileDialogRequest request{"*.grp|*.grp", "grp", ""};
    folder.write("grupper.grp", "gammal");
    desktop.expectSaveFile(path, request).expectSaveFile(path, request);
    Arkiv_export(app);
    Arkiv_export(app);
    EXPECT_EQ(fileBytes(path), expected);

    desktop.expectSaveFile(std::nullopt, request);
    Arkiv_export(app);
    app.work.groupCount = 0;
    Arkiv_export(app);
}

// A file that cannot be created, a full disk, a rename that fails: an existing file is left as it
// was, the message comes once and says why.
TEST_F(Export, AFailedExportLeavesAnExistingFileAndSaysSoOnce) {
    const std::tuple<Failure, bool, std::string> cases[] = {
        {Failure::NewFile, false, "Du har inte behörighet att skriva där."_cp},
        {Failure::NewFile, true, "Du har inte behörighet att skriva där."_cp},
        {Failure::WriteHalfway, true, "Disken är full."_cp},
        {Failure::Rename, true, "Du har inte behörighet att skriva där."_cp}};
    for (const auto& [failure, existing, reason] : cases) {
        fs::remove(path);
        if (existing) folder.write("grupper.grp", "förra exporten"_cp);
        FailingFileSystem files;
        files.failures = {failure};
        App failing(desktop, files);
        failing.work = app.work;
        desktop.expectSaveFile(path).expectMsgBox("Kan inte spara " + shown(path) + "\r\n" + reason,
                                                  Buttons::Ok, Icon::Exclamation,
                                                  "Exportera grupplistor till Lumidor", Answer::Ok);
        Arkiv_export(failing);
        EXPECT_EQ(fileBytes(path), existing ? "förra exporten"_cp : "(missing)");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.native()), fs::directory_iterator()),
                  existing ? 1 : 0);
    }
}

}  // namespace
}  // namespace pelora::test
