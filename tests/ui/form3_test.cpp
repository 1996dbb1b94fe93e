#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "ui/form1.h"
#include "ui/form3.h"
#include "ui_test.h"
#include "work/codec.h"
#include "work/startdata.h"

namespace pelora::test {

namespace {

const QString kSampleRoster = QStringLiteral(PELORA_SHARE "/exempel/elever.txt");

// Saves a picture of the widget when PELORA_SCREENSHOTS names a folder.
void screenshot(QWidget* widget, const char* name) {
    const QString folder = qEnvironmentVariable("PELORA_SCREENSHOTS");
    if (folder.isEmpty()) return;
    widget->grab().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

}  // namespace

class Form3Test : public QObject {
    Q_OBJECT

    // Runs `user` once the start data dialog is up (inside its modal loop).
    void whenShown(ui::Form1& window, std::function<void(QDialog*)> user) {
        QTimer::singleShot(0, &window, [&window, user] {
            auto* dialog = window.findChild<QDialog*>("Form3");
            QVERIFY(dialog);
            QTRY_VERIFY(dialog->isVisible());
            user(dialog);
        });
    }

    // The scripted desktop hands the dialog on to the real one.
    static std::function<void()> realDialog(ui::Form1& window) {
        return [&window] { window.showDialog(Dialog::StartData); };
    }

    static void type(QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::KeyAction::Click, box, Qt::Key_unknown, c, Qt::NoModifier);
    }

private slots:
    void showsTheStartDataAndItsMode() {
        ScriptedDesktop desktop(qtFailure());
        App app(desktop);
        app.work.start = {"Val", "Björkhagaskolan"_cp, "HT", "7A  7B", "elever.txt", 2, 1, 1};
        ui::Form1 window(app);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        bool checked = false;
        desktop.expectDialog(Dialog::StartData, realDialog(window));
        whenShown(window, [&](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Redigera startdata"));
            QVERIFY(dialog->isModal());
            QCOMPARE(dialog->findChild<QLineEdit*>("Text1")->text(), QString("Björkhagaskolan"));
            QCOMPARE(dialog->findChild<QLineEdit*>("Text4")->text(), QString("7A  7B"));
            QCOMPARE(dialog->findChild<QLineEdit*>("Text6")->text(), QString("2"));
            auto* showAll = dialog->findChild<QCheckBox*>("Check2");
            QVERIFY(showAll->isChecked() && showAll->isEnabled());
            QVERIFY(dialog->findChild<QCheckBox*>("Check3")->isChecked());
            QVERIFY(!dialog->findChild<QCheckBox*>("Check1")->isEnabled());
            QCOMPARE(dialog->focusWidget(), dialog->findChild<QLineEdit*>("Text1"));

            // Typing one period reaches Text6_Change.
            type(dialog->findChild<QLineEdit*>("Text6"), "1");
            QVERIFY(!showAll->isChecked() && !showAll->isEnabled());
            type(dialog->findChild<QLineEdit*>("Text6"), "3");
            QVERIFY(showAll->isChecked() && showAll->isEnabled());

            // The tab order: the fields, OK, Avbryt, Hjälp, the check boxes, "Bläddra".
            QStringList order;
            QWidget* w = dialog->findChild<QLineEdit*>("Text1");
            for (int k = 0; k < 13; ++k) {
                order << w->objectName();
                do
                    w = w->nextInFocusChain();
                while (!(w->focusPolicy() & Qt::TabFocus));
            }
            QCOMPARE(order, (QStringList{"Text1", "Text5", "Text2", "Text3", "Text4", "Text6",
                                         "Command1", "Command2", "Command3", "Check2", "Check3",
                                         "Check1", "Command4"}));
            checked = true;
            dialog->findChild<QPushButton*>("Command2")->click();
        });
        window.findChild<QAction*>("red_startdata")->trigger();
        QVERIFY(checked);
        QVERIFY(desktop.done());
        QVERIFY(!window.findChild<QDialog*>("Form3")->isVisible());
        QCOMPARE(app.work.start.periodCount, 2);  // "Avbryt" kept everything
        QVERIFY(!app.work.startDataCancelled);
    }

    void okOnNewReadsTheRosterIntoTheMainWindow() {
        ScriptedDesktop desktop(qtFailure());
        App app(desktop);
        ui::Form1 window(app);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        desktop.expectDialog(Dialog::StartData, realDialog(window));
        whenShown(window, [&](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Nytt"));
            type(dialog->findChild<QLineEdit*>("Text1"), "Björkhagaskolan");
            type(dialog->findChild<QLineEdit*>("Text5"), "Elevens val");
            type(dialog->findChild<QLineEdit*>("Text2"), "Läsåret 2025/26");
            dialog->findChild<QLineEdit*>("Text3")->setText(kSampleRoster);
            type(dialog->findChild<QLineEdit*>("Text4"), "7A, 7B, 8A, 8B, 9A, 9B");
            type(dialog->findChild<QLineEdit*>("Text6"), "2");
            screenshot(dialog, "form3");
            dialog->findChild<QPushButton*>("Command1")->click();
        });
        window.findChild<QAction*>("Arkiv_Nytt")->trigger();
        QVERIFY(desktop.done());
        QCOMPARE(app.work.studentCount, 150);
        QCOMPARE(app.work.start.classFilter, std::string("7A  7B  8A  8B  9A  9B"));
        QCOMPARE(app.work.start.school, "Björkhagaskolan"_cp);
        QCOMPARE(app.work.start.periodCount, 2);
        QCOMPARE(window.findChild<QComboBox*>("Combo1")->count(), 6);
        QCOMPARE(window.findChild<QComboBox*>("Combo3")->count(), 5);  // activated again
        QCOMPARE(window.windowTitle(), QString("Pelora"));
        screenshot(&window, "nytt");
    }

    void aRefusedPeriodKeepsTheDialogOpen() {
        ScriptedDesktop desktop(qtFailure());
        App app(desktop);
        ui::Form1 window(app);
        desktop.expectDialog(Dialog::StartData, realDialog(window))
            .expectMsgBox("Ange period!", Desktop::Buttons::Ok, Desktop::Icon::Exclamation, "Nytt",
                          Desktop::Answer::Ok);
        whenShown(window, [&](QDialog* dialog) {
            type(dialog->findChild<QLineEdit*>("Text6"), "0");
            dialog->findChild<QPushButton*>("Command1")->click();
            QVERIFY(dialog->isVisible());
            dialog->findChild<QPushButton*>("Command2")->click();
            QVERIFY(!dialog->isVisible());
        });
        window.findChild<QAction*>("Arkiv_Nytt")->trigger();
        QVERIFY(desktop.done());
    }

    void theCloseBoxAndEscapeMeanAvbryt() {
        ScriptedDesktop desktop(qtFailure());
        App app(desktop);
        app.work.groupCount = 1;
        app.work.groupTable[1].name = "DANS";
        ui::Form1 window(app);
        for (int way = 0; way < 2; ++way) {
            desktop.expectDialog(Dialog::StartData, realDialog(window));
            whenShown(window, [&](QDialog* dialog) {
                type(dialog->findChild<QLineEdit*>("Text6"), "4");
                if (way == 0) {
                    dialog->close();
                } else {
                    QTest::keyClick(dialog, Qt::Key_Escape);
                }
            });
            window.findChild<QAction*>("Arkiv_Nytt")->trigger();
            QVERIFY(desktop.done());
            // "OK" would have built a new work without the group.
            QCOMPARE(app.work.groupCount, 1);
            QCOMPARE(app.work.start.periodCount, 1);
            QVERIFY(!app.work.startDataCancelled);
            QVERIFY(!app.form3.visible);
        }
        // Created once, hidden since.
        QCOMPARE(window.findChildren<ui::Form3*>().size(), 1);
    }

    void theFileMenuReachesItsOperations() {
        ScriptedDesktop desktop(qtFailure());
        App app(desktop);
        ui::Form1 window(app);
        const FileDialogRequest open{"*.pel|*.pel", "", ""};
        const FileDialogRequest save{"*.pel|*.pel", "pel", ""};
        desktop.expectOpenFile(std::nullopt, open);
        window.findChild<QAction*>("Arkivoppna")->trigger();
        desktop.expectSaveFile(std::nullopt, save);
        window.findChild<QAction*>("Arkiv_Spara")->trigger();
        desktop.expectSaveFile(std::nullopt, save);
        window.findChild<QAction*>("Arkivsparasom")->trigger();
        desktop.expectDialog(Dialog::StartData, [&] {
            QCOMPARE(app.form3.caption, std::string("Nytt"));
            form3::Command2_Click(app);
        });
        window.findChild<QAction*>("Arkiv_Nytt")->trigger();
        desktop.expectDialog(Dialog::StartData, [&] {
            QCOMPARE(app.form3.caption, std::string("Redigera startdata"));
            form3::Command2_Click(app);
        });
        window.findChild<QAction*>("red_startdata")->trigger();
        QVERIFY(desktop.done());
    }
};

PELORA_UI_TEST(Form3Test);

}  // namespace pelora::test

#include "form3_test.moc"
