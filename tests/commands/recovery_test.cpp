// The automatic copy of unsaved changes, offered back at the next start; and the recent works.
#include "commands/recovery.h"

#include "commands/lifecycle.h"
#include "commands/opensave.h"
#include "commands/startdata.h"
#include "core_fixture.h"
#include "failing_files.h"
#include "formats/roster.h"
#include "formats/workfile.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

namespace fs = std::filesystem;

// A work in "skolår" naming its roster without a folder, and the user's configuration folder.
class Recovery : public CoreTest {
protected:
    void SetUp() override {
        fs::create_directory(folder.native() / "skolår");
        fs::create_directory(folder.native() / "konfiguration");
        folder.write("skolår/elever.txt"_cp,
                     "Anna Berg\t9001011234\t7A\r\nBo Ekman\t9102021234\t7B\r\n");
        work = folder.write("skolår/val.pel"_cp,
                            "AKTIVITET: Val\r\nELEVLISTA: elever.txt\r\nGRUPPER:  1 \r\n"
                            "DANS,,,,  0 ,  0 ,1\r\n");
        saved = fileBytes(work);
        app.recoveryFolder = folder.path("konfiguration");
    }

    // The program started again, with a new App over the same folders.
    std::unique_ptr<App> restart() {
        auto again = std::make_unique<App>(desktop);
        again->recoveryFolder = folder.path("konfiguration");
        Form_Load(*again, 1000, 2000, "");
        return again;
    }

    // The work opened and changed, and the automatic copy made.
    void openChangeAndAutosave() {
        app.run.commandLineFile = work;
        Arkivoppna(app);
        app.work.studentTable[1].wishes = "DANS";
        app.work.placement[1][2] = 1;
        app.run.dirty = true;
        autosave(app);
    }

    void expectOffer(const std::string& what, Answer answer) {
        desktop.expectMsgBox("Pelora avslutades utan att ändringarna i "_cp + what +
                                 " sparades. Det finns en automatisk kopia av dem. Vill du "
                                 "återställa den?\r\n\r\nSvarar du Nej tas kopian bort."_cp,
                             Buttons::YesNo, Icon::Question, "Återställ arbete"_cp, answer);
    }

    bool copyExists() const {
        return fs::exists(folder.native() / "konfiguration" / "osparat-arbete.pel");
    }

    TempFolder folder;
    fs::path work;
    std::string saved;
};

TEST_F(Recovery, UnsavedWishesAndPlacementsComeBackAfterACrash) {
    openChangeAndAutosave();
    const std::string changed = workFileBytes(app.work);

    // A crash: the App is gone without a save. At the next start the copy is offered; the work
    // file itself is never touched.
    const CurrentFolder elsewhere(folder.native());  // the roster is still found beside the work
    expectOffer(shown(work), Answer::Yes);
    auto again = restart();
    EXPECT_EQ(workFileBytes(again->work) + again->run.workFilePath.string() +
                  (again->run.dirty ? " dirty" : "") + fileBytes(work),
              changed + work.string() + " dirty" + saved);

    // A normal save writes the work file and removes the copy.
    Arkiv_Spara(*again);
    EXPECT_EQ(fileBytes(work) + (copyExists() ? " copy" : ""), changed);
}

TEST_F(Recovery, NoDeletesTheCopyAndAStaleCopyIsNotOffered) {
    openChangeAndAutosave();
    expectOffer(shown(work), Answer::No);
    EXPECT_FALSE(restart()->work.studentCount > 0 || copyExists());

    // A copy older than its work file holds nothing the file does not.
    app.lastRecoveryCopy.clear();
    autosave(app);
    folder.write("skolår/val.pel"_cp, saved);
    const fs::path copy = folder.native() / "konfiguration" / "osparat-arbete.pel";
    fs::last_write_time(copy, fs::last_write_time(work) - std::chrono::minutes(1));
    restart();
    EXPECT_FALSE(copyExists());
}

TEST_F(Recovery, AWorkNeverSavedIsKeptTooAndAnExitWithoutSavingRemovesTheCopy) {
    const CurrentFolder here(folder.native() / "skolår");
    desktop.expectDialog(Dialog::StartData, [&] {
        app.form3.Text3.text = "elever.txt";
        form3::Command1_Click(app);
    });
    Arkiv_Nytt(app);
    app.work.studentTable[1].wishes = "DANS";
    app.run.dirty = true;
    autosave(app);
    expectOffer("ett nytt arbete som aldrig sparats", Answer::Yes);
    auto again = restart();
    EXPECT_EQ(again->work.studentTable[1].wishes + again->run.workFilePath.string(), "DANS");

    desktop.expectMsgBox("Vill du spara ändringarna?"_cp, Buttons::YesNoCancel, Icon::Question,
                         "Avsluta", Answer::No);
    EXPECT_TRUE(Arkivavsluta(*again) && !copyExists());
}

TEST_F(Recovery, TheCopyIsWrittenOncePerChangeAndOnlyWhileThereAreChanges) {
    FailingFileSystem files;
    App counted(desktop, files);
    counted.recoveryFolder = folder.path("konfiguration");
    autosave(counted);  // no changes: nothing written
    counted.run.dirty = true;
    autosave(counted);
    autosave(counted);  // the same work again: not written again
    counted.work.start.activity = "Nytt";
    autosave(counted);
    // Two copies, each with its origin.
    EXPECT_EQ(std::count(files.log.begin(), files.log.end(), "replace"), 4);
}

TEST_F(Recovery, TheRecentWorksAreTheLastFourOpenedOrSaved) {
    std::vector<fs::path> paths;
    app.work.start.studentListPath = "elever.txt";
    for (const char* name : {"a.pel", "b.pel", "c.pel", "d.pel", "e.pel"}) {
        paths.push_back(folder.path("skolår/"_cp + name));
        app.run.workFilePath = paths.back();
        Arkiv_Spara(app);
    }
    app.run.commandLineFile = paths[1];
    Arkivoppna(app);
    EXPECT_EQ(app.recentFiles, (std::vector<fs::path>{paths[1], paths[4], paths[3], paths[2]}));

    fs::remove(paths[4]);
    desktop.expectMsgBox("Filen "_cp + shown(paths[4]) +
                             " finns inte längre. Den tas bort ur listan över senaste arbeten."_cp,
                         Buttons::Ok, Icon::Exclamation, "Öppna"_cp, Answer::Ok);
    Arkiv_senaste(app, 1);
    EXPECT_EQ(app.recentFiles, (std::vector<fs::path>{paths[1], paths[3], paths[2]}));

    app.run.dirty = true;
    desktop.expectMsgBox("Vill du spara ändringarna?"_cp, Buttons::YesNoCancel, Icon::Question,
                         "Öppna"_cp, Answer::No);
    Arkiv_senaste(app, 2);
    EXPECT_EQ(app.run.workFilePath, paths[2]);
    EXPECT_EQ(app.recentFiles.front(), paths[2]);
}

}  // namespace
}  // namespace pelora::test
