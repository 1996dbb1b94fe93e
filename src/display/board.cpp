#include "display/board.h"

#include <algorithm>

#include "base/codec.h"
#include "base/files.h"
#include "base/numbers.h"
#include "base/text.h"
#include "display/overview.h"

namespace pelora {

std::string labelCaption(const Work& work, int g) {
    const Group& group = work.groupTable[g];
    std::string shortName;
    std::size_t hyphen = group.name.find('-');
    if (hyphen != std::string::npos) {
        shortName = group.name.substr(0, hyphen).substr(0, 6) + "-" + group.name.substr(hyphen + 1);
    } else {
        shortName = group.name.substr(0, 8);
    }
    const int members = work.groupMemberCount[g];
    std::string caption = shortName + CRLF + withSignSpace(members);
    const double capacity = groupCapacity(work, g);
    if (capacity > 0) caption += "  (" + plainNumber(capacity - members) + ")";
    return caption;
}

void RefreshBoard(View view) {
    const Work& work = view.work;
    for (int g = 1; g <= work.groupCount; ++g) {
        GroupLabel& label = view.screen.Label1[g];
        const bool shown =
            groupPeriod(work, g) == view.run.currentPeriod || work.start.showAllPeriods == 1;
        label.visible = shown;
        if (shown) {
            label.caption = labelCaption(work, g);
            label.name = trimBlanks(work.groupTable[g].name);
        }
    }
    for (int g = work.groupCount + 1; g <= MaxGroups; ++g)
        view.screen.Label1[g].visible = false;
    view.screen.groupNames = groupBaseNames(work);
    ColourBoard(view);
}

std::vector<std::string> groupBaseNames(const Work& work) {
    std::vector<std::string> names;
    for (int g = 1; g <= work.groupCount; ++g) {
        const std::string name = trimBlanks(BaseName(work.groupTable[g].name));
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}

namespace {

enum class Mark { None, Placed, Wished };

// Whether pupil i (0 for none) is placed in group g, or wished it and is placed elsewhere.
Mark pupilMark(const Work& work, int g, int i) {
    if (i <= 0 || i > MaxStudents) return Mark::None;
    const int p = groupPeriod(work, g);
    if (p > 0 && work.placement[p][i] == g) return Mark::Placed;
    if (FindWish(work.studentTable[i].wishes, work.groupTable[g].name) > 0) return Mark::Wished;
    return Mark::None;
}

}  // namespace

void ColourBoard(View view) {
    const Work& work = view.work;
    const int i = view.run.currentStudent;
    for (int g = 1; g <= work.groupCount; ++g) {
        const Mark mark = pupilMark(work, g, i);
        GroupLabel& label = view.screen.Label1[g];
        label.background = mark == Mark::Placed ? Green : mark == Mark::Wished ? LightRed : White;
        label.report = labelReport(work, g, i);
    }
    view.screen.wishHint.caption =
        i > 0 && i <= MaxStudents ? wishHint(work, work.studentTable[i].wishes) : std::string();
}

std::string labelReport(const Work& work, int g, int pupil) {
    const Group& group = work.groupTable[g];
    const int members = work.groupMemberCount[g];
    std::string report =
        trimBlanks(group.name) + ", " + plainNumber(members) + (members == 1 ? " elev" : " elever");
    const double capacity = groupCapacity(work, g);
    if (capacity > 0) {
        const double free = capacity - members;
        if (free == 1) {
            report += ", 1 plats kvar";
        } else if (free > 0) {
            report += ", " + plainNumber(free) + " platser kvar";
        } else if (free == 0) {
            report += ", full";
        } else {
            report += ", " + plainNumber(-free) + " för många"_cp;
        }
    }
    const Mark mark = pupilMark(work, g, pupil);
    if (mark == Mark::Placed) report += ", placerad här"_cp;
    if (mark == Mark::Wished) report += ", önskad"_cp;
    return report;
}

std::string wishHint(const Work& work, const std::string& wishes) {
    if (work.groupCount == 0) return std::string();
    for (const std::string& wish : splitLines(wishes)) {
        if (trimBlanks(wish).empty() || namesAGroup(work, wish)) continue;
        const int g = closestGroup(work, wish);
        return wish + " finns inte som grupp"_cp +
               (g > 0 ? " – menade du "_cp + trimBlanks(BaseName(work.groupTable[g].name)) + "?"
                      : std::string());
    }
    return std::string();
}

void ShowMemberList(View view, int g) {
    const Work& work = view.work;
    ListBox& list = view.screen.List1;
    list.clear();
    list.addItem(work.groupTable[g].name.substr(0, 14) +
                 "  Antal: " + withSignSpace(work.groupMemberCount[g]));
    list.addItem("");
    const int p = groupPeriod(work, g);
    if (p > 0) {
        for (int i = 1; i <= work.studentCount; ++i) {
            if (work.placement[p][i] == g) {
                const Student& pupil = work.studentTable[i];
                list.addItem(pupil.className + " " + pupil.name, i);
            }
        }
    }
    RefreshOverview(view);
}

std::string groupDataText(const Work& work, int g) {
    const Group& group = work.groupTable[g];
    std::string text = group.name;
    if (work.start.periodCount > 1) {
        // The period the group is placed in; a text that names no period is shown as it is.
        const int p = groupPeriod(work, g);
        text += "      Period " + (p > 0 ? plainNumber(p) : group.periodText);
    }
    text += CRLF;
    if (!group.staff.empty()) text += group.staff + "     ";
    if (!group.maxText.empty()) text += "Max: " + group.maxText;
    text += CRLF;
    text += group.comment;
    return text;
}

}  // namespace pelora
