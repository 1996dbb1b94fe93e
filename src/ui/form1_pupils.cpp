// Form1: the wish entry (frame "Elever") and the overview (frame "Översikten").
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "base/codec.h"
#include "commands/overview.h"
#include "commands/wishes.h"
#include "display/currentpupil.h"
#include "display/overview.h"
#include "ui/form1.h"
#include "ui/textconv.h"
#include "ui/widgetsync.h"

namespace pelora::ui {

namespace {

const std::string kWishEntry = "Elever";

// The typed text of a combo box into the screen state; false when it did not really change. The
// pupil box takes its text as written, so that a name the code page cannot hold is found.
bool typedInto(const QComboBox* widget, ComboBox& box, bool asWritten = false) {
    const QString typed = widget->currentText();
    const std::string text = asWritten ? fromQtAsWritten(typed) : fromQt(typed);
    if (text == box.text) return false;
    box.text = text;
    return true;
}

}  // namespace

void Form1::setupPupils() {
    connect(Combo1, &QComboBox::editTextChanged, this, &Form1::Combo1_Change);
    connect(Combo1, &QComboBox::activated, this, &Form1::Combo1_Click);
    connect(Combo2, &QComboBox::editTextChanged, this, &Form1::Combo2_Change);
    connect(Combo2, &QComboBox::activated, this, &Form1::Combo2_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Text2, &QPlainTextEdit::textChanged, this, &Form1::Text2_Change);
    connect(qApp, &QApplication::focusChanged, this, &Form1::focusMoved);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(List1, &QListWidget::itemPressed, this, &Form1::List1_Click);
    connect(List1, &QListWidget::itemSelectionChanged, this, &Form1::List1_Click);

    connect(Combo3, &QComboBox::editTextChanged, this, &Form1::Combo3_Change);
    connect(Combo3, &QComboBox::activated, this, &Form1::Combo3_Click);
    connect(Check3, &QCheckBox::clicked, this, &Form1::Check3_Click);
    connect(Check2, &QCheckBox::clicked, this, &Form1::Check2_Click);
    connect(Text1, &QLineEdit::textChanged, this, &Form1::Text1_Change);
    connect(Text1, &QLineEdit::returnPressed, this, &Form1::Text1_KeyPress);
    connect(Command8, &QPushButton::clicked, this, &Form1::Command8_Click);
    // A click lands as a press; marks changed by the keyboard or on release as a selection.
    connect(List2, &QListWidget::itemPressed, this, &Form1::List2_Click);
    connect(List2, &QListWidget::itemSelectionChanged, this, &Form1::List2_Click);
}

void Form1::renderPupils() {}

// The class box and the pupil box: a typed text runs the choice only when it really changed,
// a click on an item always does.
void Form1::Combo1_Change() {
    if (typedInto(Combo1, m_app.screen.Combo1)) run(kWishEntry, [this] { ChooseClass(m_app); });
}

void Form1::Combo1_Click() {
    run(kWishEntry, [this] { ChooseClass(m_app); });
}

void Form1::Combo2_Change() {
    if (typedInto(Combo2, m_app.screen.Combo2, true))
        run(kWishEntry, [this] { ChooseStudent(m_app); });
}

void Form1::Combo2_Click() {
    const int index = Combo2->currentIndex();
    run(kWishEntry, [this, index] { ChooseStudent(m_app, index); });
}

void Form1::Command5_Click() {
    run(kWishEntry, [this] { PreviousClass(m_app); });
}

void Form1::Command6_Click() {
    run(kWishEntry, [this] { NextClass(m_app); });
}

void Form1::Command2_Click() {
    run(kWishEntry, [this] { PreviousStudent(m_app); });
}

void Form1::Command3_Click() {
    run(kWishEntry, [this] { NextStudent(m_app); });
}

// Every change of the wish box is stored as it is typed; the box itself is left alone.
void Form1::Text2_Change() {
    const std::string text = fromQtLines(Text2->toPlainText());
    if (text == m_app.screen.Text2.text) return;
    m_app.screen.Text2.text = text;
    run("Ange önskemål"_cp, [this] { StoreWishText(m_app); });
}

// The wish box is left when the focus moves on from it to another control of this window. Focus
// that goes to another window (a message box asked in the middle of typing, a menu, another
// program) has not left the box, and where it comes back from there no focus event tells what
// it left; so the box counts as left at the first move within this window away from it.
void Form1::focusMoved(QWidget* /*old*/, QWidget* now) {
    if (!now || now->window() != this) return;
    const bool inWishBox = now == Text2 || Text2->isAncestorOf(now);
    const bool left = m_focusInWishBox && !inWishBox;
    m_focusInWishBox = inWishBox;
    if (left) Text2_LostFocus();
}

void Form1::Text2_LostFocus() {
    run("Ange önskemål"_cp, [this] { TidyWishBox(m_app); });
}

void Form1::Command4_Click() {
    run(kWishEntry, [this] { UndoWishes(m_app); });
}

void Form1::List1_Click() {
    readInput(List1, m_app.screen.List1);
    run("Grupplista", [this] { PickFromMemberList(m_app, List1->currentRow()); });
}

void Form1::Combo3_Change() {
    if (typedInto(Combo3, m_app.screen.Combo3))
        run(kOverviewTitle, [this] { RefreshOverview(m_app); });
}

void Form1::Combo3_Click() {
    run(kOverviewTitle, [this] { RefreshOverview(m_app); });
}

void Form1::Check3_Click() {
    readInput(Check3, m_app.screen.Check3);
    run(kOverviewTitle, [this] { RefreshOverview(m_app); });
}

void Form1::Check2_Click() {
    readInput(Check2, m_app.screen.Check2);
}

void Form1::Text1_Change() {
    readNameInput(Text1, m_app.screen.Text1);
}

void Form1::Text1_KeyPress() {
    Command8_Click();
}

void Form1::Command8_Click() {
    readNameInput(Text1, m_app.screen.Text1);
    run(kOverviewTitle, [this] { SearchOverview(m_app); });
}

void Form1::List2_Click() {
    readInput(List2, m_app.screen.List2);
    run(kOverviewTitle, [this] { PickFromOverview(m_app, List2->currentRow()); });
}

}  // namespace pelora::ui
