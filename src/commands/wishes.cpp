#include "commands/wishes.h"

#include <algorithm>

#include "base/codec.h"
#include "base/text.h"
#include "commands/edit.h"
#include "display/board.h"
#include "display/currentpupil.h"
#include "display/overview.h"
#include "display/status.h"

namespace pelora {

namespace {

// Puts a text into the wish box the way the program does it, not the user: like the box's own
// change event, the store runs only when the text really changes.
void putIntoWishBox(App& app, const std::string& text) {
    if (app.screen.Text2.text == text) return;
    app.screen.Text2.text = text;
    StoreWishText(app);
}

// Removes every placement marker with the blanks before it and the rest of its line.
std::string stripMarkers(std::string w) {
    for (std::size_t s; (s = w.find("*P")) != std::string::npos;) {
        while (s > 0 && w[s - 1] == ' ')
            --s;
        std::size_t e = w.find('\r', s);
        if (e == std::string::npos) e = w.size();
        w.erase(s, e - s);
    }
    return w;
}

// A TAB in the box (a row of cells pasted from a spreadsheet) starts a new wish: a stored wish
// never holds one, since the work file ends the wishes at the first TAB.
std::string typedWishes(const std::string& box) {
    return NormalizeUpper(replaceAll(box, "\t", CRLF));
}

bool isPupil(int i) {
    return i >= 0 && i <= MaxStudents;
}

}  // namespace

void PickFromMemberList(App& app, int line) {
    const ListBox& list = app.screen.List1;
    if (line < 0 || line >= static_cast<int>(list.lines.size())) return;
    const int i = list.lines[static_cast<std::size_t>(line)].itemData;
    if (i > 0 && isPupil(i)) {
        app.run.currentStudent = i;
        ShowCurrentStudent(app);
    }
}

// With no classes read there is nothing to step to; the rows of classList above classCount may
// still hold the classes of an earlier work.
void PreviousClass(App& app) {
    RunState& run = app.run;
    if (app.work.classCount == 0) return;
    run.currentClassIndex = std::max(run.currentClassIndex - 1, 1);
    app.screen.Combo1.text = app.work.classList[run.currentClassIndex];
    ChooseClass(app);
}

void NextClass(App& app) {
    RunState& run = app.run;
    if (app.work.classCount == 0) return;
    if (run.currentClassIndex == 0) run.currentClassIndex = 1;
    run.currentClassIndex = std::min(run.currentClassIndex + 1, app.work.classCount);
    app.screen.Combo1.text = app.work.classList[run.currentClassIndex];
    ChooseClass(app);
}

void PreviousStudent(App& app) {
    const Work& work = app.work;
    RunState& run = app.run;
    const int i = run.currentStudent;
    if (work.studentCount > 0 && i > 1 && i <= work.studentCount &&
        work.studentTable[i - 1].className == app.screen.Combo1.text) {
        run.currentStudent = i - 1;
        ShowCurrentStudent(app);
        app.screen.focusRequest = Focus::WishBox;
    }
}

void NextStudent(App& app) {
    const Work& work = app.work;
    RunState& run = app.run;
    if (run.currentStudent == 0) run.currentStudent = 1;
    const int i = run.currentStudent;
    if (work.studentCount > 0 && i < work.studentCount &&
        work.studentTable[i + 1].className == app.screen.Combo1.text) {
        run.currentStudent = i + 1;
        ShowCurrentStudent(app);
        app.screen.focusRequest = Focus::WishBox;
    }
}

void StoreWishText(App& app) {
    Work& work = app.work;
    RunState& run = app.run;
    MainScreen& screen = app.screen;
    if (run.overviewPickGuard || run.wishBoxGuard) return;
    if (!isPupil(run.currentStudent)) return;

    if (screen.Text2.text.find(',') != std::string::npos) {
        app.desktop.MsgBox("Tryck ENTER efter varje önskemål."_cp, Desktop::Buttons::Ok,
                           Desktop::Icon::Exclamation, "Ange önskemål"_cp);
        return;
    }

    Student& pupil = work.studentTable[run.currentStudent];
    // The changes of one pupil's wishes while the pupil is shown are one step.
    Edit edit(app, "Ändra önskemål för "_cp + pupil.name, {.wishesOf = run.currentStudent});
    if (!run.firstChangeSeen) {
        run.firstChangeSeen = true;
        run.undoWishes = pupil.wishes;
    } else if (run.currentStudent == run.previousStudent) {
        screen.Command4.enabled = true;
    }
    // Every stored change is a change of the work, the first one of a run included: a wish
    // entered in one stroke must not be lost without the question about saving.
    if (run.currentStudent == run.previousStudent) edit.changed();

    pupil.wishes = TrimLines(stripMarkers(typedWishes(screen.Text2.text)));

    if (screen.Combo3.text != "Alla") RefreshOverview(app);
    ColourBoard(app);
    ShowStatus(app);
}

namespace {

// What the box shows once it has lost the focus; what it stores of that is wishesAsStored.
std::string tidiedWishBox(const std::string& box) {
    return CleanLines(CommasToSpaces(typedWishes(box)));
}

}  // namespace

void TidyWishBox(App& app) {
    putIntoWishBox(app, tidiedWishBox(app.screen.Text2.text));
    ColourBoard(app);
}

std::string wishesAsStored(const std::string& typed) {
    return TrimLines(stripMarkers(typedWishes(tidiedWishBox(typed))));
}

void UndoWishes(App& app) {
    putIntoWishBox(app, app.run.undoWishes);
    app.screen.Command4.enabled = false;
    ColourBoard(app);
    ShowCurrentStudent(app);
    // "Ångra" is disabled now; the user goes on typing the wishes.
    app.screen.focusRequest = Focus::WishBox;
}

void AppendGroupToWishes(App& app, int g) {
    if (g < 1 || g > app.work.groupCount) return;
    std::string t = app.screen.Text2.text;
    if (!t.empty() && (t.size() < 2 || t.compare(t.size() - 2, 2, CRLF) != 0)) t += CRLF;
    t += BaseName(app.work.groupTable[g].name);
    putIntoWishBox(app, t);
}

}  // namespace pelora
