#include "groups/board.h"

#include "core_fixture.h"

namespace pelora::test {
namespace {

class Board : public CoreTest {
protected:
    int addGroup(const std::string& name, const std::string& maxText = "",
                 const std::string& period = "1") {
        int g = ++app.work.groupCount;
        app.work.groupTable[g] = {name, "", maxText, "", period};
        return g;
    }
};

struct CaptionCase {
    std::string name;
    std::string maxText;
    int members;
    std::string caption;
};

TEST_F(Board, LabelCaptions) {
    const CaptionCase cases[] = {
        {"MATEMATIK-A", "20", 18, "MATEMA-A\r\n 18  (2)"},
        {"ENGELSKA FÖRDJUPNING"_cp, "", 0, "ENGELSKA\r\n 0"},
        {"ABCDEFGHIJ", "", 3, "ABCDEFGH\r\n 3"},
        {"ABCDEFGH", "", 3, "ABCDEFGH\r\n 3"},
        {"-X", "", 0, "-X\r\n 0"},
        {"FOTBOLL", "20", 23, "FOTBOLL\r\n 23  (-3)"},
        {"FOTBOLL", "20", 20, "FOTBOLL\r\n 20  (0)"},
        {"DANS", "25 st", 5, "DANS\r\n 5  (20)"},
        {"DANS", "ca 25", 5, "DANS\r\n 5"},
        {"DANS", "0", 5, "DANS\r\n 5"},
        {"A-B-C", "", 1, "A-B-C\r\n 1"},
    };
    for (const CaptionCase& c : cases) {
        app.work.groupCount = 0;
        int g = addGroup(c.name, c.maxText);
        app.work.groupMemberCount[g] = c.members;
        EXPECT_EQ(labelCaption(app.work, g), c.caption) << c.name;
    }
}

TEST_F(Board, RefreshShowsTheGroupsOfTheShownPeriod) {
    app.work.start.periodCount = 2;
    addGroup("DANS", "", "1");
    addGroup("FOTBOLL", "", "2");
    addGroup("SLÖJD"_cp, "", "2");
    app.screen.Label1[4].visible = true;  // a group deleted since
    app.work.currentPeriod = 2;
    RefreshBoard(app);
    EXPECT_FALSE(app.screen.Label1[1].visible);
    EXPECT_TRUE(app.screen.Label1[2].visible);
    EXPECT_TRUE(app.screen.Label1[3].visible);
    EXPECT_FALSE(app.screen.Label1[4].visible);
    EXPECT_EQ(app.screen.Label1[2].caption, "FOTBOLL\r\n 0");

    app.work.start.showAllPeriods = 1;
    RefreshBoard(app);
    for (int g = 1; g <= 3; ++g)
        EXPECT_TRUE(app.screen.Label1[g].visible) << g;
}

TEST_F(Board, ColoursShowWhereThePupilIsPlacedAndWhatThePupilWished) {
    for (int g = 1; g <= 6; ++g)
        addGroup("GRUPP" + std::to_string(g));
    app.work.studentCount = 1;
    app.work.studentTable[1].wishes = "GRUPP2\r\nGRUPP5";
    app.work.placement[1][1] = 2;
    app.work.currentStudent = 1;
    ColourBoard(app);
    const Colour expected[] = {White, White, Green, White, White, LightRed, White};
    for (int g = 1; g <= 6; ++g)
        EXPECT_EQ(app.screen.Label1[g].background, expected[g]) << g;

    app.work.currentStudent = 0;
    ColourBoard(app);
    for (int g = 1; g <= 6; ++g)
        EXPECT_EQ(app.screen.Label1[g].background, White) << g;
}

TEST_F(Board, ColoursUseEachGroupsOwnPeriod) {
    app.work.start.periodCount = 2;
    addGroup("DANS-1", "", "1");
    addGroup("DANS-2", "", "2");
    addGroup("SLÖJD"_cp, "", "x");  // no valid period: never green
    app.work.studentCount = 1;
    app.work.studentTable[1].wishes = "DANS";
    app.work.placement[2][1] = 2;
    app.work.currentStudent = 1;
    app.work.currentPeriod = 1;  // the shown period plays no part
    ColourBoard(app);
    EXPECT_EQ(app.screen.Label1[1].background, LightRed);
    EXPECT_EQ(app.screen.Label1[2].background, Green);
    EXPECT_EQ(app.screen.Label1[3].background, White);
}

TEST_F(Board, MemberListHeadLineAndMembersInPupilOrder) {
    app.work.start.periodCount = 2;
    addGroup("DANS", "", "1");
    int g = addGroup("ENGELSKA FÖRDJUPNING"_cp, "", "2");
    Work& w = app.work;
    w.studentCount = 3;
    w.studentTable[1] = {"Bo Ek", "", "7B", ""};
    w.studentTable[2] = {"Al Ny", "", "7A", ""};
    w.studentTable[3] = {"Cy Ur", "", "7A", ""};
    w.placement[2][3] = static_cast<std::int16_t>(g);
    w.placement[2][1] = static_cast<std::int16_t>(g);
    w.placement[1][2] = static_cast<std::int16_t>(g);  // another period: not a member
    w.groupMemberCount[g] = 2;
    ShowMemberList(app, g);
    const ListBox& list = app.screen.List1;
    ASSERT_EQ(list.lines.size(), 4u);
    EXPECT_EQ(list.lines[0].text, "ENGELSKA FÖRDJ  Antal:  2"_cp);
    EXPECT_EQ(list.lines[1].text, "");
    EXPECT_EQ(list.lines[2].text, "7B Bo Ek");
    EXPECT_EQ(list.lines[3].text, "7A Cy Ur");
    const int data[] = {0, 0, 1, 3};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(list.lines[k].itemData, data[k]) << k;
}

TEST_F(Board, PressingALabelSelectsItsGroupAndTakesHoldOfIt) {
    addGroup("DANS");
    int g = addGroup("FOTBOLL");
    app.screen.Label1[1].stackOrder = 50;
    app.screen.topStackOrder = 50;

    EXPECT_EQ(Label1_MouseDown(app, g, MouseButton::Left, 52.5, 37.5), LabelPress::StartDrag);
    EXPECT_EQ(app.work.currentGroup, g);
    EXPECT_EQ(app.screen.List1.lines.at(0).text, "FOTBOLL  Antal:  0");
    EXPECT_EQ(app.screen.dragOffsetX, 52);  // a half goes to the even neighbour
    EXPECT_EQ(app.screen.dragOffsetY, 38);
    EXPECT_GT(app.screen.Label1[g].stackOrder, app.screen.Label1[1].stackOrder);
    EXPECT_TRUE(app.work.dirty);  // pressing alone marks the work as changed
}

TEST_F(Board, RightButtonSelectsTheGroupAndOpensThePopupWithoutADrag) {
    int g = addGroup("DANS");
    app.screen.dragOffsetX = 7;
    EXPECT_EQ(Label1_MouseDown(app, g, MouseButton::Right, 100, 100), LabelPress::OpenPopup);
    EXPECT_EQ(app.work.currentGroup, g);
    EXPECT_EQ(app.screen.List1.lines.size(), 2u);
    EXPECT_EQ(app.screen.dragOffsetX, 7);
    EXPECT_FALSE(app.work.dirty);
}

TEST_F(Board, WithWishModeTickedPressingNeitherSelectsNorDrags) {
    addGroup("DANS");
    int g = addGroup("ENGELSKA-2");
    app.screen.Check1.value = 1;
    app.work.currentGroup = 1;
    app.screen.List1.addItem("DANS  Antal:  0");
    app.work.studentCount = 1;
    app.work.currentStudent = 1;
    app.screen.Text2.text = "FOTBOLL";
    EXPECT_EQ(Label1_MouseDown(app, g, MouseButton::Left, 10, 10), LabelPress::Nothing);
    EXPECT_EQ(app.work.studentTable[1].wishes, "FOTBOLL\r\nENGELSKA");
    EXPECT_EQ(app.work.currentGroup, 1);
    EXPECT_EQ(app.screen.List1.lines.size(), 1u);
    EXPECT_EQ(app.screen.dragOffsetX, 0);
}

struct DropCase {
    const char* where;
    int target;  // 0 = the free surface
    double x, y;
    double left, top;
};

TEST_F(Board, DropArithmetic) {
    addGroup("DANS");
    int g = addGroup("FOTBOLL");
    addGroup("SLÖJD"_cp);
    app.work.groupTable[1].boardLeft = 1000.5;
    app.work.groupTable[1].boardTop = 2000;
    const DropCase cases[] = {
        {"free surface", 0, 3000, 1500, 3000 - 45, 1500 - 30},
        {"another label", 1, 100, 50, 1000.5 + 100 - 45, 2000 + 50 - 30},
        {"the label itself, where it was taken", 2, 45, 30, 240.25, 360},
    };
    for (const DropCase& c : cases) {
        app.work.groupTable[g].boardLeft = 240.25;
        app.work.groupTable[g].boardTop = 360;
        app.screen.dragOffsetX = 45;
        app.screen.dragOffsetY = 30;
        if (c.target == 0) {
            Picture1_DragDrop(app, g, c.x, c.y);
        } else {
            Label1_DragDrop(app, c.target, g, c.x, c.y);
        }
        EXPECT_DOUBLE_EQ(app.work.groupTable[g].boardLeft, c.left) << c.where;
        EXPECT_DOUBLE_EQ(app.work.groupTable[g].boardTop, c.top) << c.where;
    }
    EXPECT_EQ(app.work.groupTable[3].boardLeft, 0);  // the others stay
}

TEST_F(Board, DropRecolours) {
    int g = addGroup("DANS");
    app.work.studentCount = 1;
    app.work.studentTable[1].wishes = "DANS";
    app.work.currentStudent = 1;
    Picture1_DragDrop(app, g, 10, 10);
    EXPECT_EQ(app.screen.Label1[g].background, LightRed);
}

struct HoverCase {
    int periodCount;
    Group group;
    std::string text;
};

TEST_F(Board, GroupDataPanel) {
    const HoverCase cases[] = {
        {1, {"DANS", "Eva", "25", "Sal 3", "1"}, "DANS\r\nEva     Max: 25\r\nSal 3"},
        {1, {"DANS", "", "", "", "1"}, "DANS\r\n\r\n"},
        {1, {"DANS", "Eva", "", "", "1"}, "DANS\r\nEva     \r\n"},
        {1, {"DANS", "", "25", "", "1"}, "DANS\r\nMax: 25\r\n"},
        {2, {"DANS", "", "", "Gympasal", "2"}, "DANS      Period 2\r\n\r\nGympasal"},
    };
    for (const HoverCase& c : cases) {
        app.work.start.periodCount = c.periodCount;
        app.work.groupCount = 1;
        app.work.groupTable[1] = c.group;
        EXPECT_EQ(groupDataText(app.work, 1), c.text);
    }
}

TEST_F(Board, HoverFillsThePanelAndTheFreeSurfaceEmptiesIt) {
    int g = addGroup("DANS");
    Label1_MouseMove(app, g);
    EXPECT_EQ(app.screen.groupData.caption, "DANS\r\n\r\n");
    Picture1_MouseMove(app);
    EXPECT_EQ(app.screen.groupData.caption, "");

    app.screen.groupData.caption = "kvar";
    app.screen.Check1.value = 1;
    Label1_MouseMove(app, g);
    EXPECT_EQ(app.screen.groupData.caption, "kvar");
}

TEST_F(Board, PeriodStepperWrapsAround) {
    app.work.start.periodCount = 3;
    addGroup("DANS", "", "1");
    addGroup("FOTBOLL", "", "3");
    const struct {
        void (*click)(App&);
        int from, to;
    } cases[] = {
        {Command9_Click, 1, 2},  {Command9_Click, 3, 1}, {Command10_Click, 2, 1},
        {Command10_Click, 1, 3}, {Command9_Click, 5, 1},
    };
    for (const auto& c : cases) {
        app.work.currentPeriod = c.from;
        c.click(app);
        EXPECT_EQ(app.work.currentPeriod, c.to) << c.from;
        EXPECT_EQ(app.screen.periodDisplay.caption, std::to_string(c.to));
        EXPECT_EQ(app.screen.Label1[1].visible, c.to == 1);
        EXPECT_EQ(app.screen.Label1[2].visible, c.to == 3);
    }
    // The status text follows the shown period.
    app.work.studentCount = 1;
    app.work.placement[3][1] = 2;
    app.work.currentPeriod = 2;
    Command9_Click(app);
    EXPECT_NE(app.screen.status.caption.find(" 0 elev(er) ej placerad(e) vald period"),
              std::string::npos);
}

}  // namespace
}  // namespace pelora::test
