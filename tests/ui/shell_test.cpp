#include <QCompleter>

#include "ui/form3.h"
#include "ui/qtdesktop.h"
#include "ui/textconv.h"
#include "ui/widgetsync.h"
#include "ui_test.h"

namespace pelora::test {

// Å, Ä and Ö reach above the font's ascent; a row or label that centres its text is that much
// higher at the top and at the bottom.
static int heightFor(const QFont& font, int lines) {
    const QFontMetrics metrics(font);
    const int above = -metrics.tightBoundingRect("ÅÄÖ").top() - metrics.ascent();
    return (lines - 1) * metrics.lineSpacing() + metrics.height() + 2 * std::max(0, above);
}

// The shell's wiring: ending the program, the start data dialog, message boxes, text crossing to
// Qt, the layout, the mouse on the board, the wish box and the overview.
class ShellTest : public QObject {
    Q_OBJECT

private slots:
    // The close box with Avbryt and Nej, then "Avsluta" with Nej.
    void endingWithChangesAsksFirst() {
        for (const auto& [viaAvsluta, answer] :
             {std::pair{false, Answer::Cancel}, {false, Answer::No}, {true, Answer::No}}) {
            Window w;
            w.app.history.markModified();
            w.desktop.expectMsgBox("Vill du spara ändringarna?"_cp, Buttons::YesNoCancel,
                                   Desktop::Icon::Question, "Avsluta", answer);
            viaAvsluta ? w.find<QAction>("Arkivavsluta")->trigger() : void(w.form->close());
            QCOMPARE(w.ends, answer == Answer::No ? 1 : 0);
            QCOMPARE(w.form->isVisible(), viaAvsluta || answer == Answer::Cancel);
        }
    }

    // The dialog shows the start data and keeps open on a refused period; only OK takes a
    // change and reads the roster. Left by OK, Avbryt, the close box and Esc; Avbryt is tried on
    // "Redigera startdata", the rest on "Nytt".
    void startData() {
        for (const QString way : {"Command1", "Command2", "close", "Esc"}) {
            Window w;
            w.app.work.start = {"Val", "Björkhagaskolan"_cp, "HT", "7A  7B  8A  8B  9A  9B",
                                PELORA_SHARE "/exempel/elever.txt"};
            const bool ok = way == "Command1", edit = way == "Command2";
            QString school;
            bool keptOpen = false;
            w.shows(Dialog::StartData,
                    [&] {
                        auto* dialog = w.find<ui::Form3>("Form3");
                        school = dialog->findChild<QLineEdit*>("Text1")->text();
                        dialog->findChild<QLineEdit*>("Text6")->setText("0");
                        dialog->findChild<QPushButton*>("Command1")->click();
                        keptOpen = dialog->isVisible();
                        dialog->findChild<QLineEdit*>("Text6")->setText("2");
                        if (way.startsWith("Command"))
                            dialog->findChild<QPushButton*>(way)->click();
                        if (way == "close") dialog->close();
                        if (way == "Esc") QTest::keyClick(dialog, Qt::Key_Escape);
                    })
                .expectMsgBox("Ange period!", Buttons::Ok, Desktop::Icon::Exclamation,
                              edit ? "Redigera startdata" : "Nytt", Answer::Ok);
            w.find<QAction>(edit ? "red_startdata" : "Arkiv_Nytt")->trigger();
            QCOMPARE(school, QString("Björkhagaskolan"));
            QVERIFY(keptOpen);
            QCOMPARE(w.app.work.start.periodCount, ok ? 2 : 1);
            QCOMPARE(w.find<QComboBox>("Combo1")->count(), ok ? 6 : 0);  // the roster's classes
            QCOMPARE(w.find<QComboBox>("Combo3")->count(), ok ? 5 : 8);  // activated again
        }
    }

    // Pasted through the real widgets: a column of classes into "Klasser" is one line, a row
    // of spreadsheet cells into the wish box one wish per cell.
    void pasting() {
        Window w;
        w.shows(Dialog::StartData,
                [&] {
                    auto* dialog = w.find<ui::Form3>("Form3");
                    auto* classes = dialog->findChild<QLineEdit*>("Text4");
                    classes->setFocus();
                    QGuiApplication::clipboard()->setText("7A\r\n7B\r\n7C\r\n");
                    classes->paste();
                    dialog->findChild<QPushButton*>("Command1")->click();
                })
            .expectMsgBox("Spara och starta om programmet för att ta ändringarna i bruk."_cp,
                          Buttons::Ok, Desktop::Icon::Information, "Redigera startdata",
                          Answer::Ok);
        w.find<QAction>("red_startdata")->trigger();
        QCOMPARE(w.app.work.start.classFilter, std::string("7A 7B 7C"));
        auto* box = w.find<QPlainTextEdit>("Text2");
        box->setFocus();
        QGuiApplication::clipboard()->setText("ENGELSKA\tFRANSKA\tTYSKA");
        box->paste();
        QCOMPARE(w.app.work.studentTable[1].wishes, std::string("ENGELSKA\r\nFRANSKA\r\nTYSKA"));
    }

    // As a wish is typed the wish box offers the group names it may become: Down and Enter take
    // the name in place of what was typed, and nothing more; Enter with none picked ends the
    // line; a name typed whole is offered no more.
    void theWishBoxOffersGroupNames() {
        Window w;
        auto* box = w.find<QPlainTextEdit>("Text2");
        QAbstractItemView* popup = box->findChild<QCompleter*>()->popup();
        box->setFocus();
        typeKeys(box, "  f");
        QVERIFY(popup->isVisible());
        QCOMPARE(popup->model()->rowCount(), 1);
        QCOMPARE(popup->model()->index(0, 0).data().toString(), QString("FOTBOLL"));
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        QVERIFY(!popup->isVisible());
        QCOMPARE(box->toPlainText(), QString("  FOTBOLL"));
        QCOMPARE(w.app.work.studentTable[1].wishes, std::string("FOTBOLL"));

        typeKeys(box, "\nd");
        QVERIFY(popup->isVisible());
        QTest::keyClick(popup, Qt::Key_Return);
        QVERIFY(!popup->isVisible());
        typeKeys(box, "ans");
        QVERIFY(!popup->isVisible());
        QCOMPARE(box->toPlainText(), QString("  FOTBOLL\nd\nans"));
    }

    // Each set of buttons: Swedish captions, the first the default, Esc and the close box the
    // last, every button its own answer; the text plain text.
    void messageBoxesAreSwedish() {
        for (const auto& [buttons, captions, answers] :
             {std::tuple{Buttons::Ok, QStringList{"OK"}, QList{Answer::Ok}},
              {Buttons::OkCancel, QStringList{"OK", "Avbryt"}, QList{Answer::Ok, Answer::Cancel}},
              {Buttons::YesNo, QStringList{"Ja", "Nej"}, QList{Answer::Yes, Answer::No}},
              {Buttons::YesNoCancel, QStringList{"Ja", "Nej", "Avbryt"},
               QList{Answer::Yes, Answer::No, Answer::Cancel}}}) {
            auto box = ui::QtDesktop::buildMessageBox("Vill du spara?", buttons,
                                                      Desktop::Icon::Question, "Avsluta", nullptr);
            QCOMPARE(box->defaultButton()->text(), captions.first());
            QCOMPARE(box->textFormat(), Qt::PlainText);
            QCOMPARE(ui::QtDesktop::answerOf(*box), answers.last());
            QCOMPARE(box->buttons().size(), captions.size());
            for (QAbstractButton* button : box->buttons()) {
                button->click();
                QCOMPARE(ui::QtDesktop::answerOf(*box),
                         answers.value(captions.indexOf(button->text())));
            }
        }
    }

    // Every byte there and back; what Windows-1252 cannot hold becomes "?" and is flagged.
    void textCrossesBetweenCoreAndQtExactly() {
        for (int b = 0; b < 256; ++b)
            QCOMPARE(ui::fromQt(ui::toQt(std::string(1, char(b)))), std::string(1, char(b)));
        QCOMPARE(ui::toQt("\x80\xd6"), QString("€Ö"));
        QCOMPARE(ui::fromQt("Ā😀"), std::string("??"));
        QCOMPARE(ui::qtFilter("*.pel|*.pel"), QString("*.pel (*.pel)"));
        QCOMPARE(ui::withDefaultExtension("/a.b/val", "pel"), QString("/a.b/val.pel"));
        for (const auto& [typed, flagged] : {std::pair{"Łódź.txt", true},
                                             {"elever😀.txt", true},
                                             {"Björkhaga/€\u0081\u009d", false},
                                             {"", false}}) {
            QLineEdit edit(typed);
            TextBox box{"", true, !flagged};  // the flag follows each reading
            ui::readInput(&edit, box);
            QCOMPARE(box.unrepresentable, flagged);
        }
    }

    // A group named "<B>DANS" reads "<B>DANS" on two lines in every label that shows it; no
    // label or prompt takes its text as markup.
    void textShowsAsPlainText() {
        Window w;
        MainScreen& s = w.app.screen;
        for (std::string* caption :
             {&s.Label1[1].caption, &s.status.caption, &s.groupData.caption, &s.Label11.caption,
              &s.periodDisplay.caption, &s.periodCaption.caption})
            *caption = "<B>DANS\r\n 0";
        w.form->render();
        for (const char* name :
             {"Label1_1", "status", "groupData", "Label11", "periodDisplay", "periodCaption"})
            QCOMPARE(w.find<QLabel>(name)->text(), QString("<B>DANS\n 0"));
        QList<QLabel*> labels = w.form->findChildren<QLabel*>();
        QVERIFY(labels.size() > 101 + 10);
        auto input = ui::QtDesktop::buildInputBox("<B>Namn</B>", "Ny grupp", "", nullptr);
        labels << input->findChild<QLabel*>();
        for (QLabel* label : labels)
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->text()));
    }

    // Rows, labels and the lists the combo boxes open hold capitals with rings and dots whole,
    // and an open list is as wide as its longest item however narrow its box.
    void rowsAndLabelsHoldCapitalsWithDots() {
        Window w;
        w.app.work.groupTable[1].name = "KÖRSÅNG"_cp;
        w.app.work.groupTable[2].name = "ÅÄÖ"_cp;
        w.app.work.studentTable[1].name = "Östen Åkesson-Lindqvist Ärlebrant"_cp;
        w.app.work.classCount = 1;
        w.app.work.classList[1] = "7A";
        RefreshBoard(w.app);
        ShowMemberList(w.app, 1);
        ShowCurrentStudent(w.app);
        w.form->resize(1024, 670);
        w.form->render();
        auto* overview = w.find<QListWidget>("List2");
        QVERIFY(overview->visualItemRect(overview->item(0)).height() >=
                heightFor(overview->font(), 1));
        for (QLabel* label : w.form->findChildren<QLabel*>()) {
            if (!label->isVisible() || label->text().isEmpty()) continue;
            const int lines = label->text().count('\n') + 1;
            const int frame = 2 * (label->frameWidth() + label->margin());
            QVERIFY2(label->height() >= heightFor(label->font(), lines) + frame,
                     qPrintable(label->text()));
        }
        auto* pupils = w.find<QComboBox>("Combo2");
        pupils->showPopup();
        QAbstractItemView* list = pupils->view();
        QTRY_VERIFY(list->isVisible());
        for (int k = 0; k < pupils->count(); ++k)
            QVERIFY(list->viewport()->width() >
                    list->fontMetrics().horizontalAdvance(pupils->itemText(k)));
        QVERIFY(list->visualRect(pupils->model()->index(0, 0)).height() >=
                heightFor(list->font(), 1));
        pupils->hidePopup();
    }

    // A class and then a pupil picked from the open lists of their boxes with the mouse: the
    // pupil is shown with the wishes.
    void pickingAClassAndAPupilFromTheirLists() {
        Window w(4);
        w.app.work.classCount = 2;
        w.app.work.classList[1] = "7A";
        w.app.work.classList[2] = "7B";
        w.app.screen.Combo1.items = {"7A", "7B"};
        w.app.work.studentTable[4].wishes = "DANS";
        w.form->render();
        const auto pick = [](QComboBox* box, const QString& item) {
            box->showPopup();
            QAbstractItemView* list = box->view();
            QTRY_VERIFY(list->isVisible());
            const QRect at = list->visualRect(box->model()->index(box->findText(item), 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at.center());
            QTRY_VERIFY(!list->isVisible());
        };
        pick(w.find<QComboBox>("Combo1"), "7B");
        QCOMPARE(w.find<QComboBox>("Combo2")->count(), 2);
        pick(w.find<QComboBox>("Combo2"), "ELEV 4");
        QCOMPARE(w.app.run.currentStudent, 4);
        QCOMPARE(w.find<QPlainTextEdit>("Text2")->toPlainText(), QString("DANS"));

        pick(w.find<QComboBox>("Combo1"), "7B");  // the class again: its first pupil
        QCOMPARE(w.app.run.currentStudent, 3);

        // Two classmates of one name: the box shows the item of the pupil shown.
        w.app.work.studentTable[3].name = "ELEV 4";
        for (const int pupil : {4, 3}) {
            w.app.run.currentStudent = pupil;
            ShowCurrentStudent(w.app);
            w.form->render();
            QCOMPARE(w.find<QComboBox>("Combo2")->currentIndex(), pupil - 3);
        }
    }

    // A name read as written is shown as its characters, chosen from the pupil box, and found by
    // the overview's search from what is typed in lower case.
    void aNameAsWrittenIsShownChosenAndFound() {
        Window w(4);
        w.app.work.classCount = 2;
        w.app.work.classList[1] = "7A";
        w.app.work.classList[2] = "7B";
        w.app.screen.Combo1.items = {"7A", "7B"};
        w.app.work.studentTable[4].name = utf8AsWritten("Łukasz Wiśniewski");
        w.app.work.studentTable[4].wishes = "DANS";
        w.app.run.currentStudent = 3;
        ShowCurrentStudent(w.app);
        w.form->render();
        auto* pupils = w.find<QComboBox>("Combo2");
        QCOMPARE(pupils->itemText(1), QString("Łukasz Wiśniewski"));
        pupils->showPopup();
        QAbstractItemView* list = pupils->view();
        QTRY_VERIFY(list->isVisible());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(pupils->model()->index(1, 0)).center());
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(w.app.run.currentStudent, 4);
        QCOMPARE(w.find<QPlainTextEdit>("Text2")->toPlainText(), QString("DANS"));

        auto* search = w.find<QLineEdit>("Text1");
        search->setFocus(Qt::TabFocusReason);
        typeKeys(search, "łukasz\n");
        QCOMPARE(w.app.screen.Text1.text, utf8AsWritten("łukasz"));
        auto* overview = w.find<QListWidget>("List2");
        QCOMPARE(overview->count(), 1);
        QCOMPARE(overview->item(0)->text(), QString("   7B Łukasz Wiśniewski"));
    }

    // Every control lies inside the window, or inside the board's scroll area, which scrolls to
    // every label; no control covers another; the longest status text fits its box. A large
    // window gives the board the room.
    void theWindowFitsSmallAndLargeScreens() {
        for (const auto& [size, boardGrows] :
             {std::pair{QSize(1024, 670), false}, {QSize(1600, 970), true}})  // less a title bar
        {
            Window w;
            // A screen hardly wider than the window starts it maximized.
            w.form->hide();
            w.app.screen.startMaximized = !boardGrows;
            w.form->showAtStart();
            QVERIFY(w.form->isVisible());
            QCOMPARE(w.form->isMaximized(), !boardGrows);
            w.form->showNormal();
            w.app.screen.status.caption =
                "600 elever, 100 grupper   (snitt: 6 el/gr)\r\n"
                " 600 elev(er) placerade enl 1:a-handsval\r\n 600 elev(er) ej placerad(e)";
            w.form->render();
            w.form->resize(size);
            QCOMPARE(w.form->size(), size);  // nothing asks for more than the screen has
            QTest::qWait(0);
            QList<QWidget*> controls;  // what the frames hold, each a whole control
            for (const char* frame : {"FrameElever", "FrameOversikten", "FrameGrupper"})
                for (QWidget* c :
                     w.find<QWidget>(frame)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                    if (c->isVisible()) controls << c;
            QVERIFY(controls.size() > 30);
            auto at = [&w](QWidget* c) {
                return QRect(c->mapTo(w.form.get(), QPoint(0, 0)), c->size());
            };
            for (QWidget* a : controls) {
                QVERIFY2(w.form->rect().contains(at(a)), qPrintable(a->objectName()));
                for (QWidget* b : controls)
                    QVERIFY2(a == b || !at(a).intersects(at(b)),
                             qPrintable(a->objectName() + " / " + b->objectName()));
            }
            // The whole board in view, as large as the room allows; its labels grow with it.
            ui::GroupBoard* board = w.board();
            auto* area = w.find<QScrollArea>("boardArea");
            QVERIFY(area->viewport()->rect().contains(board->geometry()));
            QVERIFY(board->width() >= area->viewport()->width() - 1 ||
                    board->height() >= area->viewport()->height() - 1);
            QVERIFY(!area->horizontalScrollBar()->isVisible());
            QVERIFY(!area->verticalScrollBar()->isVisible());
            QVERIFY(board->rect().contains(board->label(2)->geometry()));
            const QSize designed = board->sizeHint();
            QCOMPARE(board->width() > designed.width() * 3 / 2, boardGrows);
            QVERIFY(board->label(1)->width() >= int(0.22 * board->width()));
            auto* status = w.find<QLabel>("status");
            const QRect needed = status->fontMetrics().boundingRect(
                status->contentsRect(), int(status->alignment()) | Qt::TextWordWrap,
                status->text());
            QVERIFY(status->contentsRect().contains(needed));
            const QImage shown =  // a white panel on the window
                w.form->grab(QRect(status->mapTo(w.form.get(), QPoint()), status->size()))
                    .toImage();
            QCOMPARE(shown.pixelColor(shown.width() - 6, shown.height() - 6), QColor(Qt::white));
        }
    }

    // One list widget through a row of changes, a letter to a line; "X" lines are marked.
    void aListShowsExactlyTheLinesAfterEachChange() {
        QListWidget widget;
        for (const char* letters : {"ABC", "AXBC", "AC", "AXC", "XABC", "AAA", "AA", "", "AX"}) {
            const QStringList lines = QString(letters).split("", Qt::SkipEmptyParts);
            ListBox list;
            for (const QString& line : lines)
                list.lines.push_back({line.toStdString(), 0, line == "X"});
            ui::render(&widget, list);
            QStringList shown;
            for (int k = 0; k < widget.count(); ++k) {
                shown << widget.item(k)->text();
                QCOMPARE(widget.item(k)->isSelected(), shown.last() == "X");
            }
            QCOMPARE(shown, lines);
        }
    }

    // DANS, sitting at 152.5, 300 twips, is taken 10, 8 pixels inside it and let go on the board:
    // onto the free surface, onto FOTBOLL, where it was, outside the board. It is shown where it
    // is let go and kept there in whole twips, at the fitting zoom and zoomed in; only a move is a
    // change.
    void draggingALabel() {
        for (int zoom : {0, 2}) {
            for (const auto& [release, moves] : {std::pair{QPoint(120, 88), true},
                                                 {QPoint(0, 0), true},     // FOTBOLL, found below
                                                 {QPoint(-1, -1), false},  // where it was
                                                 {QPoint(-5000, 28), false}}) {
                Window w;
                ui::GroupBoard* board = w.board();
                for (int k = 0; k < zoom; ++k)
                    board->zoomIn();
                QLabel* dans = board->label(1);
                const QPoint hold(10, 8);
                QPoint to = release;
                if (to == QPoint(0, 0)) to = board->label(2)->pos() + QPoint(30, 12);
                if (to == QPoint(-1, -1)) to = dans->pos() + hold;
                QTest::mousePress(dans, Qt::LeftButton, {}, hold);
                QTest::mouseMove(dans, dans->mapFrom(board, to));
                QTest::mouseRelease(dans, Qt::LeftButton, {}, dans->mapFrom(board, to));
                const Group& group = w.app.work.groupTable[1];
                QCOMPARE(w.app.history.dirty(), moves);
                if (!moves) {
                    QCOMPARE(QPointF(group.boardLeft, group.boardTop), QPointF(152.5, 300));
                    continue;
                }
                // Whole twips from where the label is let go; let go on DANS itself, counted
                // from DANS's own half twip.
                QCOMPARE(std::fmod(group.boardLeft, 0.5), 0.0);
                QCOMPARE(std::fmod(group.boardTop, 0.5), 0.0);
                QCOMPARE(dans->pos(),
                         QPoint(board->toPixels(group.boardLeft), board->toPixels(group.boardTop)));
                QVERIFY((dans->pos() - (to - hold)).manhattanLength() <= 2);
            }
        }
    }

    void hoveringShowsGroupDataAndTheRightButtonThePopup() {
        Window w;
        QTest::mouseMove(w.board()->label(1), QPoint(5, 5));
        QCOMPARE(w.find<QLabel>("groupData")->text(), QString("DANS\nEva     Max: 25\nSal 3"));
        QTest::mouseMove(w.board(), QPoint(w.board()->width() - 3, w.board()->height() - 3));
        QCOMPARE(w.find<QLabel>("groupData")->text(), QString());
        QTest::mousePress(w.board()->label(2), Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(w.form->popupMenu()->isVisible());
        QCOMPARE(w.app.run.currentGroup, 2);
    }

    // Stored in capitals as typed, the cursor left where it was. "Ångra" is disabled once it
    // has undone; the focus goes back to the wish box, not on to the criterion box, where the
    // next key would replace the criterion. The box shows the capitals once the focus has moved
    // on to another control.
    void typingIntoTheWishBoxAndUndoing() {
        Window w(12);
        auto* box = w.find<QPlainTextEdit>("Text2");
        auto* undo = w.find<QPushButton>("Command4");
        box->setFocus();
        typeKeys(box, "slöjd\nmåla\nfält\nans");
        QTest::keyClick(box, Qt::Key_Home);
        typeKeys(box, "d");
        QCOMPARE(w.app.work.studentTable[1].wishes, "SLÖJD\r\nMÅLA\r\nFÄLT\r\nDANS"_cp);
        QCOMPARE(box->textCursor().position(), 17);
        QCOMPARE(w.board()->label(1)->palette().window().color(), QColor(255, 128, 128));
        QTest::mouseClick(undo, Qt::LeftButton);
        QVERIFY(!undo->isEnabled());
        QCOMPARE(QApplication::focusWidget(), box);
        typeKeys(QApplication::focusWidget(), "x");
        QCOMPARE(w.find<QComboBox>("Combo3")->currentText(), QString("Alla"));
        w.find<QLineEdit>("Text1")->setFocus(Qt::TabFocusReason);
        QCOMPARE(box->toPlainText(), QString("X"));
        w.form->render();  // the focus asked for once, given once
        QCOMPARE(QApplication::focusWidget(), w.find<QLineEdit>("Text1"));
    }

    // "musik,t" is typed; each change with the comma is answered with the message and not
    // stored. Another window takes the focus meanwhile (the message box, a menu, another
    // program); the box is tidied and stored when the focus moves on to another control of the
    // main window, and only then.
    void leavingTheWishBoxTidiesIt() {
        for (const auto& [then, shown, stored] :
             {std::tuple{"Text2", "musik,t", "MUSIK"}, {"Text1", "MUSIK T", "MUSIK T"}}) {
            Window w;
            auto* box = w.find<QPlainTextEdit>("Text2");
            for (int k = 0; k < 2; ++k)
                w.desktop.expectMsgBox("Tryck ENTER efter varje önskemål."_cp, Buttons::Ok,
                                       Desktop::Icon::Exclamation, "Ange önskemål"_cp, Answer::Ok);
            box->setFocus();
            typeKeys(box, "musik,t");
            QWidget other;
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
            // A click into the inactive main window moves its focus before it is active again.
            w.find<QWidget>(then)->setFocus(Qt::MouseFocusReason);
            other.hide();
            w.form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
            QCOMPARE(QApplication::focusWidget()->objectName(), QString(then));
            QCOMPARE(box->toPlainText(), QString(shown));
            QCOMPARE(w.app.work.studentTable[1].wishes, std::string(stored));
        }
    }

    // Lines clicked in turn (^ with Ctrl, + with Shift) and the lines marked after each, as
    // "click:marked"; every click shows its line's pupil, even one that changes no mark. Then a
    // typed criterion and a search narrow the overview.
    void theOverview() {
        Window w(12);
        auto* list = w.find<QListWidget>("List2");
        for (const QString step : {"1:1", "^4:1 4", "+7:1 4 5 6 7", "^5:1 4 6 7", "9:9", "9:9"}) {
            const QString click = step.section(':', 0, 0);
            w.app.run.currentStudent = 0;
            const auto keys = click.startsWith('^')   ? Qt::ControlModifier
                              : click.startsWith('+') ? Qt::ShiftModifier
                                                      : Qt::NoModifier;
            const int row = click.right(1).toInt();
            const QPoint point = list->visualItemRect(list->item(row)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, keys, point);
            QCOMPARE(w.app.run.currentStudent, row + 1);
            QStringList rows;
            for (int k = 0; k < list->count(); ++k)
                if (w.app.screen.List2.lines[k].marked) rows << QString::number(k);
            QCOMPARE(rows.join(' '), step.section(':', 1));
        }
        QLineEdit* criterion = w.find<QComboBox>("Combo3")->lineEdit();
        criterion->selectAll();
        typeKeys(criterion, "ej gjort val");
        QCOMPARE(list->count(), 11);
        typeKeys(w.find<QLineEdit>("Text1"), "elev 1\n");
        QCOMPARE(list->count(), 4);
    }
};

PELORA_UI_TEST(ShellTest);

}  // namespace pelora::test

#include "shell_test.moc"
