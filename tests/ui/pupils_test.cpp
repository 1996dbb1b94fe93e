#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

#include "groups/board.h"
#include "pupils/overview.h"
#include "pupils/wishes.h"
#include "ui/form1.h"
#include "ui_test.h"
#include "work/codec.h"

namespace pelora::test {

namespace {

// Types the text into the widget one key at a time, the way a keyboard does; Enter for "\n".
void typeKeys(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        if (c == QLatin1Char('\n')) {
            QTest::keyClick(widget, Qt::Key_Return);
        } else {
            const auto key = static_cast<Qt::Key>(c.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), Qt::NoModifier);
        }
    }
}

// A window over a small work: two classes, three groups, the first pupil shown.
struct Fixture {
    ScriptedDesktop desktop{qtFailure()};
    App app{desktop};
    std::unique_ptr<ui::Form1> window;

    explicit Fixture(int pupils = 3) {
        Work& work = app.work;
        const char* groups[] = {"FOTBOLL", "DANS-2", "SLÖJD"};
        for (const char* name : groups) {
            const int g = ++work.groupCount;
            work.groupTable[g].name = utf8ToCp1252(name);
            work.groupTable[g].periodText = "1";
            work.groupTable[g].boardLeft = 200 + (g - 1) * 1300;
            work.groupTable[g].boardTop = 200;
        }
        for (int i = 1; i <= pupils; ++i) {
            work.studentTable[i].name = "ELEV " + std::to_string(i);
            work.studentTable[i].className = i <= 2 ? "7A" : "7B";
        }
        work.studentCount = pupils;
        work.classList[1] = "7A";
        work.classList[2] = "7B";
        work.classCount = pupils > 2 ? 2 : 1;
        work.studentTable[2].wishes = "FOTBOLL";

        window = std::make_unique<ui::Form1>(app);
        window->setProgramEnd([] {});
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            QTest::qFail("not active", __FILE__, __LINE__);
        window->run("", [this] {
            RefreshBoard(app);
            app.work.currentStudent = 1;
            ShowCurrentStudent(app);
        });
    }

    template <typename T>
    T* find(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
};

}  // namespace

class PupilsUiTest : public QObject {
    Q_OBJECT

private slots:
    void typingKeepsTheTextAndStoresTheNormalisedWishes() {
        Fixture f;
        auto* box = f.find<QPlainTextEdit>("Text2");
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());

        typeKeys(box, QString::fromUtf8("slöjd\ndäns"));
        QCOMPARE(f.app.work.studentTable[1].wishes, "SLÖJD\r\nDÄNS"_cp);
        QCOMPARE(box->toPlainText(), QString::fromUtf8("slöjd\ndäns"));
        QCOMPARE(box->textCursor().position(), box->toPlainText().size());

        // A correction in the middle of the line: the cursor stays where the user put it.
        QTest::keyClick(box, Qt::Key_Left);
        QTest::keyClick(box, Qt::Key_Left);
        QTest::keyClick(box, Qt::Key_Backspace);
        typeKeys(box, QString::fromUtf8("a"));
        QCOMPARE(box->toPlainText(), QString::fromUtf8("slöjd\ndans"));
        QCOMPARE(box->textCursor().position(), 8);
        QCOMPARE(f.app.work.studentTable[1].wishes, "SLÖJD\r\nDANS"_cp);

        // The board shows the wished groups at once.
        QCOMPARE(f.app.screen.Label1[3].background, LightRed);
        QCOMPARE(f.app.screen.Label1[2].background, LightRed);
        QCOMPARE(f.app.screen.Label1[1].background, White);
        auto* slojd = f.find<QLabel>("Label1_3");
        QCOMPARE(slojd->palette().color(QPalette::Window), QColor(255, 128, 128));
        QVERIFY(f.app.work.dirty);
        QVERIFY(f.find<QPushButton>("Command4")->isEnabled());

        // Leaving the box for another control tidies it.
        QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
        typeKeys(box, QString::fromUtf8("  \n\n"));
        f.find<QLineEdit>("Text1")->setFocus(Qt::TabFocusReason);
        QCOMPARE(box->toPlainText(), QString::fromUtf8("SLÖJD\nDANS"));
        QCOMPARE(f.app.work.studentTable[1].wishes, "SLÖJD\r\nDANS"_cp);
    }

    void losingFocusToAnotherWindowLeavesTheBoxAsTyped() {
        Fixture f;
        auto* box = f.find<QPlainTextEdit>("Text2");
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        typeKeys(box, QString::fromUtf8("dans\n"));

        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(box->toPlainText(), QString::fromUtf8("dans\n"));
        QCOMPARE(f.app.work.studentTable[1].wishes, "DANS\r\n");
    }

    void steppingToTheNextPupilGivesTheWishBoxTheFocus() {
        Fixture f;
        auto* box = f.find<QPlainTextEdit>("Text2");
        QTest::mouseClick(f.find<QPushButton>("Command3"), Qt::LeftButton);
        QCOMPARE(f.app.work.currentStudent, 2);
        QCOMPARE(f.find<QComboBox>("Combo2")->currentText(), QString("ELEV 2"));
        QCOMPARE(box->toPlainText(), QString("FOTBOLL"));
        QTRY_VERIFY(box->hasFocus());
        QCOMPARE(f.app.screen.Label1[1].background, LightRed);
    }

    void choosingAClassByTypingItsName() {
        Fixture f;
        auto* classBox = f.find<QComboBox>("Combo1");
        classBox->lineEdit()->selectAll();
        typeKeys(classBox->lineEdit(), QString::fromUtf8("7b"));
        QCOMPARE(f.app.work.currentStudent, 3);
        QCOMPARE(f.find<QComboBox>("Combo2")->count(), 1);
        QCOMPARE(f.find<QComboBox>("Combo2")->currentText(), QString("ELEV 3"));
    }

    void markingOverviewLinesWithCtrlAndShift() {
        Fixture f(12);
        f.window->run("", [&f] {
            f.app.screen.Combo3.text = "Alla";
            RefreshOverview(f.app);
        });
        auto* list = f.find<QListWidget>("List2");
        QCOMPARE(list->count(), 12);
        QCOMPARE(list->item(11)->data(Qt::UserRole).toInt(), 12);
        auto click = [list](int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            const QRect rect = list->visualItemRect(list->item(row));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
        };
        auto marked = [&f] {
            QList<int> rows;
            for (std::size_t k = 0; k < f.app.screen.List2.lines.size(); ++k) {
                if (f.app.screen.List2.lines[k].marked) rows << static_cast<int>(k);
            }
            return rows;
        };

        click(1);
        QCOMPARE(marked(), (QList<int>{1}));
        QCOMPARE(f.app.work.currentStudent, 2);
        click(4, Qt::ControlModifier);
        QCOMPARE(marked(), (QList<int>{1, 4}));
        click(7, Qt::ShiftModifier);
        QCOMPARE(marked(), (QList<int>{1, 4, 5, 6, 7}));
        click(5, Qt::ControlModifier);
        QCOMPARE(marked(), (QList<int>{1, 4, 6, 7}));
        QCOMPARE(f.app.work.currentStudent, 6);
        QCOMPARE(f.find<QLabel>("Label11")->text(), QString("12 elev(er), 4 markerad(e)"));
        QCOMPARE(f.find<QComboBox>("Combo2")->currentText(), QString("ELEV 6"));

        // A click on the line already marked alone still shows its pupil.
        click(9);
        QCOMPARE(marked(), (QList<int>{9}));
        f.app.work.currentStudent = 1;
        f.window->run("", [&f] { ShowCurrentStudent(f.app); });
        click(9);
        QCOMPARE(f.app.work.currentStudent, 10);
    }

    void aTypedCriterionAndTheSearchBox() {
        Fixture f(12);
        auto* criterion = f.find<QComboBox>("Combo3");
        auto* list = f.find<QListWidget>("List2");
        QCOMPARE(list->count(), 12);
        criterion->lineEdit()->selectAll();
        typeKeys(criterion->lineEdit(), QString::fromUtf8("ej gjort val"));
        QCOMPARE(list->count(), 11);  // pupil 2 wishes FOTBOLL
        QCOMPARE(f.find<QLabel>("Label11")->text(), QString("11 elev(er)"));

        auto* search = f.find<QLineEdit>("Text1");
        search->setFocus();
        typeKeys(search, QString::fromUtf8("elev 1"));
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(criterion->currentText(), QString::fromUtf8("Enligt sökbegrepp"));
        QCOMPARE(list->count(), 4);  // ELEV 1, 10, 11, 12

        auto* wholeWords = f.find<QCheckBox>("Check2");
        QTest::mouseClick(wholeWords, Qt::LeftButton, {}, QPoint(6, wholeWords->height() / 2));
        QTest::mouseClick(f.find<QPushButton>("Command8"), Qt::LeftButton);
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QString("   7A ELEV 1"));
    }

    void closingTheWindowWhileTheWishBoxHasTheFocus() {
        auto f = std::make_unique<Fixture>();
        auto* box = f->find<QPlainTextEdit>("Text2");
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        f->desktop.expectMsgBox("Tryck ENTER efter varje önskemål."_cp, Desktop::Buttons::Ok,
                                Desktop::Icon::Exclamation, "Ange önskemål"_cp,
                                Desktop::Answer::Ok);
        typeKeys(box, QString::fromUtf8("dans,"));
        f->window.reset();
        QCOMPARE(f->app.work.studentTable[1].wishes, "DANS");
    }
};

PELORA_UI_TEST(PupilsUiTest);

}  // namespace pelora::test

#include "pupils_test.moc"
