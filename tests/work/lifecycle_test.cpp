#include "work/lifecycle.h"

#include "core_fixture.h"

namespace pelora::test {
namespace {

class Lifecycle : public CoreTest {};

TEST_F(Lifecycle, ClearWorkResetsCountsAndBoxesButKeepsRowsAndSettings) {
    Work& w = app.work;
    w.groupCount = 3;
    w.groupTable[2] = {"DANS", "LÄRARE"_cp, "25", "sal 3", "2", 120, 480};
    w.studentCount = 2;
    w.studentTable[1] = {"Anna Berg", "ABCD", "7A", "DANS"};
    w.classCount = 1;
    w.classList[1] = "7A";
    w.currentClassIndex = 1;
    w.currentStudent = 2;
    w.currentGroup = 2;
    w.previousStudent = 1;
    w.groupMemberCount[2] = 5;
    w.groupMemberCount[0] = 9;
    w.placement[2][1] = 2;
    w.undoWishes = "X";
    w.dirty = true;
    w.start = {"Val", "Skolan", "HT", "7A", "elever.txt", 3, 1, 1};
    w.currentPeriod = 2;
    app.screen.Combo1.addItem("7A");
    app.screen.Combo1.text = "7A";
    app.screen.Combo2.addItem("Anna Berg", 1);
    app.screen.List1.addItem("DANS");
    app.screen.List2.addItem("   7A Anna Berg", 1);
    app.screen.Command4.enabled = true;
    app.screen.Text2.text = "DANS";

    ClearWork(app);

    EXPECT_EQ(w.groupCount, 0);
    EXPECT_EQ(w.studentCount, 0);
    EXPECT_EQ(w.classCount, 0);
    EXPECT_EQ(w.currentClassIndex, 0);
    EXPECT_EQ(w.currentStudent, 0);
    EXPECT_EQ(w.currentGroup, 0);
    EXPECT_EQ(w.previousStudent, 0);
    EXPECT_EQ(w.groupMemberCount[2], 0);
    EXPECT_EQ(w.groupMemberCount[0], 9);  // entry 0 is not part of the reset
    EXPECT_TRUE(app.screen.Combo1.items.empty());
    EXPECT_TRUE(app.screen.Combo1.text.empty());
    EXPECT_TRUE(app.screen.Combo2.items.empty());
    EXPECT_TRUE(app.screen.List1.lines.empty());
    EXPECT_TRUE(app.screen.List2.lines.empty());
    EXPECT_FALSE(app.screen.Command4.enabled);
    EXPECT_TRUE(app.screen.Text2.text.empty());
    EXPECT_TRUE(w.undoWishes.empty());
    EXPECT_FALSE(w.dirty);
    EXPECT_EQ(w.start.periodCount, 1);

    // Left alone: the rows, the placements, the start data texts and switches, the period.
    EXPECT_EQ(w.groupTable[2].name, "DANS");
    EXPECT_EQ(w.groupTable[2].boardTop, 480);
    EXPECT_EQ(w.studentTable[1].wishes, "DANS");
    EXPECT_EQ(w.placement[2][1], 2);
    EXPECT_EQ(w.start.activity, "Val");
    EXPECT_EQ(w.start.studentListPath, "elever.txt");
    EXPECT_EQ(w.start.showAllPeriods, 1);
    EXPECT_EQ(w.start.ignoreWishes, 1);
    EXPECT_EQ(w.currentPeriod, 2);

    // Putting the group count back restores the groups.
    w.groupCount = 3;
    EXPECT_EQ(w.groupTable[2].staff, "LÄRARE"_cp);
    EXPECT_EQ(w.groupTable[2].periodText, "2");
}

TEST_F(Lifecycle, FormLoadHidesEveryLabelAndStartsWithOnePeriod) {
    app.work.currentPeriod = 4;
    app.work.start.periodCount = 4;
    app.screen.Label1[7].visible = true;
    Form_Load(app, 1000, 1100, "");
    EXPECT_TRUE(app.screen.startMaximized);  // 1000 * 1.1 does not fit in 1100
    for (const GroupLabel& label : app.screen.Label1) EXPECT_FALSE(label.visible);
    EXPECT_EQ(app.work.currentPeriod, 1);
    EXPECT_EQ(app.work.start.periodCount, 1);

    Form_Load(app, 1000, 1101, "");
    EXPECT_FALSE(app.screen.startMaximized);
}

struct ActivateCase {
    int periodCount;
    int showAllPeriods;
    std::vector<std::string> criteria;
    bool stepperEnabled;
};

TEST_F(Lifecycle, FormActivateFillsTheCriteriaAndTheStepperByPeriods) {
    const std::vector<ActivateCase> cases = {
        {1, 0,
         {"Alla", "Ej gjort val", "Ej placerade", "Önskat aktuell grupp"_cp,
          "Aktuell grupp som 1:a-val", "Aktuell grupp som >1:a-val", "Ej fått 1:a-val"_cp,
          "Enligt sökbegrepp"_cp},
         false},
        {2, 0,
         {"Alla", "Ej gjort val", "Ej placerade vald period", "Önskat aktuell grupp"_cp,
          "Enligt sökbegrepp"_cp},
         true},
        {3, 1, {"Alla", "Ej gjort val", "Önskat aktuell grupp"_cp, "Enligt sökbegrepp"_cp}, false},
        {1, 1,
         {"Alla", "Ej gjort val", "Ej placerade", "Önskat aktuell grupp"_cp,
          "Aktuell grupp som 1:a-val", "Aktuell grupp som >1:a-val", "Ej fått 1:a-val"_cp,
          "Enligt sökbegrepp"_cp},
         false},
    };
    for (const ActivateCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.periodCount << " periods, all " << c.showAllPeriods);
        app.work.start.periodCount = c.periodCount;
        app.work.start.showAllPeriods = c.showAllPeriods;
        app.work.currentPeriod = 2;
        app.screen.periodDisplay.caption.clear();
        app.screen.Combo3.text = "Ej gjort val";
        Form_Activate(app);
        EXPECT_EQ(app.screen.Combo3.items, c.criteria);
        EXPECT_EQ(app.screen.Combo3.text, "Alla");
        EXPECT_EQ(app.screen.Command9.enabled, c.stepperEnabled);
        EXPECT_EQ(app.screen.Command10.enabled, c.stepperEnabled);
        EXPECT_EQ(app.screen.periodDisplay.enabled, c.stepperEnabled);
        EXPECT_EQ(app.screen.periodCaption.enabled, c.stepperEnabled);
        EXPECT_EQ(app.screen.periodDisplay.caption, c.stepperEnabled ? "2" : "");
        const bool printPeriods = c.periodCount > 1;
        EXPECT_EQ(app.form4.periodLabel.enabled, printPeriods);
        EXPECT_EQ(app.form4.Text4.enabled, printPeriods);
        EXPECT_EQ(app.form4.Check5.enabled, printPeriods);
    }
}

TEST_F(Lifecycle, FormActivateKeepsAPeriodAlreadyShown) {
    app.work.start.periodCount = 3;
    app.work.currentPeriod = 1;
    app.screen.periodDisplay.caption = "3";
    Form_Activate(app);
    EXPECT_EQ(app.screen.periodDisplay.caption, "3");
}

TEST_F(Lifecycle, ExitWithoutChangesAsksNothing) {
    EXPECT_TRUE(Arkivavsluta(app));
    bool cancel = true;
    Form_QueryUnload(app, cancel);
    EXPECT_FALSE(cancel);
}

TEST_F(Lifecycle, ExitWithChangesAsksAndCancelKeepsTheProgramRunning) {
    app.work.dirty = true;
    const std::string question = "Vill du spara ändringarna?"_cp;
    desktop.expectMsgBox(question, Buttons::YesNoCancel, Icon::Question, "Avsluta", Answer::Cancel)
        .expectMsgBox(question, Buttons::YesNoCancel, Icon::Question, "Avsluta", Answer::No)
        .expectMsgBox(question, Buttons::YesNoCancel, Icon::Question, "Avsluta", Answer::Cancel);
    EXPECT_FALSE(Arkivavsluta(app));
    EXPECT_TRUE(Arkivavsluta(app));
    bool cancel = false;
    Form_QueryUnload(app, cancel);
    EXPECT_TRUE(cancel);
    EXPECT_TRUE(app.work.dirty);
}

}  // namespace
}  // namespace pelora::test
