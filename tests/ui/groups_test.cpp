#include <QSettings>
#include <filesystem>

#include "commands/opensave.h"
#include "temp_folder.h"
#include "ui/form2.h"
#include "ui/form8.h"
#include "ui/groupboard.h"
#include "ui/recentworks.h"
#include "ui/textconv.h"
#include "ui_test.h"

namespace pelora::test {

using Answer = Desktop::Answer;
using Buttons = Desktop::Buttons;
using Icon = Desktop::Icon;

namespace {

QString caption(const Window& w, int g) {
    return w.find<ui::GroupBoard>("Picture1")->label(g)->text();
}

QColor colour(const Window& w, int g) {
    return w.find<ui::GroupBoard>("Picture1")->label(g)->palette().window().color();
}

// Press, release, then the double-click Qt sends in place of the second press, and its release.
void doubleClick(QWidget* label) {
    const QPoint at(12, 10);
    QTest::mousePress(label, Qt::LeftButton, {}, at);
    QTest::mouseRelease(label, Qt::LeftButton, {}, at);
    QTest::mouseDClick(label, Qt::LeftButton, {}, at);
    QTest::mouseRelease(label, Qt::LeftButton, {}, at);
}

// The actions of a menu the user sees, separators as empty captions.
QStringList shown(const QMenu* menu) {
    QStringList captions;
    for (QAction* action : menu->actions())
        if (action->isVisible()) captions << action->text();
    return captions;
}

}  // namespace

// The groups and placing: the group editor, the double-click and the buttons that place, the
// proposal's preview; and the recent works and the automatic copy of the menu "Arkiv".
class GroupsTest : public QObject {
    Q_OBJECT

private slots:
    void doubleClickOnALabel_data() {
        QTest::addColumn<bool>("wishMode");  // "För in grupper i Önskemål" ticked
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("wishes");
        QTest::addColumn<int>("placedIn");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("caption");
        QTest::newRow("places the shown pupil")
            << false << 2 << "FOTBOLL" << 2 << QColor(0, 255, 0) << "FOTBOLL\n 1";
        QTest::newRow("in wish mode, writes the group once")
            << true << 1 << "FOTBOLL\r\nDANS" << 0 << QColor(255, 128, 128) << "DANS\n 0  (25)";
    }

    // ELEV 2, who wishes FOTBOLL, is shown.
    void doubleClickOnALabel() {
        QFETCH(bool, wishMode);
        QFETCH(int, group);
        QFETCH(QString, wishes);
        QFETCH(int, placedIn);
        QFETCH(QColor, colour);
        QFETCH(QString, caption);
        Window w;
        w.app.run.currentStudent = 2;
        ShowCurrentStudent(w.app);
        w.form->render();
        if (wishMode) w.find<QCheckBox>("Check1")->click();
        doubleClick(w.find<ui::GroupBoard>("Picture1")->label(group));
        QCOMPARE(w.app.work.studentTable[2].wishes, ui::fromQt(wishes));
        QCOMPARE(int(w.app.work.placement[1][2]), placedIn);
        QCOMPARE(test::colour(w, group), colour);
        QCOMPARE(test::caption(w, group), caption);
        QVERIFY(!w.find<ui::GroupBoard>("Picture1")->dragging());
    }

    // "Placera i aktuell grupp" places the two marked lines of the overview; "Ta bort markerade"
    // takes the marked line of the member list out again.
    void theButtonsPlaceAndRemoveTheMarkedPupils() {
        Window w(4);
        w.app.run.currentGroup = 1;
        auto* overview = w.find<QListWidget>("List2");
        QCOMPARE(overview->count(), 4);
        overview->item(0)->setSelected(true);
        overview->item(2)->setSelected(true);
        const std::string title = "Placera elev i grupp";
        w.desktop
            .expectMsgBox("Vill du placera de 2 markerade eleverna i Översikten i DANS?"_cp,
                          Buttons::YesNo, Icon::Question, title, Answer::Yes)
            .expectMsgBox("ELEV 1 har ej önskat denna grupp. Skall eleven ändå placeras där?"_cp,
                          Buttons::YesNoCancel, Icon::Question, title, Answer::Yes)
            .expectMsgBox("ELEV 3 har ej önskat denna grupp. Skall eleven ändå placeras där?"_cp,
                          Buttons::YesNoCancel, Icon::Question, title, Answer::Yes);
        w.find<QPushButton>("Command7")->click();
        QCOMPARE(int(w.app.work.placement[1][1]), 1);
        QCOMPARE(int(w.app.work.placement[1][3]), 1);
        QCOMPARE(caption(w, 1), QString("DANS\n 2  (23)"));

        auto* members = w.find<QListWidget>("List1");
        QCOMPARE(members->count(), 4);  // the head line, an empty line, ELEV 1 and ELEV 3
        members->item(2)->setSelected(true);
        w.desktop.expectMsgBox(
            "Är du säker på att du vill ta bort markerad(e) elev(er) ur DANS?"_cp, Buttons::YesNo,
            Icon::Question, "Ta bort elever ur aktuell grupp", Answer::Yes);
        w.find<QPushButton>("Command1")->click();
        QCOMPARE(int(w.app.work.placement[1][1]), 0);
        QCOMPARE(int(w.app.work.placement[1][3]), 1);
        QCOMPARE(caption(w, 1), QString("DANS\n 1  (24)"));
    }

    void theGroupEditor_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("nameShown");
        QTest::addColumn<QStringList>("typed");  // one name a group, OK after each
        QTest::addColumn<QList<int>>("labels");
        QTest::addColumn<QStringList>("captions");  // of those labels once the editor is closed
        QTest::newRow("Ny grupp") << "ny_grupp"
                                  << "Ny grupp"
                                  << "" << QStringList{"slöjd", "körsång"} << QList<int>{3, 4}
                                  << QStringList{"SLÖJD\n 0", "KÖRSÅNG\n 0"};
        QTest::newRow("Redigera") << "h_klick_red"
                                  << "Redigera gruppdata"
                                  << "DANS" << QStringList{"balett"} << QList<int>{1}
                                  << QStringList{"BALETT\n 0  (25)"};
    }

    // The name is typed where the focus is: in the name field when the editor opens and again
    // after each group created. The board shows the groups when the editor has closed.
    void theGroupEditor() {
        QFETCH(QString, command);
        QFETCH(QString, title);
        QFETCH(QString, nameShown);
        QFETCH(QStringList, typed);
        QFETCH(QList<int>, labels);
        QFETCH(QStringList, captions);
        Window w;
        w.app.run.currentGroup = 1;
        w.desktop.expectDialog(Dialog::GroupEditor,
                               [&w] { w.form->showDialog(Dialog::GroupEditor); });
        QString windowTitle, shownName;
        bool periodEnabled = true;
        QStringList focusIn, whileOpen;
        QTimer::singleShot(0, w.form.get(), [&] {  // inside the editor's own loop
            auto* editor = w.find<ui::Form2>("Form2");
            // As a window manager does; the offscreen platform activates no window by itself.
            editor->activateWindow();
            QTRY_VERIFY(QApplication::activeWindow() == editor);
            windowTitle = editor->windowTitle();
            shownName = editor->findChild<QLineEdit*>("Text1")->text();
            periodEnabled = editor->findChild<QLineEdit*>("Text5")->isEnabled() ||
                            editor->findChild<QLabel*>("periodCaption")->isEnabled();
            for (const QString& name : typed) {
                auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                focusIn << (field ? field->objectName() : QString());
                if (!field) break;
                field->selectAll();
                typeKeys(field, name);
                QTest::mouseClick(editor->findChild<QPushButton*>("Command1"), Qt::LeftButton);
            }
            for (int g : labels)
                whileOpen << caption(w, g);
            if (editor->isVisible()) editor->findChild<QPushButton*>("Command2")->click();
        });
        w.find<QAction>(command)->trigger();
        QCOMPARE(windowTitle, title);
        QCOMPARE(shownName, nameShown);
        QVERIFY(!periodEnabled);  // one period
        QCOMPARE(focusIn, QStringList(typed.size(), "Text1"));
        QVERIFY(!w.find<ui::Form2>("Form2")->isVisible());
        for (int k = 0; k < labels.size(); ++k) {
            QVERIFY(whileOpen[k] != captions[k]);
            QCOMPARE(caption(w, labels[k]), captions[k]);
            QVERIFY(w.find<ui::GroupBoard>("Picture1")->label(labels[k])->isVisible());
        }
    }

    // "Ta bort" in the pop-up deletes the current group after asking; FOTBOLL takes its number.
    void thePopUpDeletesAGroup() {
        Window w;
        w.app.run.currentGroup = 1;
        w.desktop.expectMsgBox("Vill du ta bort gruppen DANS?", Buttons::YesNo, Icon::Question,
                               "Ta bort grupp", Answer::Yes);
        w.find<QAction>("H_klick_tabort")->trigger();
        QCOMPARE(caption(w, 1), QString("FOTBOLL\n 0"));
        QVERIFY(!w.find<ui::GroupBoard>("Picture1")->label(2)->isVisible());
    }

    void theProposal_data() {
        QTest::addColumn<QString>("button");  // in the preview
        QTest::addColumn<QString>("then");    // what the user does next
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("undoable");
        QTest::newRow("Avbryt") << "Command2"
                                << ""
                                << "FOTBOLL\n 0" << false;
        QTest::newRow("Placera") << "Command1"
                                 << ""
                                 << "FOTBOLL\n 1" << true;
        QTest::newRow("Placera, Ångra förslag") << "Command1"
                                                << "Arkiv_angra_forslag"
                                                << "FOTBOLL\n 0" << false;
        QTest::newRow("Placera, then a change") << "Command1"
                                                << "double-click"
                                                << "FOTBOLL\n 0" << false;
    }

    // Of the three unplaced pupils only ELEV 2 wishes a group: FOTBOLL.
    void theProposal() {
        QFETCH(QString, button);
        QFETCH(QString, then);
        QFETCH(QString, caption);
        QFETCH(bool, undoable);
        Window w;
        w.app.run.currentStudent = 2;
        ShowCurrentStudent(w.app);
        w.form->render();
        auto* undo = w.find<QAction>("Arkiv_angra_forslag");
        QVERIFY(!undo->isEnabled());
        w.desktop.expectDialog(Dialog::Proposal, [&w] { w.form->showDialog(Dialog::Proposal); });
        QString windowTitle, summary;
        QStringList lines;
        QTimer::singleShot(0, w.form.get(), [&] {
            auto* preview = w.find<ui::Form8>("Form8");
            windowTitle = preview->windowTitle();
            summary = preview->findChild<QLabel*>("summary")->text();
            auto* list = preview->findChild<QListWidget*>("List1");
            for (int k = 0; k < list->count(); ++k)
                lines << list->item(k)->text();
            preview->findChild<QPushButton*>(button)->click();
        });
        w.find<QAction>("Arkiv_forslag")->trigger();
        QCOMPARE(windowTitle, QString("Föreslå placering"));
        QVERIFY2(summary.startsWith("Förslaget placerar 1 av 3 oplacerade elever"),
                 qPrintable(summary));
        QCOMPARE(lines.value(0), QString("FOTBOLL: 1 elev(er)"));
        QCOMPARE(lines.value(1), QString("     7A  ELEV 2 – 1:a önskemål"));
        QCOMPARE(lines.size(), 5);  // and ELEV 1 and ELEV 3 under "Förblir oplacerade:"
        if (then == "Arkiv_angra_forslag") undo->trigger();
        if (then == "double-click") doubleClick(w.find<ui::GroupBoard>("Picture1")->label(2));
        QCOMPARE(test::caption(w, 2), caption);
        QCOMPARE(undo->isEnabled(), undoable);
    }

    // Two works saved as; the later one first. Choosing the other opens it and puts it first.
    void theRecentWorks() {
        TempFolder folder;
        Window w(0);
        w.app.work.start.classFilter = "7A";
        w.app.work.start.studentListPath = PELORA_SHARE "/exempel/elever.txt";
        w.app.recentFiles.clear();
        w.form->render();
        for (const char* name : {"a.pel", "b.pel"}) {
            w.desktop.expectSaveFile(folder.path(name));
            w.find<QAction>("Arkivsparasom")->trigger();
        }
        auto* menu = w.find<QMenu>("Arkiv");
        QStringList captions = shown(menu);
        QCOMPARE(captions.mid(captions.indexOf("Ångra förslag") + 1),
                 QStringList({"", "&1 b.pel", "&2 a.pel", "", "Avsluta"}));
        auto* second = w.find<QAction>("Arkiv_senaste_2");
        QCOMPARE(second->toolTip(), ui::fromPath(folder.path("a.pel")));
        // Kept where the tests keep their settings, never in the user's.
        QVERIFY(QSettings("Pelora", "Pelora").fileName().contains("qttest"));
        QCOMPARE(ui::loadRecentWorks(), (std::vector{folder.path("b.pel"), folder.path("a.pel")}));

        second->trigger();
        QCOMPARE(w.app.run.workFilePath, folder.path("a.pel"));
        captions = shown(menu);
        QCOMPARE(captions.mid(captions.indexOf("Ångra förslag") + 2, 2),
                 QStringList({"&1 a.pel", "&2 b.pel"}));
    }

    void theAutomaticCopyIsWrittenOnTime() {
        TempFolder folder;
        Window w;
        w.app.recoveryFolder = folder.native();
        w.app.run.dirty = true;
        w.form->setAutosaveInterval(std::chrono::milliseconds(20));
        QTRY_VERIFY(std::filesystem::exists(folder.path("osparat-arbete.pel")));
    }

    void aModelessWindowLeavesTheMainWindowAsItIs_data() {
        QTest::addColumn<Dialog>("dialog");
        QTest::addColumn<QString>("criterion");  // after the dialog was shown
        QTest::newRow("group editor, modal") << Dialog::GroupEditor << "Alla";
        QTest::newRow("help window, modeless") << Dialog::HelpWindow << "Ej gjort val";
    }

    // The main window counts as activated again only after a modal dialog: a modeless one stays
    // open beside it, and the criterion chosen stays.
    void aModelessWindowLeavesTheMainWindowAsItIs() {
        QFETCH(Dialog, dialog);
        QFETCH(QString, criterion);
        Window w;
        w.app.screen.Combo3.text = "Ej gjort val";
        w.form->render();
        w.form->showDialog(dialog);  // whose state is hidden: nothing shows
        QCOMPARE(w.find<QComboBox>("Combo3")->currentText(), criterion);
    }
};

PELORA_UI_TEST(GroupsTest);

}  // namespace pelora::test

#include "groups_test.moc"
