#include "commands/lifecycle.h"

#include "base/codec.h"
#include "base/numbers.h"
#include "commands/help.h"
#include "commands/opensave.h"
#include "commands/readroster.h"
#include "commands/recovery.h"
#include "commands/startdata.h"
#include "display/board.h"
#include "display/overview.h"
#include "display/status.h"
#include "formats/roster.h"

namespace pelora {

void ClearWork(App& app) {
    Work& work = app.work;
    RunState& run = app.run;
    MainScreen& screen = app.screen;
    work.groupCount = 0;
    work.studentCount = 0;
    work.classCount = 0;
    run.currentClassIndex = 0;
    run.currentStudent = 0;
    run.currentGroup = 0;
    run.previousStudent = 0;
    RecountGroupMembers(work);  // with no pupils: every count 0
    screen.Combo1.clear();
    screen.Combo2.clear();
    screen.List1.clear();
    screen.List2.clear();
    screen.groupData.caption.clear();
    screen.Command4.enabled = false;
    screen.Text2.text.clear();
    run.undoWishes.clear();
    app.history.clear();
    work.start.periodCount = 1;
}

WorkSnapshot::WorkSnapshot(App& app)
    : m_app(app),
      m_work(std::make_unique<const Work>(app.work)),
      m_run(std::make_unique<const RunState>(app.run)),
      m_screen(std::make_unique<const MainScreen>(app.screen)),
      m_history(std::move(app.history)) {
    app.history.clear();
}

void WorkSnapshot::restore() {
    const std::filesystem::path dialogName = m_app.screen.fileDialogName;
    m_app.work = *m_work;
    m_app.run = *m_run;
    m_app.screen = *m_screen;
    m_app.screen.fileDialogName = dialogName;
    m_app.history = std::move(m_history);
}

void Form_Load(App& app, int designedWidth, int screenWidth,
               const std::filesystem::path& commandLine) {
    MainScreen& screen = app.screen;
    screen.startMaximized = !(designedWidth * 1.1 < screenWidth);
    for (GroupLabel& label : screen.Label1) {
        label.visible = false;
        label.stackOrder = ++screen.topStackOrder;
    }
    app.run.currentPeriod = 1;
    app.work.start.periodCount = 1;
    loadManual(app);
    // Changes a crash kept come first; the work named on the command line waits for the next time.
    if (offerRecovery(app)) return;
    if (!commandLine.empty()) {
        app.run.commandLineFile = commandLine;
        Arkivoppna(app);
    }
}

void Form_Activate(App& app) {
    MainScreen& screen = app.screen;
    const StartData& start = app.work.start;
    const bool severalPeriods = start.periodCount > 1;

    screen.Combo3.clear();
    screen.Combo3.addItem("Alla");
    screen.Combo3.addItem("Ej gjort val");
    if (!severalPeriods) {
        screen.Combo3.addItem("Ej placerade");
    } else if (start.showAllPeriods == 0) {
        screen.Combo3.addItem("Ej placerade vald period");
    }
    screen.Combo3.addItem("Önskat aktuell grupp"_cp);
    if (!severalPeriods) {
        screen.Combo3.addItem("Aktuell grupp som 1:a-val");
        screen.Combo3.addItem("Aktuell grupp som >1:a-val");
        screen.Combo3.addItem("Ej fått 1:a-val"_cp);
    }
    screen.Combo3.addItem("Enligt sökbegrepp"_cp);

    PrintScreen& print = app.form4;
    print.periodLabel.enabled = severalPeriods;
    print.Text4.enabled = severalPeriods;
    print.Check5.enabled = severalPeriods;
    if (severalPeriods) {
        if (screen.periodDisplay.caption.empty()) {
            screen.periodDisplay.caption = plainNumber(app.run.currentPeriod);
        }
        screen.periodCaption.enabled = true;
        screen.periodDisplay.enabled = true;
        screen.Command9.enabled = true;
        screen.Command10.enabled = true;
    }
    if (!severalPeriods || start.showAllPeriods == 1) {
        screen.Command9.enabled = false;
        screen.Command10.enabled = false;
        screen.periodDisplay.caption.clear();
        screen.periodDisplay.enabled = false;
        screen.periodCaption.enabled = false;
    }

    screen.Combo3.text = "Alla";
    RefreshOverview(app);
}

bool askToSaveChanges(App& app, const std::string& title, Desktop::Answer* given) {
    if (!app.history.dirty()) return true;
    auto answer = app.desktop.MsgBox("Vill du spara ändringarna?"_cp, Desktop::Buttons::YesNoCancel,
                                     Desktop::Icon::Question, title);
    if (given) *given = answer;
    if (answer == Desktop::Answer::Cancel) return false;
    if (answer == Desktop::Answer::Yes) Arkiv_Spara(app);
    // The changes are given up: their automatic copy goes with them.
    if (answer == Desktop::Answer::No) removeRecoveryCopy(app);
    return true;
}

namespace {

// Ending the program: a copy of changes that were saved or given up is no longer needed, while
// changes a failed save could not keep are copied as they are now, for the next start.
bool endingAsked(App& app) {
    Desktop::Answer answer = Desktop::Answer::Ok;
    if (!askToSaveChanges(app, "Avsluta", &answer)) return false;
    if (app.history.dirty() && answer == Desktop::Answer::Yes) {
        autosave(app);
    } else {
        endRecovery(app);
    }
    return true;
}

}  // namespace

bool Arkivavsluta(App& app) {
    return endingAsked(app);
}

void Form_QueryUnload(App& app, bool& cancel) {
    cancel = !endingAsked(app);
}

void keepShownPeriod(App& app) {
    const int before = app.run.currentPeriod;
    keepPeriodInRange(app.work, app.run);
    if (app.run.currentPeriod != before && !app.screen.periodDisplay.caption.empty()) {
        app.screen.periodDisplay.caption = plainNumber(app.run.currentPeriod);
    }
}

namespace {

// After New has read the roster: the classes of the filter that matched no pupil, named once,
// since a class typed "7a" or missing from the roster gives a work without those pupils.
void reportClassesNotFound(App& app) {
    std::vector<std::string> classes(app.work.classList.begin() + 1,
                                     app.work.classList.begin() + 1 + app.work.classCount);
    const std::vector<std::string> missing = classesNotFound(app.work.start.classFilter, classes);
    if (missing.empty()) return;
    std::string names;
    for (const std::string& name : missing)
        names += (names.empty() ? "" : ", ") + name;
    const bool one = missing.size() == 1;
    app.desktop.MsgBox((one ? "Klassen " : "Klasserna ") + names +
                           " finns inte i elevlistan. Skriv klassernas namn under Klasser så som "
                           "de står i elevlistan, till exempel 7A, och välj Nytt igen."_cp,
                       Desktop::Buttons::Ok, Desktop::Icon::Exclamation, "Nytt");
}

}  // namespace

void Arkiv_Nytt(App& app) {
    Work& work = app.work;
    RunState& run = app.run;
    if (!askToSaveChanges(app, "Nytt")) return;
    // A roster that cannot be read brings this work back, changes and all. Meanwhile the work
    // has no unsaved changes: they were saved or given up.
    WorkSnapshot before(app);

    showStartDataDialog(app, "Nytt");
    if (run.startDataCancelled) {
        // The work as it was before the dialog, what a failed check stored undone, with its
        // history; its changes were saved or given up, so nothing is unsaved.
        run.startDataCancelled = false;
        before.restore();
        app.history.markClean();
        return;
    }
    const StartData typed = work.start;

    // A relative roster path is taken from where it is found now, beside the work it came from
    // or in the current folder, and kept as that folder's path.
    work.start.studentListPath = absoluteRosterPath(app, work.start.studentListPath);
    const int groupCount = work.groupCount;
    const int periodCount = work.start.periodCount;
    ClearWork(app);
    run.workFilePath.clear();
    work.start.periodCount = periodCount;
    // The kept groups come back with their names, staff, places, periods and positions; the
    // roster read below clears their members.
    if (app.form3.Check1.value == 1) work.groupCount = groupCount;
    keepShownPeriod(app);
    if (!work.start.studentListPath.empty()) {
        if (!Hamta_elever(app)) {
            before.restore();
            // What was typed waits in the next New dialog.
            app.startDataForNextNew = typed;
            return;
        }
        reportSharedKeys(app, "Nytt");
        reportClassesNotFound(app);
    }

    RefreshBoard(app);
    ShowStatus(app);
    app.screen.Combo3.text = "Alla";
    RefreshOverview(app);
}

}  // namespace pelora
