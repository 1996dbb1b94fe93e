#include "ui/dialogview.h"
#include "ui_test.h"

namespace pelora::test {

namespace {

// What the dialog's core handlers saw; the handlers are plain functions, as the core's are.
struct Seen {
    std::string text;  // Text1 as the handler found it
    int tick = -1;     // Check1 as the handler found it
    int cancels = 0;
    bool refuseCancel = false;
};
Seen seen;

void record(App& app) {
    seen.text = app.form4.Text1.text;
    seen.tick = app.form4.Check1.value;
}

void hideIt(App& app) {
    record(app);
    app.form4.visible = false;
}

// A handler that leaves the dialog open and changes what it shows.
void keepIt(App& app) {
    record(app);
    app.form4.Text1.text = "kvar";
    app.form4.Check1.value = 0;
}

void cancel(App& app) {
    ++seen.cancels;
    if (!seen.refuseCancel) app.form4.visible = false;
}

// A dialog on the print dialog's state, shown modally or modelessly as `kind` is.
class TestDialog : public ui::DialogView {
public:
    TestDialog(App& app, Dialog kind)
        : DialogView(
              app,
              [&app](const std::string& title, const std::function<void()>& operation) {
                  runGuarded(app.desktop, title, operation);
              },
              kind, app.form4.visible, cancel, "Form4", nullptr) {
        auto* text = bind(new QLineEdit, "Text1", app.form4.Text1);
        auto* check = bind(new QCheckBox(QStringLiteral("Alla")), "Check1", app.form4.Check1);
        auto* label = bind(new QLabel, "periodLabel", app.form4.periodLabel);
        auto* ok = named(new QPushButton(QStringLiteral("OK")), "Hide");
        auto* apply = named(new QPushButton(QStringLiteral("Verkställ")), "Keep");
        on(ok, &QPushButton::clicked, hideIt);
        on(apply, &QPushButton::clicked, keepIt);
        auto* layout = new QVBoxLayout(this);
        for (QWidget* widget : std::initializer_list<QWidget*>{label, text, check, ok, apply})
            layout->addWidget(widget);
    }

protected:
    std::string caption() const override { return "Skriv ut"; }
};

}  // namespace

// The one pattern of the program's dialogs, shown modally and modelessly: bound fields go both
// ways, every way out runs the right handler, and the window follows the core's `visible`.
class DialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() { seen = Seen(); }

    void aDialogFollowsItsState_data() {
        QTest::addColumn<Dialog>("kind");
        QTest::addColumn<QString>("way");  // a button's name, "Esc" or "close"
        QTest::addColumn<bool>("refuseCancel");
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<int>("cancels");
        for (Dialog kind : {Dialog::StartData, Dialog::PrintDialog}) {
            const QByteArray shown = isModal(kind) ? "modal, " : "modeless, ";
            QTest::newRow(shown + "a handler hides it") << kind << "Hide" << false << false << 0;
            QTest::newRow(shown + "a handler keeps it") << kind << "Keep" << false << true << 0;
            QTest::newRow(shown + "Esc") << kind << "Esc" << false << false << 1;
            QTest::newRow(shown + "close box") << kind << "close" << false << false << 1;
            QTest::newRow(shown + "close box, cancel refused")
                << kind << "close" << true << true << 1;
        }
    }

    void aDialogFollowsItsState() {
        QFETCH(Dialog, kind);
        QFETCH(QString, way);
        QFETCH(bool, refuseCancel);
        QFETCH(bool, staysOpen);
        QFETCH(int, cancels);
        Window w;
        w.app.form4.Text1.text = "Period 2";
        w.app.form4.Check1.value = 1;
        w.app.form4.periodLabel.caption = "Period(er)";
        w.app.form4.visible = true;
        seen.refuseCancel = refuseCancel;
        TestDialog dialog(w.app, kind);
        auto* text = dialog.findChild<QLineEdit*>("Text1");

        bool acted = false, openAfter = false;
        QString shownText, shownLabel;
        auto user = [&] {
            shownText = text->text();
            shownLabel = dialog.findChild<QLabel*>("periodLabel")->text();
            text->setFocus();
            text->end(false);
            typeKeys(text, "ö");
            dialog.findChild<QCheckBox*>("Check1")->click();
            if (way == "Esc")
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else if (way == "close")
                dialog.close();
            else
                dialog.findChild<QPushButton*>(way)->click();
            openAfter = dialog.isVisible();
            acted = true;
            // Ends a modal loop that the way out left running.
            seen.refuseCancel = false;
            if (dialog.isVisible()) QTest::keyClick(&dialog, Qt::Key_Escape);
        };
        // Ends a loop that should not be running, so that the test fails instead of hanging.
        QTimer::singleShot(3000, &dialog, [&dialog] { dialog.QDialog::done(0); });
        if (isModal(kind)) {
            QTimer::singleShot(0, &dialog, user);
            dialog.present();
            QVERIFY(acted);  // inside the dialog's own loop
        } else {
            dialog.present();
            QVERIFY(dialog.isVisible());  // returned at once, the window open
            user();
        }
        QCOMPARE(shownText, QString("Period 2"));
        QCOMPARE(shownLabel, QString("Period(er)"));
        QCOMPARE(dialog.windowTitle(), QString("Skriv ut"));
        QCOMPARE(openAfter, staysOpen);
        QCOMPARE(seen.cancels, cancels + (staysOpen ? 1 : 0));  // and the Esc that ended it
        if (way == "Hide" || way == "Keep") {
            QCOMPARE(seen.text, "Period 2ö"_cp);  // read before the handler ran
            QCOMPARE(seen.tick, 0);
        }
        if (way == "Keep") QCOMPARE(text->text(), QString("kvar"));  // rendered after it
        QVERIFY(!dialog.isVisible());
        QVERIFY(!w.app.form4.visible);
    }

    void aHiddenStateShowsNothing() {
        Window w;
        TestDialog dialog(w.app, Dialog::StartData);
        QTimer::singleShot(3000, &dialog, [&dialog] { dialog.QDialog::done(0); });
        QElapsedTimer clock;
        clock.start();
        dialog.present();
        QVERIFY(clock.elapsed() < 2000);
        QVERIFY(!dialog.isVisible());
    }
};

PELORA_UI_TEST(DialogTest);

}  // namespace pelora::test

#include "dialog_test.moc"
