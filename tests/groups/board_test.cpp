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
    for (int g = 1; g <= 3; ++g) EXPECT_TRUE(app.screen.Label1[g].visible) << g;
}

TEST_F(Board, ColoursShowWhereThePupilIsPlacedAndWhatThePupilWished) {
    for (int g = 1; g <= 6; ++g) addGroup("GRUPP" + std::to_string(g));
    app.work.studentCount = 1;
    app.work.studentTable[1].wishes = "GRUPP2\r\nGRUPP5";
    app.work.placement[1][1] = 2;
    app.work.currentStudent = 1;
    ColourBoard(app);
    const Colour expected[] = {White, White, Green, White, White, LightRed, White};
    for (int g = 1; g <= 6; ++g) EXPECT_EQ(app.screen.Label1[g].background, expected[g]) << g;

    app.work.currentStudent = 0;
    ColourBoard(app);
    for (int g = 1; g <= 6; ++g) EXPECT_EQ(app.screen.Label1[g].background, White) << g;
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
    for (int k = 0; k < 4; ++k) EXPECT_EQ(list.lines[k].itemData, data[k]) << k;
}

}  // namespace
}  // namespace pelora::test
