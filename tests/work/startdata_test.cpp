#include "work/startdata.h"

#include "core_fixture.h"

namespace pelora::test {
namespace {

const std::string kEdit = "Redigera startdata";

class StartDataDialog : public CoreTest {
protected:
    void SetUp() override {
        app.work.start = {"Val", "Skolan", "HT", "7A  7B", "elever.txt", 2, 1, 0};
    }

    // Shows the dialog under the caption, fills it from the start data and lets the user act.
    void show(const std::string& caption) {
        app.form3.caption = caption;
        app.form3.visible = true;
        form3::Form_Activate(app);
    }
};

TEST_F(StartDataDialog, ActivateFillsTheFieldsFromTheStartData) {
    app.work.start.ignoreWishes = 1;
    app.form3.Check1.value = 1;
    show("Nytt");
    const StartDataScreen& d = app.form3;
    EXPECT_EQ(d.Text1.text, "Skolan");
    EXPECT_EQ(d.Text5.text, "Val");
    EXPECT_EQ(d.Text2.text, "HT");
    EXPECT_EQ(d.Text3.text, "elever.txt");
    EXPECT_EQ(d.Text4.text, "7A  7B");
    EXPECT_EQ(d.Text6.text, "2");
    EXPECT_EQ(d.Check2.value, 1);
    EXPECT_TRUE(d.Check2.enabled);
    EXPECT_EQ(d.Check3.value, 1);
    EXPECT_EQ(d.Check1.value, 1);  // the user's tick lives on
    EXPECT_EQ(app.screen.focusRequest, Focus::StartDataSchool);

    app.work.start.ignoreWishes = 0;
    show("Nytt");
    EXPECT_EQ(d.Check3.value, 0);
}

TEST_F(StartDataDialog, KeepGroupsIsOnlyOfferedForNewWithGroups) {
    struct Case {
        std::string caption;
        int groupCount;
        bool enabled;
    };
    const Case cases[] = {
        {"Nytt", 0, false}, {"Nytt", 2, true}, {kEdit, 0, false}, {kEdit, 2, false}};
    for (const Case& c : cases) {
        app.work.groupCount = c.groupCount;
        show(c.caption);
        EXPECT_EQ(app.form3.Check1.enabled, c.enabled) << c.caption << " " << c.groupCount;
    }
}

TEST_F(StartDataDialog, ShowAllPeriodsFollowsTheNumberOfPeriods) {
    struct Case {
        std::string periods;
        int stored;  // showAllPeriods in the start data
        int ticked;  // the box before the change
        int value;   // after
        bool enabled;
    };
    const Case cases[] = {
        {"1", 1, 1, 0, false}, {"", 1, 1, 0, false}, {"1.9", 1, 1, 0, false}, {"2", 1, 0, 1, true},
        {"2", 0, 0, 0, true},  {"2", 0, 1, 1, true}, {" 3 ", 1, 0, 1, true},  {"x", 1, 1, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("periods \"" + c.periods + "\"");
        app.work.start.showAllPeriods = c.stored;
        app.form3.Check2 = {c.ticked, true};
        app.form3.Text6.text = c.periods;
        form3::Text6_Change(app);
        EXPECT_EQ(app.form3.Check2.value, c.value);
        EXPECT_EQ(app.form3.Check2.enabled, c.enabled);
    }
}

struct OkCase {
    std::string periods;
    int groupPeriod;      // one group in this period; 0 for none
    std::string refusal;  // empty when OK closes the dialog
    int periodCount;
};

TEST_F(StartDataDialog, OkChecksThePeriodsInOrder) {
    const std::string groupGone =
        "Det finns grupp(er) som lagts i period som nu tas bort. Ta först bort gruppen eller "
        "ändra dess period."_cp;
    const std::string tooMany = "Programmet hanterar högst 10 perioder."_cp;
    const OkCase cases[] = {
        {"", 0, "Ange period!", 2},
        {"0", 0, "Ange period!", 2},
        {"0.9", 0, "Ange period!", 2},
        {"-3", 0, "Ange period!", 2},
        {"tre", 3, "Ange period!", 2},
        {"2", 3, groupGone, 2},
        {"11", 12, groupGone, 2},  // the group check comes before the limit
        {"11", 0, tooMany, 2},
        {"10.2", 0, tooMany, 2},
        {"2.6", 3, groupGone, 2},  // groups are compared with the number as typed
        {"2.5", 0, "", 2},
        {"1.5", 1, "", 2},
        {"3.5", 0, "", 4},
        {"10", 10, "", 10},
        {" 1 ", 1, "", 1},
    };
    for (const OkCase& c : cases) {
        SCOPED_TRACE("periods \"" + c.periods + "\"");
        app.work.start.periodCount = 2;
        app.work.groupCount = c.groupPeriod > 0 ? 1 : 0;
        app.work.groupTable[1].periodText = std::to_string(c.groupPeriod);
        app.work.dirty = false;
        show("Nytt");
        app.form3.Text6.text = c.periods;
        if (!c.refusal.empty()) {
            desktop.expectMsgBox(c.refusal, Buttons::Ok, Icon::Exclamation, "Nytt", Answer::Ok);
        }
        form3::Command1_Click(app);
        desktop.verify();
        EXPECT_EQ(app.form3.visible, !c.refusal.empty());
        EXPECT_EQ(app.work.start.periodCount, c.periodCount);
        EXPECT_EQ(app.work.dirty, c.refusal.empty());
    }
}

TEST_F(StartDataDialog, OkStoresTheFieldsFirstWithCommasAsBlanks) {
    show("Nytt");
    StartDataScreen& d = app.form3;
    d.Text1.text = "  Skola, Norr  ";
    d.Text5.text = " Val,  hösten"_cp;
    d.Text2.text = ",HT,";
    d.Text3.text = "/skola/elever,2025.txt";
    d.Text4.text = "7A, 7B";
    d.Text6.text = "0";
    d.Check2.value = 2;  // greyed counts as not ticked
    d.Check3.value = 1;
    desktop.expectMsgBox("Ange period!", Buttons::Ok, Icon::Exclamation, "Nytt", Answer::Ok);
    form3::Command1_Click(app);

    // Stored although the check failed.
    const StartData& s = app.work.start;
    EXPECT_EQ(s.school, "Skola, Norr");
    EXPECT_EQ(s.activity, "Val   hösten"_cp);
    EXPECT_EQ(s.periodLabel, "HT");
    EXPECT_EQ(s.studentListPath, "/skola/elever 2025.txt");
    EXPECT_EQ(s.classFilter, "7A  7B");
    EXPECT_EQ(s.showAllPeriods, 0);
    EXPECT_EQ(s.ignoreWishes, 1);
    EXPECT_TRUE(d.visible);

    // "Avbryt" afterwards undoes nothing.
    form3::Command2_Click(app);
    EXPECT_TRUE(app.work.startDataCancelled);
    EXPECT_FALSE(d.visible);
    EXPECT_EQ(s.classFilter, "7A  7B");
}

TEST_F(StartDataDialog, OkBringsTheBoardBackToPeriodOneWhenItsPeriodIsGone) {
    struct Case {
        std::string display;
        int current, periods, expectedCurrent;
        std::string expectedDisplay;
    };
    const Case cases[] = {
        {"4", 4, 3, 1, "1"},
        {"3", 3, 3, 3, "3"},
        {"", 4, 3, 1, "1"},  // all periods shown: no display, but the period is still gone
        {"", 1, 1, 1, ""},
    };
    for (const Case& c : cases) {
        app.screen.periodDisplay.caption = c.display;
        app.work.currentPeriod = c.current;
        show("Nytt");
        app.form3.Text6.text = std::to_string(c.periods);
        form3::Command1_Click(app);
        EXPECT_EQ(app.work.currentPeriod, c.expectedCurrent);
        EXPECT_EQ(app.screen.periodDisplay.caption, c.expectedDisplay);
    }
}

TEST_F(StartDataDialog, BrowsePutsTheChosenPathOrNothingInTheRosterField) {
    show("Nytt");
    desktop.expectOpenFile("/skola/elever.txt", FileDialogRequest{"", "", ""});
    form3::Command4_Click(app);
    EXPECT_EQ(app.form3.Text3.text, "/skola/elever.txt");
    desktop.expectOpenFile(std::nullopt, FileDialogRequest{"", "", ""});
    form3::Command4_Click(app);
    EXPECT_EQ(app.form3.Text3.text, "");
    EXPECT_EQ(app.screen.fileDialogName, "");  // the main window's file name is its own
}

class EditStartData : public CoreTest {
protected:
    void SetUp() override { app.work.start = {"Val", "Skolan", "HT", "7A", "elever.txt", 1, 0, 0}; }
    const std::string restart = "Spara och starta om programmet för att ta ändringarna i bruk."_cp;
};

TEST_F(EditStartData, OkTellsToRestartAndAboutANewRoster) {
    desktop
        .expectDialog(Dialog::StartData,
                      [&] {
                          EXPECT_EQ(app.form3.caption, kEdit);
                          EXPECT_EQ(app.form3.Text3.text, "elever.txt");
                          app.form3.Text3.text = "nya elever.txt";
                          form3::Command1_Click(app);
                      })
        .expectMsgBox(restart, Buttons::Ok, Icon::Information, kEdit, Answer::Ok)
        .expectMsgBox(
            "Spara gruppfördelningen och öppna den igen för inläsning av nya elever.txt."_cp,
            Buttons::Ok, Icon::Information, "Redigera startvärden"_cp, Answer::Ok);
    app.screen.Combo3.text = "Ej gjort val";
    red_startdata(app);
    desktop.verify();
    EXPECT_TRUE(app.work.dirty);
    EXPECT_EQ(app.work.start.studentListPath, "nya elever.txt");
    EXPECT_EQ(app.work.studentCount, 0);  // the roster is read at the next open only
    EXPECT_EQ(app.screen.Combo3.text, "Ej gjort val");

    desktop
        .expectDialog(Dialog::StartData,
                      [&] {
                          app.form3.Text1.text = "Annan skola";
                          form3::Command1_Click(app);
                      })
        .expectMsgBox(restart, Buttons::Ok, Icon::Information, kEdit, Answer::Ok);
    red_startdata(app);
    EXPECT_EQ(app.work.start.school, "Annan skola");
}

TEST_F(EditStartData, AvbrytAndTheCloseBoxChangeNothing) {
    desktop.expectDialog(Dialog::StartData, [&] {
        app.form3.Text3.text = "annan.txt";
        form3::Command2_Click(app);
    });
    red_startdata(app);
    EXPECT_FALSE(app.work.startDataCancelled);
    EXPECT_EQ(app.work.start.studentListPath, "elever.txt");
    EXPECT_FALSE(app.work.dirty);
}

}  // namespace
}  // namespace pelora::test
