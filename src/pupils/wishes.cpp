#include "pupils/wishes.h"

#include <algorithm>

#include "groups/board.h"
#include "groups/status.h"
#include "pupils/overview.h"
#include "pupils/text.h"
#include "work/codec.h"
#include "work/numbers.h"

namespace pelora {

namespace {

// Puts a text into the wish box the way the program does it, not the user: like the box's own
// change event, the store runs only when the text really changes.
void putIntoWishBox(App& app, const std::string& text) {
    if (app.screen.Text2.text == text) return;
    app.screen.Text2.text = text;
    StoreWishText(app);
}

// The marker "  *P2" after the line that starts at the 1-based position pos.
void markLine(std::string& wishes, int pos, int period) {
    std::size_t lineEnd = wishes.find('\r', static_cast<std::size_t>(pos - 1));
    if (lineEnd == std::string::npos) lineEnd = wishes.size();
    wishes.insert(lineEnd, "  *P" + plainNumber(period));
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

bool isPupil(int i) {
    return i >= 0 && i <= MaxStudents;
}

}  // namespace

void ChooseClass(App& app) {
    Work& work = app.work;
    MainScreen& screen = app.screen;
    screen.Combo2.clear();
    const std::string key = NormalizeUpper(screen.Combo1.text);
    int c = 0;
    for (int k = 1; k <= work.classCount; ++k) {
        if (work.classList[k] == key) {
            c = k;
            break;
        }
    }
    if (c == 0) return;
    work.currentClassIndex = c;
    bool first = true;
    for (int i = 1; i <= work.studentCount; ++i) {
        if (work.studentTable[i].className != key) continue;
        screen.Combo2.addItem(work.studentTable[i].name, i);
        if (first) {
            work.currentStudent = i;
            first = false;
        }
    }
    ShowCurrentStudent(app);
}

void ChooseStudent(App& app) {
    const ComboBox& box = app.screen.Combo2;
    for (std::size_t k = 0; k < box.items.size(); ++k) {
        if (box.items[k] == box.text) {
            app.work.currentStudent = box.itemData[k];
            ShowCurrentStudent(app);
            return;
        }
    }
}

void PickFromMemberList(App& app, int line) {
    const ListBox& list = app.screen.List1;
    if (line < 0 || line >= static_cast<int>(list.lines.size())) return;
    const int i = list.lines[static_cast<std::size_t>(line)].itemData;
    if (i > 0 && isPupil(i)) {
        app.work.currentStudent = i;
        ShowCurrentStudent(app);
    }
}

// With no classes read there is nothing to step to; the rows of classList above classCount may
// still hold the classes of an earlier work.
void PreviousClass(App& app) {
    Work& work = app.work;
    if (work.classCount == 0) return;
    work.currentClassIndex = std::max(work.currentClassIndex - 1, 1);
    app.screen.Combo1.text = work.classList[work.currentClassIndex];
    ChooseClass(app);
}

void NextClass(App& app) {
    Work& work = app.work;
    if (work.classCount == 0) return;
    if (work.currentClassIndex == 0) work.currentClassIndex = 1;
    work.currentClassIndex = std::min(work.currentClassIndex + 1, work.classCount);
    app.screen.Combo1.text = work.classList[work.currentClassIndex];
    ChooseClass(app);
}

void PreviousStudent(App& app) {
    Work& work = app.work;
    const int i = work.currentStudent;
    if (work.studentCount > 0 && i > 1 && i <= work.studentCount &&
        work.studentTable[i - 1].className == app.screen.Combo1.text) {
        work.currentStudent = i - 1;
        ShowCurrentStudent(app);
        app.screen.focusRequest = Focus::WishBox;
    }
}

void NextStudent(App& app) {
    Work& work = app.work;
    if (work.currentStudent == 0) work.currentStudent = 1;
    const int i = work.currentStudent;
    if (work.studentCount > 0 && i < work.studentCount &&
        work.studentTable[i + 1].className == app.screen.Combo1.text) {
        work.currentStudent = i + 1;
        ShowCurrentStudent(app);
        app.screen.focusRequest = Focus::WishBox;
    }
}

void ShowCurrentStudent(App& app) {
    Work& work = app.work;
    MainScreen& screen = app.screen;
    if (screen.showRecursionGuard) return;
    if (!isPupil(work.currentStudent)) work.currentStudent = 0;

    // Setting the two boxes refills the pupil box for the pupil's class; their own nested
    // showing is held off, and what they do to the current pupil is undone.
    const int shown = work.currentStudent;
    const int previous = work.previousStudent;
    const Student& pupil = work.studentTable[shown];
    screen.showRecursionGuard = true;
    screen.Combo1.text = pupil.className;
    ChooseClass(app);
    screen.Combo2.text = pupil.name;
    ChooseStudent(app);
    screen.showRecursionGuard = false;
    work.currentStudent = shown;
    work.previousStudent = previous;

    if (work.currentStudent != work.previousStudent) {
        work.previousStudent = work.currentStudent;
        work.undoWishes = pupil.wishes;
        screen.Command4.enabled = false;
    }

    std::string w = pupil.wishes;
    const int periods = std::min(work.start.periodCount, MaxPeriods);
    for (int p = 1; p <= periods; ++p) {
        const int g = work.placement[p][shown];
        if (g <= 0 || g > MaxGroups) continue;
        const int pos = FindWish(w, work.groupTable[g].name);
        if (pos > 0) markLine(w, pos, p);
    }

    // The guard keeps this text, markers and all, from being stored as typed wishes.
    screen.wishBoxGuard = true;
    screen.Text2.text = TrimLines(w);
    screen.wishBoxGuard = false;

    ColourBoard(app);
    ShowStatus(app);
}

void StoreWishText(App& app) {
    Work& work = app.work;
    MainScreen& screen = app.screen;
    if (screen.overviewPickGuard || screen.wishBoxGuard) return;
    if (!isPupil(work.currentStudent)) return;

    if (screen.Text2.text.find(',') != std::string::npos) {
        app.desktop.MsgBox("Tryck ENTER efter varje önskemål."_cp, Desktop::Buttons::Ok,
                           Desktop::Icon::Exclamation, "Ange önskemål"_cp);
        return;
    }

    Student& pupil = work.studentTable[work.currentStudent];
    if (!screen.firstChangeSeen) {
        screen.firstChangeSeen = true;
        work.undoWishes = pupil.wishes;
    } else if (work.currentStudent == work.previousStudent) {
        screen.Command4.enabled = true;
    }
    // Every stored change is a change of the work, the first one of a run included: a wish
    // entered in one stroke must not be lost without the question about saving.
    if (work.currentStudent == work.previousStudent) work.dirty = true;

    pupil.wishes = TrimLines(stripMarkers(NormalizeUpper(screen.Text2.text)));

    if (screen.Combo3.text != "Alla") RefreshOverview(app);
    ColourBoard(app);
    ShowStatus(app);
}

void TidyWishBox(App& app) {
    putIntoWishBox(app, CleanLines(CommasToSpaces(NormalizeUpper(app.screen.Text2.text))));
    ColourBoard(app);
}

void UndoWishes(App& app) {
    putIntoWishBox(app, app.work.undoWishes);
    app.screen.Command4.enabled = false;
    ColourBoard(app);
    ShowCurrentStudent(app);
}

void AppendGroupToWishes(App& app, int g) {
    if (g < 1 || g > app.work.groupCount) return;
    std::string t = app.screen.Text2.text;
    if (!t.empty() && (t.size() < 2 || t.compare(t.size() - 2, 2, CRLF) != 0)) t += CRLF;
    t += BaseName(app.work.groupTable[g].name);
    putIntoWishBox(app, t);
}

}  // namespace pelora
