// The automatic copy of unsaved changes, offered back at the next start; and the recent works.
#include "commands/recovery.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "commands/board.h"
#include "commands/edit.h"
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
using Failure = FailingFileSystem::Failure;

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

    // The program ends without a word, as in a crash or a kill: the system lets go of its lock.
    static void crash(App& program) { program.recovery.lock.reset(); }

    // The program started again, with a new App over the same folders.
    std::unique_ptr<App> restart() {
        crash(app);
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
        app.history.markModified();
        autosave(app);
    }

    void expectOffer(const std::string& what, Answer answer) {
        desktop.expectMsgBox(offer(what), Buttons::YesNo, Icon::Question, "Återställ arbete"_cp,
                             answer, Answer::Yes);
    }

    static std::string offer(const std::string& what) {
        return "Pelora avslutades utan att ändringarna i "_cp + what +
               " sparades. Det finns en automatisk kopia av dem från 2026-12-06 kl. 10.15. Vill "
               "du återställa den?\r\n\r\nSvarar du Nej tas kopian bort."_cp;
    }

    // The names in the configuration folder, sorted.
    std::vector<std::string> kept() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.native() / "konfiguration"))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    bool copyExists() const {
        for (const std::string& name : kept()) {
            if (name.ends_with(".pel")) return true;
        }
        return false;
    }

    fs::path ownCopy(const App& program) const {
        return folder.native() / "konfiguration" / ("kopia-" + program.recovery.id + ".pel");
    }

    TempFolder folder;
    fs::path work;
    std::string saved;
};

TEST_F(Recovery, UnsavedWishesAndPlacementsComeBackAfterACrash) {
    openChangeAndAutosave();
    const std::string changed = workFileBytes(app.work);
    // Only its owner may read the copy.
    EXPECT_EQ(fs::status(ownCopy(app)).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    // At the next start the copy is offered; the work file itself is never touched.
    const CurrentFolder elsewhere(folder.native());  // the roster is still found beside the work
    expectOffer(shown(work), Answer::Yes);
    auto again = restart();
    EXPECT_EQ(workFileBytes(again->work) + again->run.workFilePath.string() +
                  (again->history.dirty() ? " dirty" : "") + fileBytes(work),
              changed + work.string() + " dirty" + saved);
    // The restored changes are in the new program's own copy; the old copy is gone.
    EXPECT_EQ(kept(), (std::vector<std::string>{"kopia-" + again->recovery.id + ".lock",
                                                "kopia-" + again->recovery.id + ".pel"}));

    // A normal save writes the work file and removes the copy.
    Arkiv_Spara(*again);
    EXPECT_EQ(fileBytes(work) + (copyExists() ? " copy" : ""), changed);
}

TEST_F(Recovery, NoDeletesTheCopyAndACopyTheWorkFileHoldsIsNotOffered) {
    openChangeAndAutosave();
    expectOffer(shown(work), Answer::No);
    EXPECT_FALSE(restart()->work.studentCount > 0 || copyExists());

    // A copy of what the work file holds: the changes were saved after it, by whatever program.
    App later(desktop);
    later.recoveryFolder = folder.path("konfiguration");
    later.run.commandLineFile = work;
    Arkivoppna(later);
    later.work.studentTable[2].wishes = "DANS";
    later.history.markModified();
    autosave(later);
    crash(later);
    folder.write("skolår/val.pel"_cp, workFileBytes(later.work));
    EXPECT_TRUE(copyExists());
    restart();
    EXPECT_FALSE(copyExists());
}

// A cut copy, and a file that is no copy, are named and set aside, never read as a work.
TEST_F(Recovery, ACopyThatFailsItsCheckIsSetAsideWithAMessage) {
    openChangeAndAutosave();
    crash(app);
    const std::string whole = fileBytes(ownCopy(app));
    const std::string cases[] = {whole.substr(0, whole.size() - 10),
                                 whole.substr(0, whole.size() - 1) + "X",
                                 "AKTIVITET: Val\r\nELEVLISTA: elever.txt\r\n", ""};
    for (const std::string& bytes : cases) {
        folder.write("konfiguration/kopia-" + app.recovery.id + ".pel", bytes);
        const fs::path copy = ownCopy(app);
        fs::path aside = copy;
        aside += ".trasig";
        desktop.expectMsgBox("Den automatiska kopian "_cp + shown(copy) +
                                 " är skadad eller ingen kopia från Pelora och kan inte "
                                 "återställas. Den har fått namnet "_cp +
                                 shown(aside) + ".",
                             Buttons::Ok, Icon::Exclamation, "Återställ arbete"_cp, Answer::Ok);
        auto again = restart();
        EXPECT_EQ(again->work.studentCount, 0);
        EXPECT_EQ(fileBytes(aside), bytes);
        fs::remove(aside);
    }
}

TEST_F(Recovery, AWorkNeverSavedIsKeptTooAndAnExitWithoutSavingRemovesTheCopy) {
    const CurrentFolder here(folder.native() / "skolår");
    desktop.expectDialog(Dialog::StartData, [&] {
        app.form3.Text3.text = "elever.txt";
        form3::Command1_Click(app);
    });
    Arkiv_Nytt(app);
    app.work.studentTable[1].wishes = "DANS";
    app.history.markModified();
    autosave(app);
    expectOffer("ett nytt arbete som aldrig sparats", Answer::Yes);
    auto again = restart();
    EXPECT_EQ(again->work.studentTable[1].wishes + again->run.workFilePath.string(), "DANS");

    desktop.expectMsgBox("Vill du spara ändringarna?"_cp, Buttons::YesNoCancel, Icon::Question,
                         "Avsluta", Answer::No);
    EXPECT_TRUE(Arkivavsluta(*again));
    EXPECT_EQ(kept(), std::vector<std::string>{});
}

// "Avsluta", Ja, and the save fails: the changes as they are at the end are copied.
TEST_F(Recovery, AnEndAfterAFailedSaveCopiesTheChangesFirst) {
    openChangeAndAutosave();
    app.work.studentTable[2].wishes = "SIST";
    fs::permissions(work, fs::perms::owner_read);
    desktop
        .expectMsgBox("Vill du spara ändringarna?"_cp, Buttons::YesNoCancel, Icon::Question,
                      "Avsluta", Answer::Yes)
        .expectMsgBox("Kan inte spara " + shown(work) + "\r\nFilen är skrivskyddad."_cp,
                      Buttons::Ok, Icon::Exclamation, "Spara", Answer::Ok);
    EXPECT_TRUE(Arkivavsluta(app));
    const CurrentFolder elsewhere(folder.native());
    expectOffer(shown(work), Answer::Yes);
    EXPECT_EQ(restart()->work.studentTable[2].wishes, "SIST");
}

// The copy is due 5 s after the last change and at the latest 30 s after the first one it does
// not hold; the same work again is not written again.
TEST_F(Recovery, TheCopyFollowsTheEditsWithinFiveAndThirtySeconds) {
    using namespace std::chrono_literals;
    FailingFileSystem files;
    App counted(desktop, files);
    counted.recoveryFolder = folder.path("konfiguration");
    const auto start = std::chrono::steady_clock::now();
    const auto writes = [&files] {
        return std::count(files.log.begin(), files.log.end(), "replace");
    };
    EXPECT_EQ(copyWhenDue(counted, start), std::nullopt);  // no changes: nothing to copy
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

// Only unsaved changes are copied: nothing while the work is as saved; the copy goes when the
// changes are undone back to the saved work, and comes again with the next step away from it.
TEST_F(Recovery, OnlyUnsavedChangesAreCopied) {
    app.run.commandLineFile = work;
    Arkivoppna(app);
    autosave(app);
    EXPECT_FALSE(copyExists());
    Picture1_DragDrop(app, 1, 100, 0);
    autosave(app);
    EXPECT_TRUE(copyExists());
    Redigera_angra(app);
    EXPECT_EQ(copyWhenDue(app, std::chrono::steady_clock::now()), std::nullopt);
    EXPECT_FALSE(copyExists());
    Redigera_gorom(app);
    autosave(app);
    EXPECT_TRUE(copyExists());
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
        failing.recoveryFolder = folder.path("konfiguration");
        failing.history.markModified();
        desktop.expectMsgBox("Pelora kan inte göra någon automatisk kopia av arbetet i "_cp +
                                 shown(failing.recoveryFolder) + ".\r\n" + reason +
                                 "\r\nSpara arbetet ofta tills felet är åtgärdat."_cp,
                             Buttons::Ok, Icon::Exclamation, "Pelora", Answer::Ok);
        for (const char* activity : {"Ett", "Två", "Tre"}) {
            failing.work.start.activity = activity;
            autosave(failing);
        }
        desktop.verify();
    }
}

// The single copy of earlier versions is offered too, without a time.
TEST_F(Recovery, TheSingleCopyOfEarlierVersionsIsOfferedToo) {
    openChangeAndAutosave();
    crash(app);
    const std::string changed = workFileBytes(app.work);
    endRecovery(app);
    folder.write("konfiguration/osparat-arbete.pel", changed);
    folder.write("konfiguration/osparat-arbete-fil.txt", work.string());
    const CurrentFolder elsewhere(folder.native());
    desktop.expectMsgBox("Pelora avslutades utan att ändringarna i "_cp + shown(work) +
                             " sparades. Det finns en automatisk kopia av dem. Vill du återställa "
                             "den?\r\n\r\nSvarar du Nej tas kopian bort."_cp,
                         Buttons::YesNo, Icon::Question, "Återställ arbete"_cp, Answer::Yes,
                         Answer::Yes);
    auto again = restart();
    EXPECT_EQ(workFileBytes(again->work), changed);
    EXPECT_EQ(kept().size(), 2u);  // the new program's own copy and lock
}

// A program in a process of its own that does what it reads on its pipe: "c" changes its work
// and copies it, "s" saves it; it answers each with a byte and waits to be killed.
class OtherProgram {
public:
    OtherProgram(const fs::path& recoveryFolder, const fs::path& work, const std::string& wishes) {
        int orders[2], answers[2];
        EXPECT_EQ(::pipe(orders) | ::pipe(answers), 0);
        m_pid = ::fork();
        if (m_pid == 0) {
            ScriptedDesktop quiet([](const std::string&) { ::_exit(3); });
            App program(quiet);
            program.recoveryFolder = recoveryFolder;
            program.run.commandLineFile = work;
            Arkivoppna(program);
            for (char order = 0; ::read(orders[0], &order, 1) == 1;) {
                if (order == 'c') {
                    program.work.studentTable[1].wishes = wishes;
                    program.work.start.activity += "!";
                    program.history.markModified();
                    autosave(program);
                } else {
                    Arkiv_Spara(program);
                }
                if (::write(answers[1], &order, 1) != 1) ::_exit(4);
            }
            ::_exit(0);
        }
        ::close(orders[0]);
        ::close(answers[1]);
        m_orders = orders[1];
        m_answers = answers[0];
    }
    ~OtherProgram() {
        kill();
        ::close(m_orders);
        ::close(m_answers);
    }

    // Gives the order and waits until it is done.
    bool tell(char order) const {
        char done = 0;
        return ::write(m_orders, &order, 1) == 1 && ::read(m_answers, &done, 1) == 1 &&
               done == order;
    }
    void kill() {
        if (m_pid <= 0) return;
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = 0;
    }

private:
    pid_t m_pid = 0;
    int m_orders = -1, m_answers = -1;
};

// Two programs at once, each with its own work: each keeps its own copy, one's save or "Nej"
// never removes the other's copy, and once both are killed both copies are offered, newest first.
TEST_F(Recovery, TwoProgramsKeepTheirOwnCopies) {
    const fs::path other = folder.write("skolår/annat.pel"_cp, fileBytes(work));
    const fs::path copies = folder.path("konfiguration");
    OtherProgram first(copies, work, "DANS"), second(copies, other, "BILD");
    ASSERT_TRUE(first.tell('c'));
    ASSERT_TRUE(second.tell('c'));
    EXPECT_EQ(kept().size(), 4u);

    // A third program starting now offers neither, and its "Nej" to its own copy or its save
    // removes only its own.
    auto third = restart();
    third->run.commandLineFile = work;
    Arkivoppna(*third);
    third->history.markModified();
    autosave(*third);
    EXPECT_EQ(kept().size(), 6u);
    desktop.expectMsgBox("Vill du spara ändringarna?"_cp, Buttons::YesNoCancel, Icon::Question,
                         "Avsluta", Answer::No);
    EXPECT_TRUE(Arkivavsluta(*third));
    EXPECT_EQ(kept().size(), 4u);
    ASSERT_TRUE(first.tell('s'));
    EXPECT_EQ(kept().size(), 3u);  // the first's lock stays while it runs
    ASSERT_TRUE(first.tell('c'));

    first.kill();
    second.kill();
    // The first's copy was made last. Its time is set an hour after the second's, so that the
    // grain of the file system's clock cannot make the two copies equally new.
    const auto now = fs::file_time_type::clock::now();
    for (const auto& entry : fs::directory_iterator(copies)) {
        if (entry.path().extension() != ".pel") continue;
        const bool seconds = fileBytes(entry.path()).find("BILD") != std::string::npos;
        fs::last_write_time(entry.path(), seconds ? now - std::chrono::hours(1) : now);
    }
    const CurrentFolder elsewhere(folder.native());
    expectOffer(shown(work), Answer::No);
    expectOffer(shown(other), Answer::Yes);
    auto fourth = restart();
    EXPECT_EQ(fourth->work.studentTable[1].wishes + fourth->run.workFilePath.string(),
              "BILD" + other.string());
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
    desktop.expectMsgBox("Vill du spara ändringarna?"_cp, Buttons::YesNoCancel, Icon::Question,
                         "Öppna"_cp, Answer::No);
    Arkiv_senaste(app, 2);
    EXPECT_EQ(app.run.workFilePath, paths[2]);
    EXPECT_EQ(app.recentFiles.front(), paths[2]);
}

}  // namespace
}  // namespace pelora::test
