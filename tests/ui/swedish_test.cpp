#include <QFileDialog>

#include "temp_folder.h"
#include "ui/qtdesktop.h"
#include "ui/swedish.h"
#include "ui_test.h"

namespace pelora::test {

// The program speaks Swedish whatever the system's language, also in Qt's own file dialog.
class SwedishTest : public QObject {
    Q_OBJECT

private slots:
    // Runs first: without catalogues the program still goes on, in the Swedish locale.
    void withoutQtsCataloguesTheLocaleIsStillSwedish() {
        TempFolder empty;
        QCOMPARE(ui::speakSwedish(QString::fromStdString(empty.native().string())), 0);
        QCOMPARE(QLocale().language(), QLocale::Swedish);
        QCOMPARE(QLocale().toString(QDate(2026, 3, 1), "d MMMM"), QString("1 mars"));
    }

    void qtsOwnTextsAreSwedish_data() {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("swedish");
        // From Qt's catalogue (qt6-translations-l10n), then texts it lacks.
        QTest::newRow("column") << "QFileSystemModel"
                                << "Date Modified"
                                << "Ändringsdatum";
        QTest::newRow("computer") << "QFileSystemModel"
                                  << "Computer"
                                  << "Dator";
        QTest::newRow("folder") << "QAbstractFileIconProvider"
                                << "Folder"
                                << "Mapp";
        QTest::newRow("tool button") << "QFileDialog"
                                     << "Go back"
                                     << "Bakåt";
        QTest::newRow("wish box menu") << "QWidgetTextControl"
                                       << "&Paste"
                                       << "Klistra &in";
    }

    void qtsOwnTextsAreSwedish() {
        QFETCH(QString, context);
        QFETCH(QString, english);
        QFETCH(QString, swedish);
        static const int found = ui::speakSwedish();
        QVERIFY(found >= 1);
        QCOMPARE(QCoreApplication::translate(context.toLatin1(), english.toUtf8()), swedish);
    }

    // A folder with a work file and a folder in it, as the open dialog shows it: sizes and dates
    // in Swedish, and every column wide enough for what it shows.
    void theFileDialogShowsItsColumnsInSwedishAndWhole() {
        TempFolder folder;
        const QString work = QString::fromStdString(folder.path("val.pel").string());
        {
            QFile file(work);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("123456789012");
            file.close();
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.setFileTime(QDateTime(QDate(2026, 3, 1), QTime(12, 0)),
                                     QFileDevice::FileModificationTime));
        }
        std::filesystem::create_directory(folder.path("Arkiv"));
        // As on a first start: no column widths kept from an earlier dialog.
        QSettings(QSettings::UserScope, "QtProject").remove("FileDialog");
        const FileDialogRequest request{"*.pel|*.pel", "pel", folder.path("val.pel")};
        auto dialog = ui::QtDesktop::buildFileDialog(false, request, nullptr);
        dialog->show();
        auto* view = dialog->findChild<QTreeView*>("treeView");
        QVERIFY(view && view->isVisible());
        QAbstractItemModel* model = view->model();
        QTRY_COMPARE(model->rowCount(view->rootIndex()), 2);

        QStringList rows;
        for (int row = 0; row < 2; ++row) {
            QStringList cells;
            for (int column = 0; column < 4; ++column)
                cells << model->index(row, column, view->rootIndex()).data().toString();
            rows << cells.join(" | ");
        }
        rows.sort();
        QCOMPARE(
            rows,
            QStringList({"Arkiv |  | Mapp | " +
                             QLocale().toString(
                                 QFileInfo(QString::fromStdString(folder.path("Arkiv").string()))
                                     .lastModified(),
                                 QLocale::ShortFormat),
                         "val.pel | 12 byte | " + QMimeDatabase().mimeTypeForFile(work).comment() +
                             " | 2026-03-01 12:00"}));

        QHeaderView* header = view->header();
        const QFontMetrics metrics(view->font());
        int total = 0;
        for (int column = 0; column < 4; ++column) {
            int needed =
                metrics.horizontalAdvance(model->headerData(column, Qt::Horizontal).toString());
            for (int row = 0; row < 2; ++row) {
                const QModelIndex index = model->index(row, column, view->rootIndex());
                needed = std::max(needed, metrics.horizontalAdvance(index.data().toString()) +
                                              (column == 0 ? view->iconSize().width() : 0));
            }
            QVERIFY2(header->sectionSize(column) > needed, qPrintable(QString::number(column)));
            total += header->sectionSize(column);
        }
        QVERIFY(total <= view->viewport()->width());
    }
};

PELORA_UI_TEST(SwedishTest);

}  // namespace pelora::test

#include "swedish_test.moc"
