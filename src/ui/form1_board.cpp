// Form1: the group board, the member list and the period stepper (frame "Grupper").
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <cmath>

#include "commands/board.h"
#include "commands/placement.h"
#include "display/board.h"
#include "ui/form1.h"
#include "ui/groupboard.h"
#include "ui/widgetsync.h"

namespace pelora::ui {

void Form1::setupBoard() {
    connect(Picture1, &GroupBoard::labelPressed, this, &Form1::Label1_MouseDown);
    connect(Picture1, &GroupBoard::labelDropped, this, &Form1::Label1_Drop);
    connect(Picture1, &GroupBoard::labelDoubleClicked, this, &Form1::Label1_DblClick);
    connect(Picture1, &GroupBoard::labelKey, this, &Form1::Label1_Key);
    connect(Picture1, &GroupBoard::labelHovered, this,
            [this](int g) { run("", [this, g] { pelora::Label1_MouseMove(m_app, g); }); });
    connect(Picture1, &GroupBoard::surfaceHovered, this,
            [this] { run("", [this] { pelora::Picture1_MouseMove(m_app); }); });
    connect(Command9, &QPushButton::clicked, this,
            [this] { run("", [this] { pelora::Command9_Click(m_app); }); });
    connect(Command10, &QPushButton::clicked, this,
            [this] { run("", [this] { pelora::Command10_Click(m_app); }); });
    connect(Check1, &QCheckBox::clicked, this, [this] { readInput(Check1, m_app.screen.Check1); });
}

void Form1::renderBoard() {}

void Form1::Label1_MouseDown(int g, Qt::MouseButton button, QPointF position) {
    const LabelPress result = pressLabel(g, button, position);
    if (result == LabelPress::StartDrag) {
        Picture1->beginDrag(g, position);
    } else if (result == LabelPress::OpenPopup) {
        H_klick->popup(Picture1->label(g)->mapToGlobal(position.toPoint()));
    }
}

LabelPress Form1::pressLabel(int g, Qt::MouseButton button, QPointF position) {
    readInput(Check1, m_app.screen.Check1);
    // A press that selects the group gives the board the focus; one that writes the group into
    // the wishes leaves it in the wish box.
    if (m_app.screen.Check1.value == 0) Picture1->takeFocus(g);
    const MouseButton which = button == Qt::RightButton  ? MouseButton::Right
                              : button == Qt::LeftButton ? MouseButton::Left
                                                         : MouseButton::Middle;
    LabelPress result = LabelPress::Nothing;
    run("", [&] {
        result = pelora::Label1_MouseDown(m_app, g, which, Picture1->toTwips(position.x()),
                                          Picture1->toTwips(position.y()));
    });
    return result;
}

void Form1::Label1_Key(int g, Qt::Key key) {
    const QPointF middle = QRectF(Picture1->label(g)->rect()).center();
    if (key == Qt::Key_Menu) {
        if (pressLabel(g, Qt::RightButton, middle) == LabelPress::OpenPopup)
            H_klick->popup(Picture1->label(g)->mapToGlobal(middle.toPoint()));
        return;
    }
    // A press selects the group and does not take hold of the label.
    pressLabel(g, Qt::LeftButton, middle);
    if (key == Qt::Key_Return) Label1_DblClick(g);
}

// The press before it has made g the current group and listed its members.
void Form1::Label1_DblClick(int g) {
    run("Placera elev", [this, g] { ToggleByDoubleClick(m_app, g); });
}

void Form1::Label1_Drop(int g, QPoint globalPosition) {
    const QPoint onBoard = Picture1->mapFromGlobal(globalPosition);
    if (!Picture1->rect().contains(onBoard)) return;  // dropped outside the board: stays put
    const int target = Picture1->labelAt(onBoard);
    // Where the label is let go, in whole twips at any zoom.
    auto twips = [this](int pixels) { return std::round(Picture1->toTwips(pixels)); };
    run("", [&] {
        if (target > 0) {
            const QPoint inTarget = onBoard - Picture1->label(target)->pos();
            pelora::Label1_DragDrop(m_app, target, g, twips(inTarget.x()), twips(inTarget.y()));
        } else {
            pelora::Picture1_DragDrop(m_app, g, twips(onBoard.x()), twips(onBoard.y()));
        }
    });
}

}  // namespace pelora::ui
