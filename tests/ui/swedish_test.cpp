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
    // Runs first: without catalogues the program still goes on in the Swedish locale; with
    // them Qt's own texts are Swedish, and so are the texts Qt's catalogue lacks.
    void theProgramSpeaksSwedish() {
        TempFolder empty;
        QCOMPARE(ui::speakSwedish(QString::fromStdString(empty.native().string())), 0);
        QCOMPARE(QLocale().toString(QDate(2026, 3, 1), "d MMMM"), QString("1 mars"));
        QVERIFY(ui::speakSwedish() >= 1);
        for (const auto& [context, english, swedish] :
             {std::tuple{"QFileSystemModel", "Date Modified", "Ändringsdatum"},
              {"QFileDialog", "Go back", "Bakåt"},
              {"QWidgetTextControl", "&Paste", "Klistra &in"}})
            QCOMPARE(QCoreApplication::translate(context, english), QString(swedish));
    }

    // A work file as the open dialog shows it: size and date in Swedish, every column wide
    // enough for what it shows. Asking about replacing a file is left to the program.
    void theFileDialogShowsItsColumnsInSwedishAndWhole() {
        TempFolder folder;
        QFile file(QString::fromStdString(folder.write("val.pel", "123456789012").string()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.setFileTime(QDateTime(QDate(2026, 3, 1), QTime(12, 0)),
                                 QFileDevice::FileModificationTime));
        // As on a first start: no column widths kept from an earlier dialog.
        QSettings(QSettings::UserScope, "QtProject").remove("FileDialog");
        const FileDialogRequest request{"*.pel|*.pel", "pel", folder.path("val.pel")};
        QVERIFY(ui::QtDesktop::buildFileDialog(true, request, nullptr)
                    ->testOption(QFileDialog::DontConfirmOverwrite));
        auto dialog = ui::QtDesktop::buildFileDialog(false, request, nullptr);
        dialog->show();
        auto* view = dialog->findChild<QTreeView*>("treeView");
        QAbstractItemModel* model = view->model();
        QTRY_COMPARE(model->rowCount(view->rootIndex()), 1);
        const QFontMetrics metrics(view->font());
        QStringList cells;
        int total = 0;
        for (int column = 0; column < 4; ++column) {
            cells << model->index(0, column, view->rootIndex()).data().toString();
            const QString header = model->headerData(column, Qt::Horizontal).toString();
            const int needed = std::max(metrics.horizontalAdvance(header),
                                        metrics.horizontalAdvance(cells.last()) +
                                            (column == 0 ? view->iconSize().width() : 0));
            QVERIFY2(view->header()->sectionSize(column) > needed, qPrintable(cells.last()));
            total += view->header()->sectionSize(column);
        }
        QCOMPARE(cells, QStringList({"val.pel", "12 byte",
                                     QMimeDatabase().mimeTypeForFile(file.fileName()).comment(),
                                     "2026-03-01 12:00"}));
        QVERIFY(total <= view->viewport()->width());
    }
};

PELORA_UI_TEST(SwedishTest);

}  // namespace pelora::test

#include "swedish_test.moc"
