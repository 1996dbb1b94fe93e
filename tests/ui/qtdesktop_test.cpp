#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "ui/qtdesktop.h"
#include "ui/textconv.h"
#include "ui_test.h"
#include "work/codec.h"

namespace pelora::test {

using Buttons = Desktop::Buttons;
using Icon = Desktop::Icon;
using Answer = Desktop::Answer;

class QtDesktopTest : public QObject {
    Q_OBJECT

private slots:
    void messageBoxesHaveSwedishButtonsAndMeaningfulEscape_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("escape");
        QTest::newRow("Ok") << int(Buttons::Ok) << QStringList{"OK"} << int(Answer::Ok);
        QTest::newRow("OkCancel") << int(Buttons::OkCancel) << QStringList{"OK", "Avbryt"}
                                  << int(Answer::Cancel);
        QTest::newRow("YesNo") << int(Buttons::YesNo) << QStringList{"Ja", "Nej"}
                               << int(Answer::No);
        QTest::newRow("YesNoCancel") << int(Buttons::YesNoCancel)
                                     << QStringList{"Ja", "Nej", "Avbryt"} << int(Answer::Cancel);
    }

    void messageBoxesHaveSwedishButtonsAndMeaningfulEscape() {
        QFETCH(int, buttons);
        QFETCH(QStringList, captions);
        QFETCH(int, escape);
        auto box = ui::QtDesktop::buildMessageBox("Vill du spara ändringarna?"_cp,
                                                  static_cast<Buttons>(buttons), Icon::Question,
                                                  "Avsluta", nullptr);
        QStringList shown;
        for (QAbstractButton* button : box->buttons()) shown << button->text();
        shown.sort();
        captions.sort();
        QCOMPARE(shown, captions);
        QCOMPARE(box->windowTitle(), QString("Avsluta"));
        QCOMPARE(box->text(), QString("Vill du spara ändringarna?"));
        QCOMPARE(box->icon(), QMessageBox::Question);
        // Nothing clicked: what Esc and the close box give.
        QCOMPARE(int(ui::QtDesktop::answerOf(*box)), escape);
    }

    void messageBoxShowsLineBreaksAndAnswersTheClickedButton() {
        auto box = ui::QtDesktop::buildMessageBox("Rad 1\r\nRad 2", Buttons::YesNoCancel,
                                                  Icon::Exclamation, "T", nullptr);
        QCOMPARE(box->text(), QString("Rad 1\nRad 2"));
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QPushButton* yes = nullptr;
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == "Ja") yes = qobject_cast<QPushButton*>(b);
        }
        QVERIFY(yes);
        QCOMPARE(box->defaultButton(), yes);
        QTimer::singleShot(0, yes, &QPushButton::click);
        box->exec();
        QCOMPARE(int(ui::QtDesktop::answerOf(*box)), int(Answer::Yes));
    }

    void textCrossesBetweenCoreAndQtExactly() {
        for (int b = 0; b < 256; ++b) {
            std::string one(1, char(b));
            QCOMPARE(ui::fromQt(ui::toQt(one)), one);
        }
        QCOMPARE(ui::toQt("Öl"_cp), QString("Öl"));
        QCOMPARE(ui::fromQt(QString("Ā😀")), std::string("??"));
        QCOMPARE(ui::fromQtLines(QString("A\nB\r\nC")), std::string("A\r\nB\r\nC"));
        QCOMPARE(ui::toQtLines("A\r\nB"), QString("A\nB"));
    }

    void fileDialogFiltersAndDefaultExtension() {
        QCOMPARE(ui::qtFilter("*.pel|*.pel"), QString("*.pel (*.pel)"));
        QCOMPARE(ui::qtFilter("Arbeten|*.pel|Alla|*.*"), QString("Arbeten (*.pel);;Alla (*.*)"));
        QCOMPARE(ui::qtFilter(""), QString());
        QCOMPARE(ui::withDefaultExtension("/tmp/val", "pel"), QString("/tmp/val.pel"));
        QCOMPARE(ui::withDefaultExtension("/tmp/val.txt", "pel"), QString("/tmp/val.txt"));
        QCOMPARE(ui::withDefaultExtension("/tmp/a.b/val", ".pel"), QString("/tmp/a.b/val.pel"));
    }
};

PELORA_UI_TEST(QtDesktopTest);

}  // namespace pelora::test

#include "qtdesktop_test.moc"
