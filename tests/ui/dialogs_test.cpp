#include "commands/help.h"
#include "ui/textconv.h"
#include "ui_test.h"

namespace pelora::test {

// A dialog as the user reaches it: the menu item, what it shows and the dialog's name.
struct Opened {
    const char* item;
    Dialog kind;
    const char* name;
};
constexpr Opened kEditor{"h_klick_red", Dialog::GroupEditor, "Form2"};
constexpr Opened kStartData{"red_startdata", Dialog::StartData, "Form3"};
constexpr Opened kPrint{"Arkivskrivut", Dialog::PrintDialog, "Form4"};

// Opens the dialog by its menu item and runs `user` in it: inside a modal dialog's own loop,
// which is left by Esc where `user` keeps it open, or at once beside the main window.
static void open(Window& w, const Opened& d, const std::function<void(QDialog*)>& user,
                 const std::function<void()>& asks = {}) {
    const bool modal = isModal(d.kind);
    w.shows(
        d.kind, !modal ? std::function<void()>() : [&] {
            auto* dialog = w.find<QDialog>(d.name);
            user(dialog);
            if (dialog->isVisible()) QTest::keyClick(dialog, Qt::Key_Escape);
        });
    if (asks) asks();
    w.find<QAction>(d.item)->trigger();
    if (!modal) user(w.find<QDialog>(d.name));
}

// A check box reads "1" or "0", a text field its text; entering types the text anew.
static QString valueOf(QWidget* widget) {
    if (auto* box = qobject_cast<QCheckBox*>(widget)) return box->isChecked() ? "1" : "0";
    return qobject_cast<QLineEdit*>(widget)->text();
}
static void enter(QWidget* widget, const QString& value) {
    if (auto* box = qobject_cast<QCheckBox*>(widget)) return box->setChecked(value == "1");
    qobject_cast<QLineEdit*>(widget)->clear();
    typeKeys(widget, value);
}

static ScriptedDesktop& expectRestart(ScriptedDesktop& desktop) {
    return desktop.expectMsgBox("Spara och starta om programmet för att ta ändringarna i bruk."_cp,
                                Buttons::Ok, Desktop::Icon::Information, "Redigera startdata",
                                Answer::Ok);
}

// DANS is group 1 of a work of two periods, shown in period 2; the start data and the print
// dialog's fields each hold a value of their own.
static void prepare(Window& w) {
    w.app.run.currentGroup = 1;
    w.app.work.groupTable[1].periodText = "2";
    w.app.work.start = {"Val", "Björkhagaskolan"_cp, "HT", "7A 7B", "elever.txt", 2, 1};
    PrintScreen& s = w.app.form4;
    s.Text4.text = "2", s.Text1.text = "dans", s.Text2.text = "7a", s.Text3.text = "7b";
    s.Text5.text = "8c", s.Check5.value = 1, s.Check2.value = 1, s.Check6.value = 1;
    w.form->activated();  // the dialogs' fields of the periods enabled
}

// The group editor, the start data and the print dialog.
class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void eachWindowHasItsTitle() {
        Window w;
        prepare(w);
        w.app.manualPlaces = {PELORA_MANUAL};
        loadManual(w.app);
        QCOMPARE(w.form->windowTitle(), QString("Pelora"));
        for (const auto& [dialog, title] :
             {std::pair{kEditor, "Redigera gruppdata"},
              {Opened{"ny_grupp", Dialog::GroupEditor, "Form2"}, "Ny grupp"},
              {kStartData, "Redigera startdata"},
              {kPrint, "Skriv ut"},
              {Opened{"Arkiv_forslag", Dialog::Proposal, "Form8"}, "Föreslå placering"},
              {Opened{"Helptext", Dialog::HelpWindow, "Form6"}, "Hjälp"},
              {Opened{"Arkiv_Nytt", Dialog::StartData, "Form3"}, "Nytt"}}) {
            QString shown;
            open(w, dialog, [&](QDialog* d) { shown = d->windowTitle(); });
            QCOMPARE(shown, QString(title));
        }
    }

    // Each field shows its value when the dialog opens; what is typed into it reaches its own
    // place once a button is pressed: the group and the start data by OK, the print dialog's
    // fields (kept for its next opening) by Avbryt. Check boxes last: the number of periods
    // sets "Visa alla perioder samtidigt" anew.
    void eachFieldIsBoundToItsOwnValue() {
        using Value = std::function<std::string(const App&)>;
        struct Field {
            const char* widget;
            const char* shown;
            const char* typed;
            Value stored;
        };
        auto group = [](std::string Group::*field) -> Value {
            return [field](const App& a) { return a.work.groupTable[1].*field; };
        };
        auto start = [](std::string StartData::*field) -> Value {
            return [field](const App& a) { return a.work.start.*field; };
        };
        auto text = [](TextBox PrintScreen::*field) -> Value {
            return [field](const App& a) { return (a.form4.*field).text; };
        };
        auto tick = [](CheckBox PrintScreen::*field) -> Value {
            return [field](const App& a) { return std::to_string((a.form4.*field).value); };
        };
        const std::tuple<Opened, const char*, std::vector<Field>> dialogs[] = {
            {kEditor,
             "Command1",
             {{"Text1", "DANS", "JAZZ", group(&Group::name)},
              {"Text2", "Eva", "Ola", group(&Group::staff)},
              {"Text3", "25", "30", group(&Group::maxText)},
              {"Text4", "Sal 3", "Sal 9", group(&Group::comment)},
              {"Text5", "2", "1", group(&Group::periodText)}}},
            {kStartData,
             "Command1",
             {{"Text1", "Björkhagaskolan", "Ekskolan", start(&StartData::school)},
              {"Text5", "Val", "Tema", start(&StartData::activity)},
              {"Text2", "HT", "VT", start(&StartData::periodLabel)},
              {"Text3", "elever.txt", "/tmp/nya.txt", start(&StartData::studentListPath)},
              {"Text4", "7A 7B", "8A", start(&StartData::classFilter)},
              {"Text6", "2", "3",
               [](const App& a) { return std::to_string(a.work.start.periodCount); }},
              {"Check2", "1", "0",
               [](const App& a) { return std::to_string(a.work.start.showAllPeriods); }},
              {"Check3", "0", "1",
               [](const App& a) { return std::to_string(a.work.start.ignoreWishes); }}}},
            {kPrint,
             "Command2",
             {{"Text4", "2", "1", text(&PrintScreen::Text4)},
              {"Text1", "dans", "fotboll", text(&PrintScreen::Text1)},
              {"Text2", "7a", "9a", text(&PrintScreen::Text2)},
              {"Text3", "7b", "9b", text(&PrintScreen::Text3)},
              {"Text5", "8c", "9c", text(&PrintScreen::Text5)},
              {"Check5", "1", "0", tick(&PrintScreen::Check5)},
              {"Check1", "0", "1", tick(&PrintScreen::Check1)},
              {"Check2", "1", "0", tick(&PrintScreen::Check2)},
              {"Check4", "0", "1", tick(&PrintScreen::Check4)},
              {"Check6", "1", "0", tick(&PrintScreen::Check6)},
              {"Check3", "0", "1", tick(&PrintScreen::Check3)}}}};
        for (const auto& [dialog, button, fields] : dialogs) {
            Window w;
            prepare(w);
            auto restart = [&w] {
                expectRestart(w.desktop).expectMsgBox(
                    "Spara gruppfördelningen och öppna den igen för inläsning av /tmp/nya.txt."_cp,
                    Buttons::Ok, Desktop::Icon::Information, "Redigera startvärden"_cp, Answer::Ok);
            };
            open(
                w, dialog,
                [&](QDialog* d) {
                    for (const Field& field : fields)
                        QCOMPARE(valueOf(d->findChild<QWidget*>(field.widget)),
                                 QString::fromUtf8(field.shown));
                    for (const Field& field : fields)
                        enter(d->findChild<QWidget*>(field.widget), field.typed);
                    d->findChild<QPushButton*>(button)->click();
                },
                dialog.kind == Dialog::StartData ? restart : std::function<void()>());
            for (const Field& field : fields)
                QVERIFY2(field.stored(w.app) == field.typed, field.widget);
        }
    }

    // The group editor's period only where the work has more than one period.
    void thePeriodOfAGroupIsAskedForWithSeveralPeriods() {
        for (const int periods : {1, 2}) {
            Window w;
            w.app.run.currentGroup = 1;
            w.app.work.start.periodCount = periods;
            open(w, kEditor, [&](QDialog* d) {
                QCOMPARE(d->findChild<QLineEdit*>("Text5")->isEnabled(), periods > 1);
                QCOMPARE(d->findChild<QLabel*>("periodCaption")->isEnabled(), periods > 1);
            });
        }
    }

    // "JAZZ", the school "Ekskolan" and the print dialog's period "1" are typed first; each
    // button then does its own thing: stores what was typed or not, asks its question or none,
    // closes the dialog or not, prints or not. "Töm" empties the period too.
    void eachDialogButtonDoesItsOwnThing() {
        enum Ask { Nothing, Help, Restart, File, Folder };
        const std::tuple<Opened, const char*, Ask, const char*, bool, const char*> rows[] = {
            {kEditor, "Command1", Nothing, "", false, "JAZZ"},
            {kEditor, "Command2", Nothing, "", false, "DANS"},
            {kEditor, "Command3", Help, "2.2 Dialogrutan", true, "DANS"},
            {kStartData, "Command1", Restart, "", false, "Ekskolan"},
            {kStartData, "Command2", Nothing, "", false, "Björkhagaskolan"},
            {kStartData, "Command3", Help, "2.1 Dialogrutan", true, "Björkhagaskolan"},
            {kStartData, "Command4", File, "", true, "Björkhagaskolan"},
            {kPrint, "Command1", Nothing, "", false, "1"},
            {kPrint, "Command2", Nothing, "", false, "1"},
            {kPrint, "Command3", Help, "6. Utskrifter", true, "1"},
            {kPrint, "Command4", Nothing, "", true, ""},
            {kPrint, "Command5", Folder, "", true, "1"}};
        for (const auto& [dialog, button, ask, heading, staysOpen, kept] : rows) {
            Window w;
            prepare(w);
            w.app.form4 = {};
            w.app.form4.Text1.text = "dans";
            w.form->activated();
            auto asks = [&] {
                if (ask == Help)
                    w.desktop.expectMsgBox(
                        "Fel i hjälptext: rubriken \""_cp + heading + "\" finns inte i manualen.",
                        Buttons::Ok, Desktop::Icon::Exclamation, "Fel i hjälptext"_cp, Answer::Ok);
                if (ask == Restart) expectRestart(w.desktop);
                if (ask == File) w.desktop.expectOpenFile(std::nullopt);
                if (ask == Folder) w.desktop.expectFolderDialog(std::nullopt);
            };
            bool open_ = false;
            auto user = [&](QDialog* d) {
                const bool print = dialog.kind == Dialog::PrintDialog;
                enter(d->findChild<QWidget*>(print ? "Text4" : "Text1"),
                      print                              ? "1"
                      : dialog.kind == Dialog::StartData ? "Ekskolan"
                                                         : "JAZZ");
                d->findChild<QPushButton*>(button)->click();
                open_ = d->isVisible();
                if (print)
                    QCOMPARE(d->findChild<QLineEdit*>("Text4")->text(), QString::fromUtf8(kept));
            };
            open(w, dialog, user, asks);
            QCOMPARE(open_, staysOpen);
            const auto& printed = w.desktop.recordingPrinter.operations;
            QCOMPARE(std::count(printed.begin(), printed.end(), "endDoc") == 1,
                     dialog.kind == Dialog::PrintDialog && QString(button) == "Command1");
            if (dialog.kind == Dialog::GroupEditor)
                QCOMPARE(w.app.work.groupTable[1].name, std::string(kept));
            if (dialog.kind == Dialog::StartData)
                QCOMPARE(w.app.work.start.school, ui::fromQt(QString::fromUtf8(kept)));
        }
    }

    // ELEV 4 of class 7B, between ELEV 3 and 5 and between the classes 7A and 7C, is shown in
    // period 1 of 3: "<" and ">" of the class, of the pupil and of the period each step their own
    // way.
    void eachStepperButtonStepsItsOwnWay() {
        for (const auto& [button, stepped, to] :
             {std::tuple{"Command5", &RunState::currentClassIndex, 1},
              {"Command6", &RunState::currentClassIndex, 3},
              {"Command2", &RunState::currentStudent, 3},
              {"Command3", &RunState::currentStudent, 5},
              {"Command10", &RunState::currentPeriod, 3},
              {"Command9", &RunState::currentPeriod, 2}}) {
            Window w(6);
            Work& work = w.app.work;
            work.studentTable[6].className = "7C";
            work.classCount = 3;
            work.classList[1] = "7A", work.classList[2] = "7B", work.classList[3] = "7C";
            work.start.periodCount = 3;
            w.form->activated();
            w.app.run.currentClassIndex = 2;
            w.app.run.currentStudent = 4;
            w.app.run.currentPeriod = 1;
            ShowCurrentStudent(w.app);
            w.form->render();
            w.find<QPushButton>(button)->click();
            QVERIFY2(w.app.run.*stepped == to, button);
        }
    }
};

PELORA_UI_TEST(DialogsTest);

}  // namespace pelora::test

#include "dialogs_test.moc"
