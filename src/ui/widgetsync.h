// Copying the core's plain controls into Qt widgets and user input back. Rendering touches only
// what differs, with the widget's signals blocked, so a text being typed is never reset.
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QWidget>

#include "base/screen.h"

namespace pelora::ui {

class RichTextView;

// The height `lines` lines of text need where they are centred in a row or a label: Å, Ä and Ö
// reach above the font's ascent, and what they need above is kept below as well.
int fullTextHeight(const QFontMetrics& metrics, int lines);

// Makes every row of the list high enough for Å, Ä and Ö whole; all rows are alike.
void fitRowsToCapitals(QAbstractItemView* list);
// The same for the list the combo box opens.
void fitRowsToCapitals(QComboBox* combo);

// A label that shows its text as it is, never as markup: a group may be named "<B>DANS".
QLabel* plainLabel(const QString& text = QString());

// What a screen reader says of the control: its name, as the caption beside it reads, and what
// it is for; an editable combo box's line is named alike.
void describe(QWidget* widget, const QString& name, const QString& description = QString());

void render(QComboBox* widget, const ComboBox& combo);
void render(QListWidget* widget, const ListBox& list);
void render(QLineEdit* widget, const TextBox& box);
// A box of several lines, as the wish box, whose text the user reads back line by line.
void render(QPlainTextEdit* widget, const TextBox& box);
void render(QCheckBox* widget, const CheckBox& box);
void render(QAbstractButton* widget, const Button& button);
void render(QLabel* widget, const Label& label);
// The manual's text (richtextview.cpp).
void render(RichTextView* widget, const RichText& text);

// User input into the screen state: the marked lines of a list, the text of a line edit (flagged
// where it holds a character Windows-1252 cannot hold), the tick of a check box. The combo boxes
// are editable: what is typed or picked reaches the state as its text changes.
void readInput(const QListWidget* widget, ListBox& list);
void readInput(const QLineEdit* widget, TextBox& box);
// A search among names: what the code page cannot hold is kept as written (textconv.h).
void readNameInput(const QLineEdit* widget, TextBox& box);
void readInput(const QCheckBox* widget, CheckBox& box);

}  // namespace pelora::ui
