#include <QAction>
#include <QLabel>
#include <QMenu>

#include "groups/board.h"
#include "temp_folder.h"
#include "work/numbers.h"
#include "ui/form1.h"
#include "ui/groupboard.h"
#include "ui/textconv.h"
#include "ui_test.h"

namespace pelora::test {

class BoardTest : public QObject {
    Q_OBJECT

    struct Fixture {
        ScriptedDesktop desktop{qtFailure()};
        App app{desktop};
        ui::Form1 window{app};
        ui::GroupBoard* board = nullptr;

        Fixture() {
            Work& w = app.work;
            w.groupCount = 2;
            w.groupTable[1] = {"DANS", "Eva", "25", "Sal 3", "1", 150, 300};
            w.groupTable[2] = {"FOTBOLL", "", "", "", "1", 3000, 2400};
            RefreshBoard(app);
            window.render();
            window.show();
            board = window.findChild<ui::GroupBoard*>("Picture1");
        }
    };

private slots:
    void labelsSitAtTheirTwipPositions() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        QLabel* dans = f.board->label(1);
        QVERIFY(dans->isVisible());
        QCOMPARE(dans->pos(), QPoint(f.board->toPixels(150), f.board->toPixels(300)));
        QCOMPARE(dans->text(), QString("DANS\n 0  (25)"));
        QVERIFY(!f.board->label(3)->isVisible());
        QCOMPARE(f.board->width(), f.board->toPixels(5430));
        QCOMPARE(dans->width(), f.board->toPixels(0.22 * 5430));
    }

    void pressingDraggingAndDroppingMovesTheLabel() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        QLabel* dans = f.board->label(1);
        const QPoint start = dans->pos();
        QTest::mousePress(dans, Qt::LeftButton, {}, QPoint(10, 8));
        QCOMPARE(f.app.work.currentGroup, 1);
        QVERIFY(f.app.work.dirty);
        QVERIFY(f.board->dragging());
        QTest::mouseMove(dans, QPoint(60, 48));
        QTest::mouseMove(dans, QPoint(110, 68));
        QTest::mouseRelease(dans, Qt::LeftButton, {}, QPoint(110, 68));
        QVERIFY(!f.board->dragging());
        QCOMPARE(f.app.work.groupTable[1].boardLeft, 150 + f.board->toTwips(100));
        QCOMPARE(f.app.work.groupTable[1].boardTop, 300 + f.board->toTwips(60));
        QCOMPARE(dans->pos(), start + QPoint(100, 60));
    }

    void theSavedWorkHoldsTheNewPosition() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.app.work.groupTable[2].boardLeft = 3000.25;  // never moved: written back as it was
        QLabel* dans = f.board->label(1);
        QTest::mousePress(dans, Qt::LeftButton, {}, QPoint(10, 8));
        QTest::mouseMove(dans, QPoint(40, 28));
        QTest::mouseRelease(dans, Qt::LeftButton, {}, QPoint(40, 28));

        TempFolder folder;
        const std::string path = folder.path("val.pel");
        f.desktop.expectSaveFile(path);
        f.window.findChild<QAction*>("Arkiv_Spara")->trigger();
        QVERIFY(f.desktop.done());
        const std::string left = plainNumber(150 + f.board->toTwips(30));
        const std::string top = plainNumber(300 + f.board->toTwips(20));
        const std::string bytes = fileBytes(path);
        QVERIFY2(bytes.find("DANS,Eva,25,Sal 3,  " + left + " ,  " + top + " ,1\r\n") !=
                     std::string::npos,
                 bytes.c_str());
        QVERIFY(bytes.find("FOTBOLL,,,,  3000.25 ,  2400 ,1\r\n") != std::string::npos);
        QVERIFY(!f.app.work.dirty);
    }

    void aClickWithoutMovingLeavesTheLabelWhereItWas() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.app.work.groupTable[1].boardLeft = 152.5;  // not on a whole pixel
        QLabel* dans = f.board->label(1);
        QTest::mousePress(dans, Qt::LeftButton, {}, QPoint(10, 8));
        QTest::mouseRelease(dans, Qt::LeftButton, {}, QPoint(10, 8));
        QCOMPARE(f.app.work.groupTable[1].boardLeft, 152.5);
        QCOMPARE(f.app.work.groupTable[1].boardTop, 300.0);
        QVERIFY(f.app.work.dirty);
    }

    void droppingOutsideTheBoardLeavesTheLabel() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        QLabel* dans = f.board->label(1);
        QTest::mousePress(dans, Qt::LeftButton, {}, QPoint(10, 8));
        const QPoint outside = dans->mapFrom(&f.window, QPoint(5, f.window.height() - 5));
        QTest::mouseMove(dans, outside);
        QTest::mouseRelease(dans, Qt::LeftButton, {}, outside);
        QCOMPARE(f.app.work.groupTable[1].boardLeft, 150.0);
        QCOMPARE(f.app.work.groupTable[1].boardTop, 300.0);
    }

    void droppingOnAnotherLabelUsesThePointUnderTheMouse() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        QLabel* dans = f.board->label(1);
        QLabel* fotboll = f.board->label(2);
        QTest::mousePress(dans, Qt::LeftButton, {}, QPoint(10, 8));
        const QPoint onFotboll = dans->mapFrom(f.board, fotboll->pos() + QPoint(20, 15));
        QTest::mouseMove(dans, onFotboll);
        QTest::mouseRelease(dans, Qt::LeftButton, {}, onFotboll);
        QCOMPARE(f.app.work.groupTable[1].boardLeft,
                 3000 + f.board->toTwips(20) - f.board->toTwips(10));
        QCOMPARE(f.app.work.groupTable[1].boardTop,
                 2400 + f.board->toTwips(15) - f.board->toTwips(8));
    }

    void hoveringFillsTheGroupDataPanel() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        auto* panel = f.window.findChild<QLabel*>("groupData");
        QTest::mouseMove(f.board->label(1), QPoint(5, 5));
        QCOMPARE(panel->text(), QString("DANS\nEva     Max: 25\nSal 3"));
        QTest::mouseMove(f.board, QPoint(f.board->width() - 3, f.board->height() - 3));
        QCOMPARE(panel->text(), QString());
    }

    void rightButtonSelectsTheGroupAndOpensThePopup() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        QTest::mousePress(f.board->label(2), Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(f.app.work.currentGroup, 2);
        QVERIFY(!f.board->dragging());
        QVERIFY(f.window.popupMenu()->isVisible());
        f.window.popupMenu()->hide();
        QVERIFY(!f.app.work.dirty);
    }
};

PELORA_UI_TEST(BoardTest);

}  // namespace pelora::test

#include "board_test.moc"
