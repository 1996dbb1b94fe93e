// The board from the keyboard, its zoom, the labels' size, and what a screen reader finds in every
// window.
#include <QAccessible>
#include <cmath>

#include "commands/board.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/form4.h"
#include "ui/form6.h"
#include "ui/form7.h"
#include "ui/proposalpreview.h"
#include "ui/wishimportpreview.h"
#include "ui_test.h"

namespace pelora::test {
namespace {

// Every control that can take the focus, and every label of the board shown, has a name; the
// names of what cannot be reached are left out.
QStringList unnamedControls(QAccessibleInterface* node, const QString& path = QString()) {
    QStringList unnamed;
    if (node == nullptr) return unnamed;
    const QAccessible::State state = node->state();
    const QString here =
        path + "/" +
        (node->object() ? node->object()->objectName() : QString::number(node->role()));
    if (!state.invisible && state.focusable && node->text(QAccessible::Name).trimmed().isEmpty())
        unnamed << here;
    for (int k = 0; k < node->childCount(); ++k)
        unnamed << unnamedControls(node->child(k), here);
    return unnamed;
}

}  // namespace

class BoardTest : public QObject {
    Q_OBJECT

private slots:
    // Tab from the wish box reaches the board before the member list. The arrows go from label to
    // label by where they lie, Space selects, Enter places the shown pupil, Shift+F10 and the menu
    // key open the pop-up menu; the focused label has its frame.
    void theBoardFromTheKeyboard() {
        Window w;
        w.app.work.groupTable[3] = {"SCHACK", "", "", "", "1", 152.5, 2400};  // under DANS
        w.app.work.groupCount = 3;
        w.app.work.studentTable[1].wishes = "FOTBOLL";
        RefreshBoard(w.app);
        w.form->render();
        ui::GroupBoard* board = w.board();
        auto* box = w.find<QPlainTextEdit>("Text2");
        auto* members = w.find<QListWidget>("List1");
        box->setFocus();
        QVERIFY(box->hasFocus());
        QWidget* previous = box;
        for (int k = 0; k < 40 && !board->hasFocus(); ++k) {
            QVERIFY2(QApplication::focusWidget() != members, "the member list before the board");
            previous = QApplication::focusWidget();
            QTest::keyClick(previous, Qt::Key_Tab);
        }
        QVERIFY(board->hasFocus());
        QCOMPARE(board->focusedLabel(), 1);
        const std::pair<Qt::Key, int> walk[] = {
            {Qt::Key_Right, 2}, {Qt::Key_Left, 3},  // SCHACK lies on FOTBOLL's row
            {Qt::Key_Up, 1},    {Qt::Key_Down, 3}, {Qt::Key_Right, 2},
            {Qt::Key_Up, 1},    {Qt::Key_Left, 1}};  // nothing to the left of DANS
        for (const auto& [key, label] : walk) {
            QTest::keyClick(board, key);
            QCOMPARE(board->focusedLabel(), label);
        }
        QCOMPARE(w.app.run.currentGroup, 0);  // moving the focus selects nothing
        QTest::keyClick(board, Qt::Key_Right);
        QTest::keyClick(board, Qt::Key_Space);
        QCOMPARE(w.app.run.currentGroup, 2);
        QCOMPARE(members->item(0)->text(), QString("FOTBOLL  Antal:  0"));
        QVERIFY(!board->dragging());
        QVERIFY(!w.app.history.dirty());
        QTest::keyClick(board, Qt::Key_Return);  // ELEV 1 wished FOTBOLL
        QCOMPARE(int(w.app.work.placement[1][1]), 2);
        QCOMPARE(board->label(2)->palette().window().color(), QColor(0, 255, 0));
        QCOMPARE(board->label(2)->accessibleDescription(),
                 QString("FOTBOLL, 1 elev, placerad här"));
        QVERIFY(board->hasFocus());
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_F10, Qt::ShiftModifier}, {Qt::Key_Menu, Qt::NoModifier}}) {
            QTest::keyClick(board, Qt::Key_Up);
            QTest::keyClick(board, key, modifiers);
            QVERIFY(w.form->popupMenu()->isVisible());
            QCOMPARE(w.app.run.currentGroup, 1);
            w.form->popupMenu()->hide();
            QTest::keyClick(board, Qt::Key_Right);
        }
        // A press of the mouse moves the focus frame to the pressed label.
        QTest::mouseClick(board->label(3), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(board->focusedLabel(), 3);
        QVERIFY(board->hasFocus());
    }

    // The focus frame is drawn on the focused label only, and only while the board has the focus.
    void theFocusedLabelHasAFrame() {
        Window w;
        ui::GroupBoard* board = w.board();
        const QImage dans = board->label(1)->grab().toImage();
        const QImage fotboll = board->label(2)->grab().toImage();
        board->setFocus(Qt::TabFocusReason);
        QCOMPARE(board->focusedLabel(), 1);
        QVERIFY(board->label(1)->grab().toImage() != dans);
        QTest::keyClick(board, Qt::Key_Right);
        QCOMPARE(board->label(1)->grab().toImage(), dans);
        QVERIFY(board->label(2)->grab().toImage() != fotboll);
        w.find<QPlainTextEdit>("Text2")->setFocus();
        QCOMPARE(board->label(2)->grab().toImage(), fotboll);
    }

    // At 1024 x 700 and larger the fitting zoom shows the whole board; Ctrl+plus zooms in (the
    // board scrolls), Ctrl+minus out, Ctrl+0 back to the fit. No stored position changes, and a
    // work that is only zoomed is not changed.
    void zoomingKeepsPositions() {
        for (const QSize size : {QSize(1024, 700), QSize(1920, 1080)}) {
            Window w;
            w.form->resize(size);
            QTest::qWait(0);
            ui::GroupBoard* board = w.board();
            auto* area = w.find<QScrollArea>("boardArea");
            const QSize fit = board->size();
            QVERIFY(area->viewport()->rect().contains(board->geometry()));
            // The board's whole 5430 x 4545 twips, filling the view's width or its height.
            QVERIFY(std::abs(board->toTwips(fit.width()) - ui::GroupBoard::WidthTwips) < 30);
            QVERIFY(std::abs(board->toTwips(fit.height()) - ui::GroupBoard::HeightTwips) < 30);
            QVERIFY(fit.width() >= area->viewport()->width() - 1 ||
                    fit.height() >= area->viewport()->height() - 1);
            board->setFocus(Qt::TabFocusReason);
            QTest::keyClick(board, Qt::Key_Plus, Qt::ControlModifier);
            QTest::keyClick(board, Qt::Key_Plus, Qt::ControlModifier);
            QCOMPARE(board->zoomSteps(), 2);
            QVERIFY(board->width() > area->viewport()->width());
            QVERIFY(area->horizontalScrollBar()->maximum() > 0);
            QCOMPARE(board->label(2)->pos(), QPoint(board->toPixels(3000), board->toPixels(2400)));
            QTest::keyClick(board, Qt::Key_Minus, Qt::ControlModifier);
            QCOMPARE(board->zoomSteps(), 1);
            QTest::keyClick(board, Qt::Key_0, Qt::ControlModifier);
            QCOMPARE(board->zoomSteps(), 0);
            QCOMPARE(board->size(), fit);
            QCOMPARE(QPointF(w.app.work.groupTable[1].boardLeft, w.app.work.groupTable[1].boardTop),
                     QPointF(152.5, 300));
            QVERIFY(!w.app.history.dirty());
        }
    }

    // The caption of every label is whole inside its box at every zoom tried, for the longest
    // captions the board can show; the whole name is the tooltip and the accessible name.
    void aCaptionIsNeverClipped() {
        Window w;
        const char* names[] = {"PROGRAMMERING", "FRILUFTSLIV", "WWWWWWWW", "MATEMATIK-ÅÄÖ 2B",
                               "ÅÄÖÅÄÖ-MMMMMMMMMMMM"};
        int g = 0;
        for (const char* name : names) {
            ++g;
            w.app.work.groupTable[g] = {utf8ToCp1252(name), "", "200", "", "1", 0, 600.0 * g};
            w.app.work.groupMemberCount[g] = 188;
        }
        w.app.work.groupCount = g;
        RefreshBoard(w.app);
        w.form->render();
        ui::GroupBoard* board = w.board();
        for (const QSize size : {QSize(800, 560), QSize(1024, 700), QSize(1920, 1080)}) {
            w.form->resize(size);
            QTest::qWait(0);
            for (int zoom : {-4, 0, 3}) {
                board->zoomToFit();
                for (int k = 0; k < std::abs(zoom); ++k)
                    zoom < 0 ? board->zoomOut() : board->zoomIn();
                for (int h = 1; h <= g; ++h) {
                    QLabel* label = board->label(h);
                    const QRect needed = label->fontMetrics().boundingRect(
                        label->contentsRect(), Qt::AlignCenter, label->text());
                    QVERIFY2(label->contentsRect().contains(needed),
                             qPrintable(QString("%1 at %2 x %3, zoom %4")
                                            .arg(label->text())
                                            .arg(size.width())
                                            .arg(size.height())
                                            .arg(zoom)));
                    QCOMPARE(label->toolTip(), QString::fromUtf8(names[h - 1]));
                    QCOMPARE(label->accessibleName(), QString::fromUtf8(names[h - 1]));
                }
            }
        }
    }

    // "Ordna etiketterna" in "Redigera" lays the shown labels apart, and "Ångra" takes it back.
    void orderingTheLabels() {
        Window w;
        w.app.work.groupTable[2].boardLeft = 152.5;
        w.app.work.groupTable[2].boardTop = 300;
        RefreshBoard(w.app);
        w.form->render();
        w.find<QAction>("Redigera_ordna")->trigger();
        ui::GroupBoard* board = w.board();
        QVERIFY(!board->label(1)->geometry().intersects(board->label(2)->geometry()));
        QCOMPARE(w.find<QAction>("Redigera_angra")->text(), QString("Ångra Ordna etiketterna"));
        w.find<QAction>("Redigera_angra")->trigger();
        QCOMPARE(board->label(1)->pos(), board->label(2)->pos());
    }

    // A screen reader finds a name on every control of every window that can take the focus.
    void everyControlHasAName() {
        Window w;
        const auto run = [](const std::string&, const std::function<void()>& operation) {
            operation();
        };
        std::vector<std::unique_ptr<QWidget>> windows;
        windows.emplace_back(new ui::Form2(w.app, run));
        windows.emplace_back(new ui::Form3(w.app, run));
        windows.emplace_back(new ui::Form4(w.app, run));
        windows.emplace_back(new ui::Form6(w.app, run));
        windows.emplace_back(new ui::Form7(w.app, run));
        windows.emplace_back(new ui::ProposalPreview(w.app, run));
        windows.emplace_back(new ui::WishImportPreview(w.app, run));
        QStringList unnamed = unnamedControls(QAccessible::queryAccessibleInterface(w.form.get()));
        for (const auto& window : windows) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            unnamed << unnamedControls(QAccessible::queryAccessibleInterface(window.get()));
            window->hide();
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join("\n")));
    }
};

PELORA_UI_TEST(BoardTest);

}  // namespace pelora::test

#include "board_test.moc"
