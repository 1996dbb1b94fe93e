// The automatic copy of unsaved changes, offered back at the next start; and the recent works.
#include "commands/recovery.h"

#include "commands/edit.h"
#include "commands/lifecycle.h"
#include "commands/opensave.h"
#include "commands/startdata.h"
#include "core_fixture.h"
#include "failing_files.h"
#include "formats/workfile.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Failure = FailingFileSystem::Failure;

const std::string kQuestion = "Vill du spara ändringarna?"_cp;

// A work in "skolår" naming its roster without a folder, and the user's configuration folder.
// Programs running at the same time are Apps side by side: each holds its own lock.
class Recovery : public CoreTest {
protected:
    void SetUp() override {
        fs::create_directory(folder.native() / "skolår"_path);
        fs::create_directory(folder.native() / "konfiguration");
        folder.write("skolår/elever.txt"_cp,
                     "Anna Berg\t9001011234\t7A\r\nBo Ekman\t9102021234\t7B\r\n");
        work = folder.write("skolår/val.pel"_cp,
                            "AKTIVITET: Val\r\nELEVLISTA: elever.txt\r\nGRUPPER:  1 \r\n"
                            "DANS,,,,  0 ,  0 ,1\r\n");
        saved = fileBytes(work);
        app.recoveryFolder = copies;
    }

    // The program ends without a word, as in a crash or a kill: the system lets go of its lock.
    static void crash(App& program) { program.recovery.lock.reset(); }

    // The program started again, with a new App over the same folders.
    std::unique_ptr<App> restart() {
        crash(app);
        auto again = std::make_unique<App>(desktop);
        again->recoveryFolder = copies;
        Form_Load(*again, 1000, 2000, "");
        return again;
    }

    // Another program with the file opened.
    std::unique_ptr<App> opened(const fs::path& file) {
        auto program = std::make_unique<App>(desktop);
        program->recoveryFolder = copies;
        program->run.commandLineFile = file;
        Arkivoppna(*program);
        return program;
    }

    // Wishes typed and a pupil placed, without a step to take back, and the copy made.
    static void change(App& program, const std::string& wishes) {
        program.work.studentTable[1].wishes = wishes;
        program.work.placement[1][2] = 1;
        program.history.markModified();
        autosave(program);
    }

    void expectOffer(const std::string& what, Answer answer, bool dated = true) {
        desktop.expectMsgBox(
            "Pelora avslutades utan att ändringarna i "_cp + what +
                " sparades. Det finns en automatisk kopia av dem" +
                (dated ? " från 2026-12-06 kl. 10.15"_cp : std::string()) +
                ". Vill du återställa den?\r\n\r\nSvarar du Nej tas kopian bort."_cp,
            Buttons::YesNo, Icon::Question, "Återställ arbete"_cp, answer, Answer::Yes);
    }

    // The names in the configuration folder, sorted.
    std::vector<std::string> kept() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(copies))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    bool copyExists() const {
        const auto names = kept();
        return std::any_of(names.begin(), names.end(),
                           [](const std::string& name) { return name.ends_with(".pel"); });
    }

    fs::path ownCopy(const App& program) const {
        return copies / ("kopia-" + program.recovery.id + ".pel");
    }

    TempFolder folder;
    const fs::path copies = folder.path("konfiguration");
    fs::path work;
    std::string saved;
};

TEST_F(Recovery, UnsavedWishesAndPlacementsComeBackAfterACrash) {
    app.run.commandLineFile = work;
    Arkivoppna(app);
    change(app, "DANS");
    const std::string changed = workFileBytes(app.work);
    // Only its owner may read the copy (on Windows, the file's security says so, which the
    // permission bits do not show).
#if !defined(_WIN32)
    EXPECT_EQ(fs::status(ownCopy(app)).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
#endif

    // At the next start the copy is offered; the work file itself is never touched.
    const CurrentFolder elsewhere(folder.native());  // the roster is still found beside the work
    expectOffer(shown(work), Answer::Yes);
    auto again = restart();
    EXPECT_EQ(workFileBytes(again->work), changed);
    EXPECT_EQ(again->run.workFilePath, work);
    EXPECT_TRUE(again->history.dirty());
    EXPECT_EQ(fileBytes(work), saved);
    // The restored changes are in the new program's own copy; the old copy is gone.
    EXPECT_EQ(kept(), (std::vector<std::string>{"kopia-" + again->recovery.id + ".lock",
                                                "kopia-" + again->recovery.id + ".pel"}));

    // A normal save writes the work file and removes the copy.
    Arkiv_Spara(*again);
    EXPECT_EQ(fileBytes(work), changed);
    EXPECT_FALSE(copyExists());
}

TEST_F(Recovery, NoDeletesTheCopyAndACopyTheWorkFileHoldsIsNotOffered) {
    auto crashed = opened(work);
    change(*crashed, "DANS");
    crash(*crashed);
    expectOffer(shown(work), Answer::No);
    EXPECT_EQ(restart()->work.studentCount, 0);
    EXPECT_FALSE(copyExists());

    // A copy of what the work file holds: the changes were saved after it, by whatever program.
    auto later = opened(work);
    change(*later, "BILD");
    crash(*later);
    folder.write("skolår/val.pel"_cp, workFileBytes(later->work));
    EXPECT_TRUE(copyExists());
    restart();
    EXPECT_FALSE(copyExists());
}

// Nothing unsaved, nothing copied: a copy exists exactly while the history stands elsewhere than
// its saved step, whichever way it got there, and holds the work as it stands.
TEST_F(Recovery, ACopyExistsExactlyWhileTheWorkDiffersFromItsSavedStep) {
    app.run.commandLineFile = work;
    Arkivoppna(app);
    const auto place = [](App& program) {
        Edit edit(program, "Placera", {.placements = true});
        program.work.placement[1][1] = 1;
    };
    const std::pair<void (*)(App&), bool> steps[] = {
        {[](App&) {}, false},   {place, true},        {Redigera_angra, false},
        {Redigera_gorom, true}, {Arkiv_Spara, false}, {Redigera_angra, true},
        {Redigera_gorom, false}};
    auto now = std::chrono::steady_clock::now();
    int row = 0;
    for (const auto& [step, copy] : steps) {
        SCOPED_TRACE(row++);
        step(app);
        // The timer, when the copy is due, and the copy made before a logout.
        copyWhenDue(app, now);
        copyWhenDue(app, now += 31s);
        autosave(app);
        EXPECT_EQ(copyExists(), copy);
        if (copy) {
            EXPECT_TRUE(fileBytes(ownCopy(app)).ends_with(workFileBytes(app.work)));
        }
    }
}

// A cut copy, and a file that is no copy, are named and set aside, never read as a work.
TEST_F(Recovery, ACopyThatFailsItsCheckIsSetAsideWithAMessage) {
    auto crashed = opened(work);
    change(*crashed, "DANS");
    crash(*crashed);
    const fs::path copy = ownCopy(*crashed);
    fs::path aside = copy;
    aside += ".trasig";
    const std::string whole = fileBytes(copy);
    const std::string cases[] = {whole.substr(0, whole.size() - 10),
                                 whole.substr(0, whole.size() - 1) + "X",
                                 "AKTIVITET: Val\r\nELEVLISTA: elever.txt\r\n", ""};
    for (const std::string& bytes : cases) {
        folder.write("konfiguration/" + copy.filename().string(), bytes);
        desktop.expectMsgBox("Den automatiska kopian "_cp + shown(copy) +
                                 " är skadad eller ingen kopia från Pelora och kan inte "
                                 "återställas. Den har fått namnet "_cp +
                                 shown(aside) + ".",
                             Buttons::Ok, Icon::Exclamation, "Återställ arbete"_cp, Answer::Ok);
        EXPECT_EQ(restart()->work.studentCount, 0);
        EXPECT_EQ(fileBytes(aside), bytes);
        fs::remove(aside);
    }
}

TEST_F(Recovery, AWorkNeverSavedIsKeptTooAndAnExitWithoutSavingRemovesTheCopy) {
    const CurrentFolder here(folder.native() / "skolår"_path);
    desktop.expectDialog(Dialog::StartData, [&] {
        app.form3.Text3.text = "elever.txt";
        form3::Command1_Click(app);
    });
    Arkiv_Nytt(app);
    app.work.studentTable[1].wishes = "DANS";  // no group to place in
    app.history.markModified();
    autosave(app);
    expectOffer("ett nytt arbete som aldrig sparats", Answer::Yes);
    auto again = restart();
    EXPECT_EQ(again->work.studentTable[1].wishes, "DANS");
    EXPECT_EQ(again->run.workFilePath, fs::path());

    desktop.expectMsgBox(kQuestion, Buttons::YesNoCancel, Icon::Question, "Avsluta", Answer::No);
    EXPECT_TRUE(Arkivavsluta(*again));
    EXPECT_EQ(kept(), std::vector<std::string>{});
}

// "Avsluta", Ja, and the save fails: the changes as they are at the end are copied.
TEST_F(Recovery, AnEndAfterAFailedSaveCopiesTheChangesFirst) {
    auto ending = opened(work);
    change(*ending, "DANS");
    ending->work.studentTable[2].wishes = "SIST";
    fs::permissions(work, fs::perms::owner_read);
    desktop.expectMsgBox(kQuestion, Buttons::YesNoCancel, Icon::Question, "Avsluta", Answer::Yes)
        .expectMsgBox("Kan inte spara " + shown(work) + "\r\nFilen är skrivskyddad."_cp,
                      Buttons::Ok, Icon::Exclamation, "Spara", Answer::Ok);
    EXPECT_TRUE(Arkivavsluta(*ending));
    crash(*ending);
    const CurrentFolder elsewhere(folder.native());
    expectOffer(shown(work), Answer::Yes);
    EXPECT_EQ(restart()->work.studentTable[2].wishes, "SIST");
}

// The copy is due 5 s after the last change and at the latest 30 s after the first one it does
// not hold; the same work again is not written again.
TEST_F(Recovery, TheCopyFollowsTheEditsWithinFiveAndThirtySeconds) {
    FailingFileSystem files;
    App counted(desktop, files);
    counted.recoveryFolder = copies;
    const auto start = std::chrono::steady_clock::now();
    const auto writes = [&files] {
        return std::count(files.log.begin(), files.log.end(), "replace");
    };
    counted.history.markModified();
    // An edit every 4 s: each puts the copy off, up to 30 s after the first.
    for (int second = 0; second <= 28; second += 4) {
        counted.work.start.activity = "Val " + std::to_string(second);
        const auto wait = copyWhenDue(counted, start + std::chrono::seconds(second));
        EXPECT_EQ(wait, second <= 25 ? std::optional(std::min(5000ms, 30000ms - second * 1000ms))
                                     : std::optional(2000ms))
            << second;
    }
    EXPECT_EQ(writes(), 0);
    EXPECT_EQ(copyWhenDue(counted, start + 30s), std::nullopt);
    EXPECT_EQ(writes(), 1);
    EXPECT_EQ(copyWhenDue(counted, start + 40s), std::nullopt);  // nothing new
    autosave(counted);
    EXPECT_EQ(writes(), 1);
    // One edit, then quiet: copied 5 s later.
    counted.work.start.activity = "Sista";
    EXPECT_EQ(copyWhenDue(counted, start + 50s), std::optional(5000ms));
    EXPECT_EQ(copyWhenDue(counted, start + 55s), std::nullopt);
    EXPECT_EQ(writes(), 2);
}

// A folder that takes no copy is said once per run, whatever the number of tries.
TEST_F(Recovery, ACopyThatCannotBeWrittenIsSaidOnce) {
    const std::pair<Failure, std::string> cases[] = {
        {Failure::WriteHalfway, "Disken är full."_cp},
        {Failure::NoLock, "Kopian kan inte låsas."_cp}};
    for (const auto& [failure, reason] : cases) {
        FailingFileSystem files;
        files.failures = {failure};
        App failing(desktop, files);
        failing.recoveryFolder = copies;
        desktop.expectMsgBox("Pelora kan inte göra någon automatisk kopia av arbetet i "_cp +
                                 shown(copies) + ".\r\n" + reason +
                                 "\r\nSpara arbetet ofta tills felet är åtgärdat."_cp,
                             Buttons::Ok, Icon::Exclamation, "Pelora", Answer::Ok);
        for (const char* activity : {"Ett", "Två", "Tre"})
            change(failing, activity);
        desktop.verify();
    }
}

// The single copy of earlier versions is offered too, without a time.
TEST_F(Recovery, TheSingleCopyOfEarlierVersionsIsOfferedToo) {
    auto crashed = opened(work);
    change(*crashed, "DANS");
    const std::string changed = workFileBytes(crashed->work);
    endRecovery(*crashed);
    folder.write("konfiguration/osparat-arbete.pel", changed);
    folder.write("konfiguration/osparat-arbete-fil.txt", utf8Path(work));
    const CurrentFolder elsewhere(folder.native());
    expectOffer(shown(work), Answer::Yes, false);
    auto again = restart();
    EXPECT_EQ(workFileBytes(again->work), changed);
    EXPECT_EQ(kept().size(), 2u);  // the new program's own copy and lock
}

// Programs at once, each with its own work: each keeps its own copy, one's save or "Nej" never
// removes another's, and the copies of programs that ended are offered newest first.
TEST_F(Recovery, EachProgramKeepsItsOwnCopyAndTheLeftOnesAreOfferedNewestFirst) {
    const fs::path other = folder.write("skolår/annat.pel"_cp, saved);
    auto first = opened(work), second = opened(other);
    change(*first, "DANS");
    change(*second, "BILD");
    EXPECT_EQ(kept().size(), 4u);

    // A third program starting now offers neither, and its "Nej" removes only its own copy.
    auto third = restart();
    third->run.commandLineFile = work;
    Arkivoppna(*third);
    change(*third, "FOTO");
    EXPECT_EQ(kept().size(), 6u);
    desktop.expectMsgBox(kQuestion, Buttons::YesNoCancel, Icon::Question, "Avsluta", Answer::No);
    EXPECT_TRUE(Arkivavsluta(*third));
    EXPECT_EQ(kept().size(), 4u);
    Arkiv_Spara(*first);
    EXPECT_EQ(kept().size(), 3u);  // the first's lock stays while it runs
    change(*first, "DANS igen");

    // The copy made last first, whatever the order of their names.
    App* newer = first->recovery.id > second->recovery.id ? first.get() : second.get();
    App* older = newer == first.get() ? second.get() : first.get();
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time(ownCopy(*newer), now - 1h);
    fs::last_write_time(ownCopy(*older), now - 2h);
    crash(*first);
    crash(*second);
    const CurrentFolder elsewhere(folder.native());
    expectOffer(shown(newer->run.workFilePath), Answer::No);
    expectOffer(shown(older->run.workFilePath), Answer::Yes);
    auto fourth = restart();
    EXPECT_EQ(fourth->work.studentTable[1].wishes, older->work.studentTable[1].wishes);
    EXPECT_EQ(fourth->run.workFilePath, older->run.workFilePath);
    EXPECT_EQ(kept().size(), 2u);  // the fourth program's own copy and lock
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

    app.history.markModified();
    desktop.expectMsgBox(kQuestion, Buttons::YesNoCancel, Icon::Question, "Öppna"_cp, Answer::No);
    Arkiv_senaste(app, 2);
    EXPECT_EQ(app.run.workFilePath, paths[2]);
    EXPECT_EQ(app.recentFiles.front(), paths[2]);
}

}  // namespace
}  // namespace pelora::test
