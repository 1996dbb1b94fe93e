#include "commands/placement.h"

#include "base/codec.h"
#include "base/desktop.h"
#include "base/numbers.h"
#include "base/text.h"
#include "commands/edit.h"
#include "display/board.h"
#include "display/currentpupil.h"
#include "display/overview.h"
#include "display/status.h"

namespace pelora {

namespace {

const char* const kPlaceTitle = "Placera elev i grupp";
// The command "Placera i aktuell grupp" as the window names it when it reports an error.
const char* const kWalkTitle = "Placera valda elever";

// The period group g's placements are written in, or 0 where the group has no period of the
// work (a file can say so): such a group takes nobody, since its placements would not be saved.
int placementPeriod(const App& app, int g) {
    if (g < 1 || g > app.work.groupCount) return 0;
    const int p = groupPeriod(app.work, g);
    return p <= app.work.start.periodCount ? p : 0;
}

// The questions before pupil i goes into group g in period p, in their order; `members` is how
// many the group holds now. True when every question asked was answered Yes; `answer` is the
// last answer given (Cancel ends a run over many pupils).
bool confirmPlacement(App& app, int i, int g, int p, int members, Desktop::Buttons buttons,
                      const std::string& notWished, Desktop::Answer& answer) {
    const Work& work = app.work;
    auto ask = [&](const std::string& question) {
        answer = app.desktop.MsgBox(question, buttons, Desktop::Icon::Question, kPlaceTitle);
        return answer == Desktop::Answer::Yes;
    };
    answer = Desktop::Answer::Yes;
    const int h = work.placement[p][i];
    if (h != 0 && h != g &&
        !ask(work.studentTable[i].name + " deltar redan i " + work.groupTable[h].name +
             ". Skall eleven byta till " + work.groupTable[g].name + "?")) {
        return false;
    }
    if (work.start.ignoreWishes != 1 &&
        FindWish(work.studentTable[i].wishes, work.groupTable[g].name) == 0 && !ask(notWished)) {
        return false;
    }
    const double capacity = groupCapacity(work, g);
    if (capacity > 0 && capacity <= members &&
        !ask("Gruppens maxantal är redan nått. Skall eleven ändå placeras där?"_cp)) {
        return false;
    }
    return true;
}

// "Placera 9 elever", "Placera 1 elev": a step's name.
std::string pupilCount(const std::string& verb, int count) {
    return verb + plainNumber(count) + (count == 1 ? " elev" : " elever");
}

}  // namespace

void refreshAfterPlacement(App& app, int g) {
    RecountGroupMembers(app.work);
    if (g >= 1 && g <= app.work.groupCount) ShowMemberList(app, g);
    RefreshBoard(app);
    ShowStatus(app);
    ShowCurrentStudent(app);
    RefreshOverview(app);
}

void PlaceInCurrentGroup(App& app) {
    Work& work = app.work;
    const ListBox& list = app.screen.List2;
    const int g = app.run.currentGroup;
    const int p = placementPeriod(app, g);
    if (list.lines.empty() || p == 0) return;

    const int marked = list.markedCount();
    const std::size_t count = list.lines.size();
    std::string phrase;
    if (count == 1 && marked == 0) {
        phrase = "eleven";
    } else if (marked == 1) {
        phrase = " den markerade eleven";
    } else if (marked > 1) {
        phrase = "de " + plainNumber(marked) + " markerade eleverna";
    } else {
        phrase = "alla eleverna";
    }
    // Many pupils can be placed in one stroke here, so only a Yes chosen on purpose does it.
    if (app.desktop.MsgBox(
            "Vill du placera " + phrase + " i Översikten i "_cp + work.groupTable[g].name + "?",
            Desktop::Buttons::YesNo, Desktop::Icon::Question, kPlaceTitle,
            Desktop::Answer::No) != Desktop::Answer::Yes) {
        return;
    }
    // One step, whatever was placed before an "Avbryt"; a walk that placed nobody still counts
    // as a change.
    Edit edit(app, "", {.placements = true});
    edit.changed();

    // The lines as they were asked about; the list is rebuilt only by the refresh at the end.
    const std::vector<ListLine> lines = list.lines;
    int members = work.groupMemberCount[g];
    int placed = 0;
    bool cancelled = false;
    for (std::size_t k = 0; k < count && !cancelled; ++k) {
        if (marked > 0 && !lines[k].marked) continue;
        const int i = lines[k].itemData;
        if (i < 1 || i > work.studentCount || work.placement[p][i] == g) continue;
        // An error at one pupil is told and the walk goes on with the next, so that the
        // placements made before it are counted, shown and marked as a change of the work.
        runGuarded(app.desktop, kWalkTitle, [&] {
            Desktop::Answer answer = Desktop::Answer::Yes;
            const std::string notWished =
                work.studentTable[i].name +
                " har ej önskat denna grupp. Skall eleven ändå placeras där?"_cp;
            if (confirmPlacement(app, i, g, p, members, Desktop::Buttons::YesNoCancel, notWished,
                                 answer)) {
                work.placement[p][i] = static_cast<std::int16_t>(g);
                ++members;
                ++placed;
            } else if (answer == Desktop::Answer::Cancel) {
                cancelled = true;
            }
        });
    }
    edit.rename(pupilCount("Placera ", placed) + " i " + work.groupTable[g].name);
    refreshAfterPlacement(app, g);
}

void ToggleByDoubleClick(App& app, int g) {
    Work& work = app.work;
    if (app.screen.Check1.value == 1) return;
    const int i = app.run.currentStudent;
    const int p = placementPeriod(app, g);
    if (i < 1 || i > work.studentCount || p == 0) return;

    const std::string& name = work.studentTable[i].name;
    Edit edit(app, "", {.placements = true});
    if (work.placement[p][i] == g) {
        edit.rename("Ta bort " + name + " ur " + work.groupTable[g].name);
        work.placement[p][i] = 0;
    } else {
        edit.rename("Placera " + name + " i " + work.groupTable[g].name);
        Desktop::Answer answer = Desktop::Answer::Yes;
        if (!confirmPlacement(
                app, i, g, p, work.groupMemberCount[g], Desktop::Buttons::YesNo,
                "Eleven har ej önskat denna grupp. Skall eleven ändå placeras där?"_cp, answer)) {
            return;
        }
        work.placement[p][i] = static_cast<std::int16_t>(g);
    }
    edit.changed();
    refreshAfterPlacement(app, g);
}

void RemoveMarkedFromGroup(App& app) {
    Work& work = app.work;
    const ListBox& list = app.screen.List1;
    const int g = app.run.currentGroup;
    const int p = placementPeriod(app, g);
    if (list.lines.empty() || p == 0) return;
    const std::string title = "Ta bort elever ur aktuell grupp";
    if (list.markedCount() == 0) {
        app.desktop.MsgBox("Ingen elev är markerad."_cp, Desktop::Buttons::Ok,
                           Desktop::Icon::Exclamation, title);
        return;
    }
    if (app.desktop.MsgBox("Är du säker på att du vill ta bort markerad(e) elev(er) ur "_cp +
                               work.groupTable[g].name + "?",
                           Desktop::Buttons::YesNo, Desktop::Icon::Question,
                           title) != Desktop::Answer::Yes) {
        return;
    }
    // Marking only the head lines removes nobody, but counts as a change.
    Edit edit(app, "", {.placements = true});
    edit.changed();
    int removed = 0;
    for (const ListLine& line : list.lines) {
        // The head line and the empty line under it carry no pupil.
        if (line.marked && line.itemData >= 1 && line.itemData <= work.studentCount) {
            removed += work.placement[p][line.itemData] == g ? 1 : 0;
            work.placement[p][line.itemData] = 0;
        }
    }
    edit.rename(pupilCount("Ta bort ", removed) + " ur " + work.groupTable[g].name);
    refreshAfterPlacement(app, g);
}

}  // namespace pelora
