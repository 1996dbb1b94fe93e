#include "commands/board.h"

#include "base/numbers.h"
#include "commands/edit.h"
#include "commands/wishes.h"
#include "display/board.h"
#include "display/overview.h"
#include "display/status.h"

namespace pelora {

LabelPress Label1_MouseDown(App& app, int g, MouseButton button, double x, double y) {
    if (app.screen.Check1.value == 1) {
        AppendGroupToWishes(app, g);
        return LabelPress::Nothing;
    }
    app.run.currentGroup = g;
    ShowMemberList(app, g);
    if (button == MouseButton::Right) return LabelPress::OpenPopup;
    app.screen.dragOffsetX = toInteger(x);
    app.screen.dragOffsetY = toInteger(y);
    app.screen.Label1[g].stackOrder = ++app.screen.topStackOrder;
    return LabelPress::StartDrag;
}

void Picture1_DragDrop(App& app, int dragged, double x, double y) {
    Group& group = app.work.groupTable[dragged];
    const double left = x - app.screen.dragOffsetX;
    const double top = y - app.screen.dragOffsetY;
    // Only a label that really moves changes the work; pressing one to see its members does not.
    Edit edit(app, "Flytta etiketten " + group.name, {.oneGroup = dragged});
    group.boardLeft = left;
    group.boardTop = top;
    ColourBoard(app);
}

void Label1_DragDrop(App& app, int target, int dragged, double x, double y) {
    const Group& under = app.work.groupTable[target];
    Picture1_DragDrop(app, dragged, under.boardLeft + x, under.boardTop + y);
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
    app.run.currentPeriod = period;
    app.screen.periodDisplay.caption = plainNumber(period);
    RefreshBoard(app);
    ShowStatus(app);
    RefreshOverview(app);
}

}  // namespace

void Command9_Click(App& app) {
    const int period = app.run.currentPeriod + 1;
    showPeriod(app, period > app.work.start.periodCount ? 1 : period);
}

void Command10_Click(App& app) {
    const int period = app.run.currentPeriod - 1;
    showPeriod(app, period < 1 ? app.work.start.periodCount : period);
}

}  // namespace pelora
