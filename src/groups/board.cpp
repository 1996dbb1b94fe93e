#include "groups/board.h"

#include "groups/status.h"
#include "pupils/wishes.h"

#include "pupils/overview.h"
#include "pupils/text.h"
#include "work/numbers.h"

namespace pelora {

namespace {

// The period a group runs in, as the placements index it (0 when out of range).
int groupPeriod(const Work& work, int g) {
    int p = numericInteger(work.groupTable[g].periodText);
    return p >= 1 && p <= MaxPeriods ? p : 0;
}

}  // namespace

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
    std::string caption = shortName + "\r\n" + withSignSpace(members);
    double capacity = NumericValue(group.maxText);
    if (capacity > 0) {
        caption += "  (" + plainNumber(capacity - members) + ")";
    }
    return caption;
}

void RefreshBoard(App& app) {
    const Work& work = app.work;
    for (int g = 1; g <= work.groupCount; ++g) {
        GroupLabel& label = app.screen.Label1[g];
        const bool shown = NumericValue(work.groupTable[g].periodText) == work.currentPeriod ||
                           work.start.showAllPeriods == 1;
        label.visible = shown;
        if (shown) label.caption = labelCaption(work, g);
    }
    for (int g = work.groupCount + 1; g <= MaxGroups; ++g)
        app.screen.Label1[g].visible = false;
    ColourBoard(app);
}

void ColourBoard(App& app) {
    const Work& work = app.work;
    const int i = work.currentStudent;
    for (int g = 1; g <= work.groupCount; ++g) {
        Colour colour = White;
        if (i > 0) {
            const int p = groupPeriod(work, g);
            if (p > 0 && work.placement[p][i] == g) {
                colour = Green;
            } else if (FindWish(work.studentTable[i].wishes, work.groupTable[g].name) > 0) {
                colour = LightRed;
            }
        }
        app.screen.Label1[g].background = colour;
    }
}

void ShowMemberList(App& app, int g) {
    const Work& work = app.work;
    ListBox& list = app.screen.List1;
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
    RefreshOverview(app);
}

LabelPress Label1_MouseDown(App& app, int g, MouseButton button, double x, double y) {
    if (app.screen.Check1.value == 1) {
        AppendGroupToWishes(app, g);
        return LabelPress::Nothing;
    }
    app.work.currentGroup = g;
    ShowMemberList(app, g);
    if (button == MouseButton::Right) return LabelPress::OpenPopup;
    app.screen.dragOffsetX = toInteger(x);
    app.screen.dragOffsetY = toInteger(y);
    app.screen.Label1[g].stackOrder = ++app.screen.topStackOrder;
    app.work.dirty = true;
    return LabelPress::StartDrag;
}

void Picture1_DragDrop(App& app, int dragged, double x, double y) {
    Group& group = app.work.groupTable[dragged];
    group.boardLeft = x - app.screen.dragOffsetX;
    group.boardTop = y - app.screen.dragOffsetY;
    ColourBoard(app);
}

void Label1_DragDrop(App& app, int target, int dragged, double x, double y) {
    const Group& under = app.work.groupTable[target];
    Picture1_DragDrop(app, dragged, under.boardLeft + x, under.boardTop + y);
}

std::string groupDataText(const Work& work, int g) {
    const Group& group = work.groupTable[g];
    std::string text = group.name;
    if (work.start.periodCount > 1) text += "      Period " + group.periodText;
    text += "\r\n";
    if (!group.staff.empty()) text += group.staff + "     ";
    if (!group.maxText.empty()) text += "Max: " + group.maxText;
    text += "\r\n";
    text += group.comment;
    return text;
}

void Label1_MouseMove(App& app, int g) {
    if (app.screen.Check1.value == 1) return;
    app.screen.groupData.caption = groupDataText(app.work, g);
}

void Picture1_MouseMove(App& app) {
    app.screen.groupData.caption.clear();
}

namespace {

void showPeriod(App& app, int period) {
    app.work.currentPeriod = period;
    app.screen.periodDisplay.caption = plainNumber(period);
    RefreshBoard(app);
    ShowStatus(app);
    RefreshOverview(app);
}

}  // namespace

void Command9_Click(App& app) {
    int period = app.work.currentPeriod + 1;
    showPeriod(app, period > app.work.start.periodCount ? 1 : period);
}

void Command10_Click(App& app) {
    int period = app.work.currentPeriod - 1;
    showPeriod(app, period < 1 ? app.work.start.periodCount : period);
}

}  // namespace pelora
