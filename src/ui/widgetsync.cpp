#include "ui/widgetsync.h"

#include <QLineEdit>

#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>

#include "ui/textconv.h"

namespace pelora::ui {

int fullTextHeight(const QFontMetrics& metrics, int lines) {
    const int above =
        std::max(0, -metrics.tightBoundingRect(QStringLiteral("ÅÄÖ")).top() - metrics.ascent());
    return (lines - 1) * metrics.lineSpacing() + metrics.height() + 2 * above;
}

namespace {

// Rows of a list at least as high as the font needs for Å, Ä and Ö.
class WholeCapitalsDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (option.font != m_font || m_height == 0) {
            m_font = option.font;
            m_height = fullTextHeight(option.fontMetrics, 1);
        }
        size.setHeight(std::max(size.height(), m_height));
        return size;
    }

private:
    mutable QFont m_font;
    mutable int m_height = 0;
};

}  // namespace

void fitRowsToCapitals(QComboBox* combo) {
    combo->setItemDelegate(new WholeCapitalsDelegate(combo));
}

void fitRowsToCapitals(QAbstractItemView* list) {
    list->setItemDelegate(new WholeCapitalsDelegate(list));
    if (auto* view = qobject_cast<QListView*>(list)) view->setUniformItemSizes(true);
}

void describe(QWidget* widget, const QString& name, const QString& description) {
    widget->setAccessibleName(name);
    if (!description.isEmpty()) widget->setAccessibleDescription(description);
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit()) {
        combo->lineEdit()->setAccessibleName(name);
        if (!description.isEmpty()) combo->lineEdit()->setAccessibleDescription(description);
    }
}

QLabel* plainLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setMinimumHeight(fullTextHeight(label->fontMetrics(), 1));
    return label;
}

void render(QComboBox* widget, const ComboBox& combo) {
    QSignalBlocker blocker(widget);
    QStringList items;
    for (const std::string& item : combo.items)
        items << toQt(item);
    bool same = widget->count() == items.size();
    for (int k = 0; same && k < widget->count(); ++k)
        same = widget->itemText(k) == items[k];
    if (!same) {
        widget->clear();
        widget->addItems(items);
        // The list it opens shows every item whole, however narrow the box is.
        QAbstractItemView* view = widget->view();
        view->setMinimumWidth(view->sizeHintForColumn(0) +
                              view->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                              2 * view->frameWidth());
    }
    const QString text = toQt(combo.text);
    // Where two items read alike, the one the core names.
    const int own = combo.listIndex >= 0 && combo.listIndex < widget->count() &&
                            widget->itemText(combo.listIndex) == text
                        ? combo.listIndex
                        : -1;
    if (widget->isEditable()) {
        if (widget->currentText() != text || (own >= 0 && widget->currentIndex() != own)) {
            const int index = own >= 0 ? own : widget->findText(text, Qt::MatchExactly);
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
    const int wanted = static_cast<int>(list.lines.size());
    const int count = widget->count();
    auto same = [&](int row, int line) {
        return widget->item(row)->text() == toQt(list.lines[line].text);
    };

    // Only the lines between the unchanged ones at both ends are replaced, so that typing a wish
    // that moves one pupil in or out of a long overview does not rebuild the whole list.
    int head = 0;
    while (head < count && head < wanted && same(head, head))
        ++head;
    int tail = 0;
    while (tail < count - head && tail < wanted - head &&
           same(count - 1 - tail, wanted - 1 - tail)) {
        ++tail;
    }
    const int removed = count - head - tail;
    const int inserted = wanted - head - tail;
    const int replaced = std::min(removed, inserted);
    for (int k = 0; k < replaced; ++k)
        widget->item(head + k)->setText(toQt(list.lines[head + k].text));
    if (removed > replaced) widget->model()->removeRows(head + replaced, removed - replaced);
    if (inserted > replaced) {
        QStringList texts;
        for (int k = replaced; k < inserted; ++k)
            texts << toQt(list.lines[head + k].text);
        widget->insertItems(head + replaced, texts);
    }

    for (int k = 0; k < wanted; ++k) {
        QListWidgetItem* item = widget->item(k);
        const ListLine& line = list.lines[k];
        // Each line carries its pupil's number, as the core's list does.
        if (item->data(Qt::UserRole) != QVariant(line.itemData))
            item->setData(Qt::UserRole, line.itemData);
        if (item->isSelected() != line.marked) item->setSelected(line.marked);
    }
    if (list.listIndex >= 0 && list.listIndex < wanted && widget->currentRow() != list.listIndex) {
        widget->setCurrentRow(list.listIndex, QItemSelectionModel::NoUpdate);
    }
}

void render(QLineEdit* widget, const TextBox& box) {
    QSignalBlocker blocker(widget);
    const QString text = toQt(box.text);
    if (widget->text() != text) widget->setText(text);
    widget->setEnabled(box.enabled);
}

void render(QPlainTextEdit* widget, const TextBox& box) {
    QSignalBlocker blocker(widget);
    // Compared in the core's text, so that a typed character the code page cannot hold does not
    // make the box be rewritten under the user's cursor.
    if (fromQtLines(widget->toPlainText()) != box.text) widget->setPlainText(toQtLines(box.text));
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

void render(QAbstractButton* widget, const Button& button) {
    widget->setEnabled(button.enabled);
}

void render(QLabel* widget, const Label& label) {
    const QString text = toQtLines(label.caption);
    if (widget->text() != text) widget->setText(text);
    widget->setEnabled(label.enabled);
}

void readInput(const QListWidget* widget, ListBox& list) {
    for (int k = 0; k < widget->count() && k < static_cast<int>(list.lines.size()); ++k) {
        list.lines[k].marked = widget->item(k)->isSelected();
    }
    list.listIndex = widget->currentRow();
}

void readInput(const QLineEdit* widget, TextBox& box) {
    const QString text = widget->text();
    box.text = fromQt(text);
    // A character the code page cannot hold came back as "?".
    box.unrepresentable = toQt(box.text) != text;
}

void readNameInput(const QLineEdit* widget, TextBox& box) {
    box.text = fromQtAsWritten(widget->text());
    box.unrepresentable = false;
}

void readInput(const QCheckBox* widget, CheckBox& box) {
    Qt::CheckState state = widget->checkState();
    box.value = state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
}

}  // namespace pelora::ui
