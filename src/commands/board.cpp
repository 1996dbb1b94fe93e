#include "commands/board.h"

#include <algorithm>
#include <cmath>
#include <vector>

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

// The board and a label on it, in twips.
constexpr double kBoardWidth = 5430;
constexpr double kBoardHeight = 4545;
constexpr double kLabelWidth = 0.22 * kBoardWidth;
constexpr double kLabelHeight = 0.11 * kBoardHeight;
constexpr int kColumns = 4;
constexpr double kColumnStep = kBoardWidth / kColumns;
constexpr double kRowStep = 1.2 * kLabelHeight;
constexpr double kMargin = (kColumnStep - kLabelWidth) / 2;

}  // namespace

void Redigera_ordna(App& app) {
    std::vector<int> shown;
    for (int g = 1; g <= app.work.groupCount; ++g) {
        if (app.screen.Label1[g].visible) shown.push_back(g);
    }
    if (shown.empty()) return;
    const int rows = (static_cast<int>(shown.size()) + kColumns - 1) / kColumns;
    const double room = kBoardHeight - 2 * kMargin - kLabelHeight;
    const double rowStep = rows > 1 ? std::min(kRowStep, room / (rows - 1)) : kRowStep;
    Edit edit(app, "Ordna etiketterna", {.groups = true});
    for (std::size_t k = 0; k < shown.size(); ++k) {
        Group& group = app.work.groupTable[shown[k]];
        const int column = static_cast<int>(k) % kColumns;
        const int row = static_cast<int>(k) / kColumns;
        group.boardLeft = std::round(kMargin + column * kColumnStep);
        group.boardTop = std::round(kMargin + row * rowStep);
    }
    ColourBoard(app);
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
