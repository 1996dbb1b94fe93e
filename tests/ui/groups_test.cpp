
#include "commands/opensave.h"
#include "temp_folder.h"
#include "ui/form2.h"
#include "ui/proposalpreview.h"
#include "ui/recentworks.h"
#include "ui/textconv.h"
#include "ui/wishimportpreview.h"
#include "ui_test.h"

namespace pelora::test {

// Press, release, then the double-click Qt sends in place of the second press, and its release.
static void doubleClick(QWidget* label) {
    const QPoint at(12, 10);
    QTest::mousePress(label, Qt::LeftButton, {}, at);
    QTest::mouseRelease(label, Qt::LeftButton, {}, at);
    QTest::mouseDClick(label, Qt::LeftButton, {}, at);
    QTest::mouseRelease(label, Qt::LeftButton, {}, at);
}

// The groups and placing: the double-click, the buttons that place, the group editor, the
// proposal's preview; the recent works and the automatic copy.
class GroupsTest : public QObject {
    Q_OBJECT

private slots:
    // ELEV 2, who wishes FOTBOLL, is shown. With "För in grupper i Önskemål" ticked a
    // double-click writes the group among the wishes; without, it places the pupil there.
    // Then "Placera i aktuell grupp" places the two marked lines of the overview; "Ta bort
    // markerade" takes the marked line of the member list out again.
    void placingByDoubleClickAndByTheButtons() {
        Window w(4);
        w.app.run.currentStudent = 2;
        ShowCurrentStudent(w.app);
        w.find<QCheckBox>("Check1")->click();
        doubleClick(w.board()->label(1));
        QCOMPARE(w.app.work.studentTable[2].wishes, std::string("FOTBOLL\r\nDANS"));
        QCOMPARE(w.board()->label(1)->palette().window().color(), QColor(255, 128, 128));
        w.find<QCheckBox>("Check1")->click();
        doubleClick(w.board()->label(2));
        QCOMPARE(int(w.app.work.placement[1][2]), 2);
        QCOMPARE(w.board()->label(2)->palette().window().color(), QColor(0, 255, 0));
        QCOMPARE(w.board()->label(2)->text(), QString("FOTBOLL\n 1"));
        QVERIFY(!w.board()->dragging());
        w.app.run.currentGroup = 1;
        w.app.work.studentTable[1].wishes = w.app.work.studentTable[3].wishes = "DANS";
        auto* overview = w.find<QListWidget>("List2");
        overview->item(0)->setSelected(true);
        overview->item(2)->setSelected(true);
        w.desktop.expectMsgBox("Vill du placera de 2 markerade eleverna i Översikten i DANS?"_cp,
                               Buttons::YesNo, Desktop::Icon::Question, "Placera elev i grupp",
                               Answer::Yes, Answer::No);
        w.find<QPushButton>("Command7")->click();
        QCOMPARE(w.board()->label(1)->text(), QString("DANS\n 2  (23)"));
        w.find<QListWidget>("List1")->item(2)->setSelected(true);  // ELEV 1
        w.desktop.expectMsgBox(
            "Är du säker på att du vill ta bort markerad(e) elev(er) ur DANS?"_cp, Buttons::YesNo,
            Desktop::Icon::Question, "Ta bort elever ur aktuell grupp", Answer::Yes);
        w.find<QPushButton>("Command1")->click();
        QCOMPARE(int(w.app.work.placement[1][1]), 0);
        QCOMPARE(int(w.app.work.placement[1][3]), 1);
        QCOMPARE(w.board()->label(1)->text(), QString("DANS\n 1  (24)"));
    }

    // The editor from the pop-up's "Redigera", then from "Ny grupp" for two groups in a row.
    // The name is typed where the focus is: in the name field when the editor opens and again
    // after each group created. The board shows the groups once the editor has closed.
    void theGroupEditor() {
        Window w;
        w.app.run.currentGroup = 1;
        for (const auto& [command, nameShown, typed] :
             {std::tuple{"h_klick_red", "DANS", QStringList{"balett"}},
              {"ny_grupp", "", QStringList{"slöjd", "körsång"}}}) {
            QStringList seen;  // the name shown, then where each name is typed
            w.shows(Dialog::GroupEditor, [&] {
                auto* editor = w.find<ui::Form2>("Form2");
                // As a window manager does; the offscreen platform activates no window itself.
                editor->activateWindow();
                QTRY_VERIFY(QApplication::activeWindow() == editor);
                seen << editor->findChild<QLineEdit*>("Text1")->text();
                for (const QString& name : typed) {
                    QWidget* field = QApplication::focusWidget();
                    seen << field->objectName();
                    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);  // all of it
                    typeKeys(field, name);
                    QTest::mouseClick(editor->findChild<QPushButton*>("Command1"), Qt::LeftButton);
                }
                if (editor->isVisible()) editor->findChild<QPushButton*>("Command2")->click();
            });
            w.find<QAction>(command)->trigger();
            QCOMPARE(seen.takeFirst(), QString(nameShown));
            QCOMPARE(seen, QStringList(typed.size(), "Text1"));
            QVERIFY(!w.find<ui::Form2>("Form2")->isVisible());
        }
        const QStringList captions{"BALETT\n 0  (25)", "FOTBOLL\n 0", "SLÖJD\n 0", "KÖRSÅNG\n 0"};
        for (int g = 1; g <= 4; ++g) {
            QCOMPARE(w.board()->label(g)->text(), captions[g - 1]);
            QVERIFY(w.board()->label(g)->isVisible());
        }
    }

    // Of the three unplaced pupils only ELEV 2 wishes a group: FOTBOLL. The preview's "Avbryt",
    // "Placera", and "Placera" followed by "Ångra Föreslå placering".
    void theProposal() {
        for (const auto& [button, undo, caption] : {std::tuple{"Command2", false, "FOTBOLL\n 0"},
                                                    {"Command1", false, "FOTBOLL\n 1"},
                                                    {"Command1", true, "FOTBOLL\n 0"}}) {
            Window w;
            auto* undoItem = w.find<QAction>("Redigera_angra");
            // The preview shows the summary and the pupils placed, here the first words and line.
            QString summary, line;
            w.shows(Dialog::Proposal, [&] {
                auto* preview = w.find<ui::ProposalPreview>("Form8");
                summary = preview->findChild<QLabel*>("summary")->text().section(':', 0, 0);
                line = preview->findChild<QListWidget*>("List1")->item(1)->text();
                preview->findChild<QPushButton*>(button)->click();
            });
            w.find<QAction>("Arkiv_forslag")->trigger();
            QCOMPARE(summary, QString("Förslaget placerar 1 av 3 oplacerade elever"));
            QCOMPARE(line, QString("     7A  ELEV 2 – 1:a önskemål"));
            if (undo) undoItem->trigger();
            QCOMPARE(w.board()->label(2)->text(), QString(caption));
            QCOMPARE(undoItem->isEnabled(), QString(button) == "Command1" && !undo);
        }
    }

    // The sample over two periods, period 2 without placements, from the keyboard: "Alla
    // perioder" unless picked; a least size of 40 typed and Enter make the proposal again,
    // closing period 2's groups, and place nothing; the box fills the rest
    // in; "Placera"; and Ctrl+Z in the class box, where the focus is back, takes the whole
    // proposal back. The preview fits a small screen.
    void theProposalsOptionsFromTheKeyboard() {
        Window w;
        openWorkFile(w.app, PELORA_SHARE "/exempel/exempel.pel");
        // Nobody in period 2 yet, so that its groups can close.
        w.app.work.placement[2] = {};
        RecountGroupMembers(w.app.work);
        const PlacementTable before = w.app.work.placement;
        QString first, closing, filling, shownPeriods;
        QSize least, size;
        bool periodsVisible = false, shownAfterEnter = false;
        int periodItems = 0;
        w.shows(Dialog::Proposal, [&] {
            // Only looked at here: a failure inside would leave the dialog open.
            auto* preview = w.find<ui::ProposalPreview>("Form8");
            least = preview->minimumSizeHint();
            size = preview->size();
            auto* periods = preview->findChild<QComboBox*>("Combo1");
            periodsVisible = periods->isVisible();
            shownPeriods = periods->currentText();
            periodItems = periods->count();
            auto* summary = preview->findChild<QLabel*>("summary");
            auto* list = preview->findChild<QListWidget*>("List1");
            first = summary->text();
            // Keys to each control in turn (the tab order is the one they stand in).
            auto* minimum = preview->findChild<QLineEdit*>("Text1");
            QTest::keyClicks(minimum, "40");
            QTest::keyClick(minimum, Qt::Key_Return);
            shownAfterEnter = preview->isVisible();
            for (int row = 0; row < list->count(); ++row) {
                if (list->item(row)->text().contains(" stängs: "))
                    closing = list->item(row)->text();
            }
            QTest::keyClick(preview->findChild<QCheckBox*>("Check1"), Qt::Key_Space);
            filling = summary->text();
            QTest::keyClick(preview->findChild<QPushButton*>("Command1"), Qt::Key_Space);
            if (preview->isVisible()) preview->findChild<QPushButton*>("Command1")->click();
        });
        w.find<QAction>("Arkiv_forslag")->trigger();
        QVERIFY(least.width() <= 1024 && least.height() <= 670);
        QVERIFY(size.width() <= 1024 && size.height() <= 670);
        QVERIFY(periodsVisible);
        QCOMPARE(shownPeriods, QString("Alla perioder"));
        QCOMPARE(periodItems, 2);
        QVERIFY(shownAfterEnter);
        QVERIFY2(first.startsWith("Förslaget placerar "), qPrintable(first));
        QVERIFY2(closing.endsWith(" elever kan placeras där"), qPrintable(closing));
        QVERIFY2(filling.contains("placeras i en grupp de inte önskat"), qPrintable(filling));
        QVERIFY(w.app.work.placement != before);

        // Offscreen, the closed preview stays the focus window until the main one asks back.
        QApplication::setActiveWindow(w.form.get());
        w.form->windowHandle()->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        auto* classes = w.form->centralWidget()->findChild<QComboBox*>("Combo1");
        classes->setFocus();
        QTest::keyClick(classes, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(w.app.work.placement == before);
        QVERIFY(!w.app.history.dirty());
    }

    // The preview of a form's answers at the size of a small screen: every control inside it
    // and none squeezed below its own least size. Choosing the first choice column alone makes
    // the preview anew; the correction marked and "Ersätt" ticked reach the stored wishes.
    void theWishImport() {
        Window w;
        openWorkFile(w.app, PELORA_TEST_DATA "/formularsvar/arbete.pel");
        const Work& work = w.app.work;
        QStringList corrections;
        w.desktop.expectOpenFile(PELORA_TEST_DATA "/formularsvar/svar.csv");
        w.shows(Dialog::WishImport, [&] {
            auto* preview = w.find<ui::WishImportPreview>("Form9");
            preview->resize(preview->size().boundedTo(QSize(1024, 670)));
            QTest::qWait(0);
            QVERIFY(preview->minimumSizeHint().width() <= 1024);
            QVERIFY(preview->minimumSizeHint().height() <= 670);
            for (QWidget* control : preview->findChildren<QWidget*>()) {
                if (!control->isVisible() || control->parentWidget() != preview) continue;
                const QRect at(control->mapTo(preview, QPoint(0, 0)), control->size());
                QVERIFY2(preview->rect().contains(at), qPrintable(control->objectName()));
                const QSize least = control->minimumSizeHint();
                QVERIFY2(at.width() >= least.width() && at.height() >= least.height(),
                         qPrintable(control->objectName()));
            }
            auto* combo = preview->findChild<QComboBox*>("Combo4");
            combo->setCurrentIndex(combo->findText("F: 1:a val"));
            auto* list = preview->findChild<QListWidget*>("List3");
            for (int k = 0; k < list->count(); ++k)
                corrections << list->item(k)->text();
            list->item(0)->setSelected(true);
            preview->findChild<QCheckBox*>("Check1")->setChecked(true);
            QTest::keyClick(preview->findChild<QPushButton*>("Command1"), Qt::Key_Space);
        });
        w.find<QAction>("Arkiv_onskemal")->trigger();
        QCOMPARE(corrections, QStringList{"TEATR → TEATER? (1 elev)"});
        QCOMPARE(QString::fromStdString(cp1252ToUtf8(work.studentTable[3].wishes)),
                 QString("TEATER"));
        QCOMPARE(QString::fromStdString(work.studentTable[7].wishes), QString("DANS"));
        QCOMPARE(QString::fromStdString(work.studentTable[1].wishes), QString("DANS"));
    }

    // The history through the window: a double-click placement taken back by Redigera, Ångra
    // leaves the work as saved, and "Spara" writes the same file again; Ctrl+Y does it again and
    // Ctrl+Z takes it back. In the
    // wish box Ctrl+Z takes back the typing, and with it the step the typing made.
    void undoingByTheMenuAndTheKeys() {
        TempFolder folder;
        Window w;
        QStringList withKeys;
        for (QAction* action : w.form->findChildren<QAction*>())
            if (!action->shortcuts().isEmpty()) withKeys << action->objectName();
        QCOMPARE(withKeys, QStringList({"Redigera_angra", "Redigera_gorom"}));

        w.desktop.expectSaveFile(folder.path("val.pel"));
        w.find<QAction>("Arkivsparasom")->trigger();
        const std::string saved = fileBytes(folder.path("val.pel"));
        auto* undo = w.find<QAction>("Redigera_angra");
        auto* redo = w.find<QAction>("Redigera_gorom");
        QVERIFY(!undo->isEnabled());
        QVERIFY(!redo->isEnabled());

        w.app.run.currentStudent = 2;  // ELEV 2 wishes FOTBOLL
        ShowCurrentStudent(w.app);
        // The double-click is a step of the history; the pupil's wish shows where it is placed.
        auto* box = w.find<QPlainTextEdit>("Text2");
        doubleClick(w.board()->label(2));
        QCOMPARE(int(w.app.work.placement[1][2]), 2);
        QCOMPARE(box->toPlainText(), QString("FOTBOLL  *P1"));
        QVERIFY(w.app.history.dirty());
        QCOMPARE(undo->text(), QString("Ångra Placera ELEV 2 i FOTBOLL"));
        undo->trigger();
        QCOMPARE(int(w.app.work.placement[1][2]), 0);
        QCOMPARE(box->toPlainText(), QString("FOTBOLL"));
        QCOMPARE(w.board()->label(2)->text(), QString("FOTBOLL\n 0"));
        QVERIFY(!undo->isEnabled());
        QCOMPARE(redo->text(), QString("Gör om Placera ELEV 2 i FOTBOLL"));
        QVERIFY(!w.app.history.dirty());
        w.find<QAction>("Arkiv_Spara")->trigger();
        QCOMPARE(fileBytes(folder.path("val.pel")), saved);
        auto* overview = w.find<QListWidget>("List2");
        overview->setFocus();
        QTest::keyClick(overview, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(int(w.app.work.placement[1][2]), 2);
        QTest::keyClick(overview, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(int(w.app.work.placement[1][2]), 0);
        QTest::keyClick(overview, Qt::Key_Y, Qt::ControlModifier);

        box->setFocus();
        box->moveCursor(QTextCursor::End);
        typeKeys(box, "\nDANS");
        QCOMPARE(w.app.work.studentTable[2].wishes, std::string("FOTBOLL\r\nDANS"));
        QCOMPARE(undo->text(), QString("Ångra Ändra önskemål för ELEV 2"));
        while (w.app.work.studentTable[2].wishes != "FOTBOLL" && box->document()->isUndoAvailable())
            QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.app.work.studentTable[2].wishes, std::string("FOTBOLL"));
        QCOMPARE(int(w.app.work.placement[1][2]), 2);
        // Nothing of the history was taken back: there is nothing to do again.
        QCOMPARE(undo->text(), QString("Ångra Placera ELEV 2 i FOTBOLL"));
        QVERIFY(!redo->isEnabled());
        // Ctrl+Y there does the typing again.
        QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(w.app.work.studentTable[2].wishes != "FOTBOLL");
    }

    // Two works saved as; the later one first. Choosing the other opens it and puts it first.
    // A change is copied on time into the recovery folder.
    void theRecentWorksAndTheAutomaticCopy() {
        TempFolder folder;
        Window w(0);
        w.app.work.start.classFilter = "7A";
        w.app.work.start.studentListPath = PELORA_SHARE "/exempel/elever.txt";
        w.app.recentFiles.clear();
        for (const char* name : {"a.pel", "b.pel"}) {
            w.desktop.expectSaveFile(folder.path(name));
            w.find<QAction>("Arkivsparasom")->trigger();
        }
        auto recent = [&w] {
            return QStringList{w.find<QAction>("Arkiv_senaste_1")->text(),
                               w.find<QAction>("Arkiv_senaste_2")->text()};
        };
        QCOMPARE(recent(), QStringList({"&1 b.pel", "&2 a.pel"}));
        QCOMPARE(ui::loadRecentWorks(), (std::vector{folder.path("b.pel"), folder.path("a.pel")}));
        w.find<QAction>("Arkiv_senaste_2")->trigger();
        QCOMPARE(w.app.run.workFilePath, folder.path("a.pel"));
        QCOMPARE(recent(), QStringList({"&1 a.pel", "&2 b.pel"}));
        // A change is copied about 5 s after it, by the window's own timer.
        w.app.recoveryFolder = folder.native();
        QVERIFY(!w.form->copyDueIn());
        w.app.history.markModified();
        w.app.work.start.activity = "Ändrat";
        w.form->activated();
        QVERIFY(w.form->copyDueIn() && *w.form->copyDueIn() > std::chrono::seconds(4));
        QTRY_VERIFY_WITH_TIMEOUT(
            !w.app.recovery.id.empty() &&
                std::filesystem::exists(folder.native() / ("kopia-" + w.app.recovery.id + ".pel")),
            8000);
        QVERIFY(!w.form->copyDueIn());
    }
};

PELORA_UI_TEST(GroupsTest);

}  // namespace pelora::test

#include "groups_test.moc"
