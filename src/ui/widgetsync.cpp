#include "ui/widgetsync.h"

#include <QSignalBlocker>

#include "ui/textconv.h"

namespace pelora::ui {

void render(QComboBox* widget, const ComboBox& combo) {
    QSignalBlocker blocker(widget);
    QStringList items;
    for (const std::string& item : combo.items) items << toQt(item);
    bool same = widget->count() == items.size();
    for (int k = 0; same && k < widget->count(); ++k) same = widget->itemText(k) == items[k];
    if (!same) {
        widget->clear();
        widget->addItems(items);
    }
    const QString text = toQt(combo.text);
    if (widget->isEditable()) {
        if (widget->currentText() != text) {
            int index = widget->findText(text, Qt::MatchExactly);
            if (index >= 0) widget->setCurrentIndex(index);
            widget->setEditText(text);
        }
    } else {
        widget->setCurrentIndex(widget->findText(text, Qt::MatchExactly));
    }
    widget->setEnabled(combo.enabled);
}

void render(QListWidget* widget, const ListBox& list) {
    QSignalBlocker blocker(widget);
    bool same = widget->count() == static_cast<int>(list.lines.size());
    for (int k = 0; same && k < widget->count(); ++k) {
        same = widget->item(k)->text() == toQt(list.lines[k].text);
    }
    if (!same) {
        widget->clear();
        for (const ListLine& line : list.lines) widget->addItem(toQt(line.text));
    }
    for (int k = 0; k < widget->count(); ++k) {
        bool marked = list.lines[k].marked;
        if (widget->item(k)->isSelected() != marked) widget->item(k)->setSelected(marked);
    }
    if (list.listIndex >= 0 && list.listIndex < widget->count() &&
        widget->currentRow() != list.listIndex) {
        widget->setCurrentRow(list.listIndex, QItemSelectionModel::NoUpdate);
    }
}

void render(QLineEdit* widget, const TextBox& box) {
    QSignalBlocker blocker(widget);
    const QString text = toQt(box.text);
    if (widget->text() != text) widget->setText(text);
    widget->setEnabled(box.enabled);
}

void render(QCheckBox* widget, const CheckBox& box) {
    QSignalBlocker blocker(widget);
    Qt::CheckState state = box.value == 1   ? Qt::Checked
                           : box.value == 2 ? Qt::PartiallyChecked
                                            : Qt::Unchecked;
    if (widget->checkState() != state) widget->setCheckState(state);
    widget->setEnabled(box.enabled);
}

void render(QAbstractButton* widget, const Button& button) { widget->setEnabled(button.enabled); }

void render(QLabel* widget, const Label& label) {
    const QString text = toQtLines(label.caption);
    if (widget->text() != text) widget->setText(text);
    widget->setEnabled(label.enabled);
}

void readInput(const QComboBox* widget, ComboBox& combo) { combo.text = fromQt(widget->currentText()); }

void readInput(const QListWidget* widget, ListBox& list) {
    for (int k = 0; k < widget->count() && k < static_cast<int>(list.lines.size()); ++k) {
        list.lines[k].marked = widget->item(k)->isSelected();
    }
    list.listIndex = widget->currentRow();
}

void readInput(const QLineEdit* widget, TextBox& box) { box.text = fromQt(widget->text()); }

void readInput(const QCheckBox* widget, CheckBox& box) {
    Qt::CheckState state = widget->checkState();
    box.value = state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
}

}  // namespace pelora::ui
