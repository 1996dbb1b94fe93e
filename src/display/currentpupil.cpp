#include "display/currentpupil.h"

#include <algorithm>

#include "base/numbers.h"
#include "base/text.h"
#include "display/board.h"
#include "display/status.h"

namespace pelora {

namespace {

// The marker "  *P2" after the line that starts at the 1-based position pos.
void markLine(std::string& wishes, int pos, int period) {
    std::size_t lineEnd = wishes.find('\r', static_cast<std::size_t>(pos - 1));
    if (lineEnd == std::string::npos) lineEnd = wishes.size();
    wishes.insert(lineEnd, "  *P" + plainNumber(period));
}

}  // namespace

void ChooseClass(View view) {
    const Work& work = view.work;
    MainScreen& screen = view.screen;
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
    view.run.currentClassIndex = c;
    bool first = true;
    for (int i = 1; i <= work.studentCount; ++i) {
        if (work.studentTable[i].className != key) continue;
        screen.Combo2.addItem(work.studentTable[i].name, i);
        if (first) {
            view.run.currentStudent = i;
            first = false;
        }
    }
    ShowCurrentStudent(view);
}

void ChooseStudent(View view, int index) {
    ComboBox& box = view.screen.Combo2;
    const int count = static_cast<int>(box.items.size());
    int chosen = -1;
    if (index >= 0 && index < count && box.items[static_cast<std::size_t>(index)] == box.text) {
        chosen = index;
    } else {
        for (int k = 0; k < count && chosen < 0; ++k) {
            if (box.items[static_cast<std::size_t>(k)] == box.text) chosen = k;
        }
    }
    if (chosen < 0) return;
    view.screen.Combo2.listIndex = chosen;
    view.run.currentStudent = box.itemData[static_cast<std::size_t>(chosen)];
    ShowCurrentStudent(view);
}

void ShowCurrentStudent(View view) {
    const Work& work = view.work;
    RunState& run = view.run;
    MainScreen& screen = view.screen;
    if (run.showRecursionGuard) return;
    if (run.currentStudent < 0 || run.currentStudent > MaxStudents) run.currentStudent = 0;

    // Setting the two boxes refills the pupil box for the pupil's class; their own nested
    // showing is held off, and what they do to the current pupil is undone.
    const int shown = run.currentStudent;
    const Student& pupil = work.studentTable[shown];
    run.showRecursionGuard = true;
    screen.Combo1.text = pupil.className;
    ChooseClass(view);
    // The pupil's own item, also where a classmate has the same name.
    screen.Combo2.text = pupil.name;
    const auto& data = screen.Combo2.itemData;
    const auto own = std::find(data.begin(), data.end(), shown);
    ChooseStudent(view, own == data.end() ? -1 : static_cast<int>(own - data.begin()));
    run.showRecursionGuard = false;
    run.currentStudent = shown;

    if (run.currentStudent != run.previousStudent) {
        run.previousStudent = run.currentStudent;
        ++run.shownPupils;
        run.undoWishes = pupil.wishes;
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
    run.wishBoxGuard = true;
    screen.Text2.text = TrimLines(w);
    run.wishBoxGuard = false;

    ColourBoard(view);
    ShowStatus(view);
}

}  // namespace pelora
