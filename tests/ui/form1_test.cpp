#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>

#include "ui/form1.h"
#include "ui/textconv.h"
#include "ui_test.h"
#include "work/codec.h"

namespace pelora::test {

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void menusCarryTheirCaptionsInOrder() {
        ScriptedDesktop desktop(qtFailure());
        App app(desktop);
        ui::Form1 window(app);
        QStringList top;
        for (QAction* action : window.menuBar()->actions()) top << action->text();
        QCOMPARE(top, (QStringList{"&Arkiv", "Ny grupp", "Hjälp"}));

        int separators = 0;
        int shortcuts = 0;
        auto captions = [&](QMenu* menu) {
            QStringList list;
            for (QAction* action : menu->actions()) {
                separators += action->isSeparator() ? 1 : 0;
                shortcuts += action->shortcut().isEmpty() ? 0 : 1;
                list << action->text();
            }
            return list;
        };
        QCOMPARE(captions(window.findChild<QMenu*>("Arkiv")),
                 (QStringList{"Nytt", "Öppna", "Spara", "Spara som...", "Skrivare", "Skriv ut",
                              "Exportera till Lumidor", "Redigera startdata", "Avsluta"}));
        QCOMPARE(captions(window.findChild<QMenu*>("Help")),
                 (QStringList{"Om programmet", "Hjälpavsnitt"}));
        QCOMPARE(captions(window.popupMenu()), (QStringList{"Redigera", "Ta bort", "Skriv ut"}));
        QCOMPARE(separators, 0);
        QCOMPARE(shortcuts, 0);
        QVERIFY(!window.menuBar()->actions().contains(window.popupMenu()->menuAction()));
        QVERIFY(window.findChild<QMenu*>("Help")->findChild<QMenu*>() == nullptr);
    }

    void closingWithChangesAsksAndCancelKeepsTheWindowOpen() {
        ScriptedDesktop desktop(qtFailure());
        App app(desktop);
        ui::Form1 window(app);
        int ends = 0;
        window.setProgramEnd([&ends] { ++ends; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        app.work.dirty = true;
        desktop.expectMsgBox("Vill du spara ändringarna?"_cp, Desktop::Buttons::YesNoCancel,
                             Desktop::Icon::Question, "Avsluta", Desktop::Answer::Cancel);
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());
        QCOMPARE(ends, 0);
        QVERIFY(desktop.done());

        desktop.expectMsgBox("Vill du spara ändringarna?"_cp, Desktop::Buttons::YesNoCancel,
                             Desktop::Icon::Question, "Avsluta", Desktop::Answer::No);
        QVERIFY(window.close());
        QCOMPARE(ends, 1);
        QVERIFY(desktop.done());
    }

    void avslutaAsksTheSameQuestionAndEndsOnNo() {
        ScriptedDesktop desktop(qtFailure());
        App app(desktop);
        ui::Form1 window(app);
        int ends = 0;
        window.setProgramEnd([&ends] { ++ends; });
        app.work.dirty = true;
        desktop.expectMsgBox("Vill du spara ändringarna?"_cp, Desktop::Buttons::YesNoCancel,
                             Desktop::Icon::Question, "Avsluta", Desktop::Answer::Cancel)
            .expectMsgBox("Vill du spara ändringarna?"_cp, Desktop::Buttons::YesNoCancel,
                          Desktop::Icon::Question, "Avsluta", Desktop::Answer::No);
        QAction* avsluta = window.findChild<QAction*>("Arkivavsluta");
        avsluta->trigger();
        QCOMPARE(ends, 0);
        avsluta->trigger();
        QCOMPARE(ends, 1);
    }

    void firstShowFillsTheCriterionBoxFromTheScreenState() {
        ScriptedDesktop desktop(qtFailure());
        App app(desktop);
        ui::Form1 window(app);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* combo = window.findChild<QComboBox*>("Combo3");
        QCOMPARE(combo->count(), 8);
        QCOMPARE(combo->currentText(), QString("Alla"));
        QCOMPARE(combo->itemText(3), QString("Önskat aktuell grupp"));
        QCOMPARE(window.windowTitle(), QString("Pelora"));
    }
};

PELORA_UI_TEST(Form1Test);

}  // namespace pelora::test

#include "form1_test.moc"
