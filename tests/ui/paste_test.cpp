// Text pasted into the real widgets: a column of classes into "Klasser" stays one line, and a row
// of spreadsheet cells pasted into the wish box becomes one wish per cell.
#include "ui/form3.h"
#include "ui_test.h"

namespace pelora::test {

class PasteTest : public QObject {
    Q_OBJECT

private slots:
    void aColumnOfClassesPastedIntoKlasserIsOneLine() {
        Window w;
        w.desktop.expectDialog(Dialog::StartData, [&w] { w.form->showDialog(Dialog::StartData); })
            .expectMsgBox("Spara och starta om programmet för att ta ändringarna i bruk."_cp,
                          Desktop::Buttons::Ok, Desktop::Icon::Information, "Redigera startdata",
                          Desktop::Answer::Ok);
        QTimer::singleShot(0, w.form.get(), [&] {  // inside the dialog's own loop
            auto* dialog = w.find<ui::Form3>("Form3");
            auto* classes = dialog->findChild<QLineEdit*>("Text4");
            classes->setFocus();
            QGuiApplication::clipboard()->setText(QStringLiteral("7A\r\n7B\r\n7C\r\n"));
            classes->paste();
            dialog->findChild<QPushButton*>("Command1")->click();
        });
        w.find<QAction>("red_startdata")->trigger();
        QCOMPARE(w.app.work.start.classFilter, std::string("7A 7B 7C"));
    }

    void aRowOfCellsPastedIntoTheWishBoxIsOneWishEach() {
        Window w;
        auto* box = w.find<QPlainTextEdit>("Text2");
        box->setFocus();
        QGuiApplication::clipboard()->setText(QStringLiteral("ENGELSKA\tFRANSKA\tTYSKA"));
        box->paste();
        QCOMPARE(w.app.work.studentTable[1].wishes, std::string("ENGELSKA\r\nFRANSKA\r\nTYSKA"));
    }
};

PELORA_UI_TEST(PasteTest);

}  // namespace pelora::test

#include "paste_test.moc"
