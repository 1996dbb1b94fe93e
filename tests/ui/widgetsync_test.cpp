#include <QListWidget>

#include "ui/widgetsync.h"
#include "ui_test.h"

namespace pelora::test {

class WidgetSyncTest : public QObject {
    Q_OBJECT

    static ListBox listOf(const QStringList& texts) {
        ListBox list;
        int n = 0;
        for (const QString& text : texts) list.addItem(text.toStdString(), ++n * 10);
        return list;
    }

private slots:
    void aListShowsExactlyTheLinesAfterAnyChange_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        const QStringList abc{"A", "B", "C"};
        QTest::newRow("same") << abc << abc;
        QTest::newRow("one in the middle") << abc << QStringList{"A", "X", "B", "C"};
        QTest::newRow("one out of the middle") << abc << QStringList{"A", "C"};
        QTest::newRow("changed in the middle") << abc << QStringList{"A", "X", "C"};
        QTest::newRow("all new") << abc << QStringList{"X", "Y"};
        QTest::newRow("emptied") << abc << QStringList{};
        QTest::newRow("filled") << QStringList{} << abc;
        QTest::newRow("repeated lines") << QStringList{"A", "A", "A"} << QStringList{"A", "A"};
        QTest::newRow("grown at the end") << abc << QStringList{"A", "B", "C", "D"};
        QTest::newRow("grown at the start") << abc << QStringList{"Z", "A", "B", "C"};
    }

    void aListShowsExactlyTheLinesAfterAnyChange() {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QListWidget widget;
        ui::render(&widget, listOf(before));
        ListBox wanted = listOf(after);
        if (!wanted.lines.empty()) wanted.lines.back().marked = true;
        ui::render(&widget, wanted);
        QCOMPARE(widget.count(), after.size());
        for (int k = 0; k < widget.count(); ++k) {
            QCOMPARE(widget.item(k)->text(), after[k]);
            QCOMPARE(widget.item(k)->data(Qt::UserRole).toInt(), (k + 1) * 10);
            QCOMPARE(widget.item(k)->isSelected(), k == widget.count() - 1);
        }
    }
};

PELORA_UI_TEST(WidgetSyncTest);

}  // namespace pelora::test

#include "widgetsync_test.moc"
