// The group board and the status box.
#include "commands/board.h"

#include <cmath>

#include "base/text.h"
#include "commands/wishes.h"
#include "core_fixture.h"
#include "display/board.h"
#include "display/status.h"

namespace pelora::test {
namespace {

// Six groups GRUPP1 to GRUPP6, all in period 1.
class Groups : public CoreTest {
protected:
    void SetUp() override {
        for (int g = 1; g <= 6; ++g)
            app.work.groupTable[g] = {"GRUPP" + std::to_string(g), "", "", "", "1"};
        app.work.groupCount = 6;
    }
};

TEST_F(Groups, LabelCaptions) {
    const std::tuple<std::string, std::string, int, std::string> cases[] = {
        {"MATEMATIK-A", "20", 18, "MATEMA-A\r\n 18  (2)"},
        {"ENGELSKA FÖRDJUPNING"_cp, "", 0, "ENGELSKA\r\n 0"},
        {"ABCDEFGHIJ", "0", 3, "ABCDEFGH\r\n 3"},
        {"-X", "", 0, "-X\r\n 0"},
        {"FOTBOLL", "20", 23, "FOTBOLL\r\n 23  (-3)"},
        // Free places in plain digits: 11.1, not 11.0999999999.
        {"KOR", "20.1", 9, "KOR\r\n 9  (11.1)"}};
    for (const auto& [name, maxText, members, caption] : cases) {
        app.work.groupTable[1] = {name, "", maxText, "", "1"};
        app.work.groupMemberCount[1] = members;
        EXPECT_EQ(labelCaption(app.work, 1), caption) << name;
    }
}

// The colours as the window paints them, written out: green (0, 255, 0) where the pupil is placed,
// light red (255, 128, 128) where the pupil wished, white elsewhere, up to the last group.
TEST_F(Groups, ColoursShowWhereThePupilIsPlacedAndWhatThePupilWished) {
    app.work.groupTable[2].periodText = "2";  // while period 1 is shown
    app.work.placement[2][1] = 2;
    app.work.studentTable[1].wishes = "GRUPP2\r\nGRUPP5\r\nGRUPP6";
    for (GroupLabel& label : app.screen.Label1)
        label.background = {1, 2, 3};
    const Colour white{255, 255, 255}, green{0, 255, 0}, lightRed{255, 128, 128};
    const Colour expected[] = {white, green, white, white, lightRed, lightRed};
    for (int pupil : {1, 0}) {  // with nobody shown every label is white
        app.run.currentStudent = pupil;
        ColourBoard(app);
        for (int g = 1; g <= 6; ++g)
            EXPECT_EQ(app.screen.Label1[g].background, pupil ? expected[g - 1] : white) << g;
    }
}

// Every count starts from zero, the last group's too, and counts the placements of all periods.
// Under the wish box: the first wish that names no group, with the group it most likely means.
TEST_F(Groups, TheWishBoxNamesTheFirstWishThatIsNoGroup) {
    app.work.groupTable[2].name = "FOTBOLL-A";
    app.work.groupTable[3].name = "DANS (sal 3)";
    const std::pair<std::string, std::string> cases[] = {
        {"FOTBOLL\r\nDANS (helst med Sara)\r\nGRUPP1", ""},
        {"DANS\r\nFOTBOL\r\nSIMNING", "FOTBOL finns inte som grupp – menade du FOTBOLL?"_cp},
        {"SIMNING\r\nFOTBOL", "SIMNING finns inte som grupp"},
        {"GRUPP", "GRUPP finns inte som grupp – menade du GRUPP1?"_cp},  // the first of six
        {"", ""},
    };
    for (const auto& [wishes, hint] : cases)
        EXPECT_EQ(wishHint(app.work, wishes), hint) << wishes;
    Work noGroups;
    EXPECT_EQ(wishHint(noGroups, "FOTBOL"), "");

    // Typed into the box of the pupil shown, and gone once the wish is mended.
    app.work.studentCount = 1;
    app.run.currentStudent = app.run.previousStudent = 1;
    for (const auto& [typed, hint] : {std::pair{"fotbol",
                                                "FOTBOL finns inte som grupp – menade du "
                                                "FOTBOLL?"_cp},
                                      {"fotboll", std::string()}}) {
        app.screen.Text2.text = typed;
        StoreWishText(app);
        EXPECT_EQ(app.screen.wishHint.caption, hint) << typed;
    }
}

// What the wish box offers: each base name once, in group order, none empty.
TEST_F(Groups, TheWishBoxOffersEachBaseNameOnce) {
    const std::string names[] = {"DANS-A", "FOTBOLL", "DANS-B", "-X", "KÖR (sal 2)"_cp, "FOTBOLL"};
    for (int g = 1; g <= 6; ++g)
        app.work.groupTable[g].name = names[g - 1];
    RefreshBoard(app);
    EXPECT_EQ(app.screen.groupNames, (std::vector<std::string>{"DANS", "FOTBOLL", "KÖR"_cp}));
}

TEST_F(Groups, RecountingStartsEveryGroupFromZero) {
    Work& w = app.work;
    w.groupCount = MaxGroups;
    w.groupMemberCount.fill(9);
    w.start.periodCount = 2;
    w.studentCount = 3;
    w.placement[1][1] = 100;
    w.placement[2][2] = 1;
    w.placement[2][3] = 100;
    RecountGroupMembers(w);
    for (int g = 1; g <= MaxGroups; ++g)
        EXPECT_EQ(w.groupMemberCount[g], g == 100 ? 2 : g == 1 ? 1 : 0) << g;
}

TEST_F(Groups, MemberListHoldsTheMembersInTheGroupsOwnPeriod) {
    Work& w = app.work;
    w.groupTable[2] = {"ENGELSKA FÖRDJUPNING"_cp, "", "", "", "2"};
    w.groupMemberCount[2] = 2;
    w.studentCount = 3;
    w.studentTable[1] = {"Bo Ek", "", "7B", ""};
    w.studentTable[3] = {"Cy Ur", "", "7A", ""};
    w.placement[2][3] = w.placement[2][1] = w.placement[1][2] = 2;
    ShowMemberList(app, 2);
    std::string lines;  // each line with the pupil number it carries
    for (const ListLine& line : app.screen.List1.lines)
        lines += line.text + " #" + std::to_string(line.itemData) + "\n";
    EXPECT_EQ(lines, "ENGELSKA FÖRDJ  Antal:  2 #0\n #0\n7B Bo Ek #1\n7A Cy Ur #3\n"_cp);

    // The head line and the empty line under it are no pupils.
    app.run.currentStudent = 2;
    for (int line : {0, 1, 4}) {
        PickFromMemberList(app, line);
        EXPECT_EQ(app.run.currentStudent, 2) << line;
    }
    PickFromMemberList(app, 3);
    EXPECT_EQ(app.run.currentStudent, 3);
}

TEST_F(Groups, PressingALabel) {
    // With "För in grupper i Önskemål" ticked a press only writes the group into the wishes.
    app.work.groupTable[2].name = "ENGELSKA-2";
    app.run.currentStudent = 1;
    app.work.studentTable[1].name = "Ada";
    app.screen.Check1.value = 1;
    EXPECT_EQ(Label1_MouseDown(app, 2, MouseButton::Left, 52.5, 37.5), LabelPress::Nothing);
    EXPECT_EQ(app.work.studentTable[1].wishes, "ENGELSKA");
    EXPECT_EQ(app.run.currentGroup, 0);
    EXPECT_EQ(app.history.undoName(), "Ändra önskemål för Ada"_cp);

    app.history.markClean();
    app.screen.Check1.value = 0;
    EXPECT_EQ(Label1_MouseDown(app, 2, MouseButton::Right, 52.5, 37.5), LabelPress::OpenPopup);
    EXPECT_EQ(app.run.currentGroup, 2);
    EXPECT_EQ(app.screen.List1.lines.at(0).text, "ENGELSKA-2  Antal:  0");

    EXPECT_EQ(Label1_MouseDown(app, 2, MouseButton::Left, 52.5, 37.5), LabelPress::StartDrag);
    // A half goes to the even neighbour; looking at a group is no change of the work.
    EXPECT_EQ(std::pair(app.screen.dragOffsetX, app.screen.dragOffsetY), std::pair(52, 38));
    EXPECT_GT(app.screen.Label1[2].stackOrder, app.screen.Label1[1].stackOrder);
    EXPECT_FALSE(app.history.dirty());
}

TEST_F(Groups, DroppingALabel) {
    app.work.groupTable[1].boardLeft = 1000.5;
    app.work.groupTable[1].boardTop = 2000;
    app.screen.dragOffsetX = 45;
    app.screen.dragOffsetY = 30;
    const Group& dropped = app.work.groupTable[2];
    Picture1_DragDrop(app, 2, 3000, 1500);  // on the free surface
    EXPECT_EQ(std::pair(dropped.boardLeft, dropped.boardTop), std::pair(2955.0, 1470.0));
    Label1_DragDrop(app, 1, 2, 100, 50);  // on another label
    EXPECT_EQ(std::pair(dropped.boardLeft, dropped.boardTop), std::pair(1055.5, 2020.0));
    EXPECT_TRUE(app.history.dirty());
    app.history.markClean();
    Label1_DragDrop(app, 2, 2, 45, 30);  // on itself, where it was taken: no move, no change
    EXPECT_EQ(std::pair(dropped.boardLeft, dropped.boardTop), std::pair(1055.5, 2020.0));
    EXPECT_FALSE(app.history.dirty());
}

// What a screen reader says of a label, for the pupil shown: Ada, placed in GRUPP1 and wishing
// GRUPP2.
TEST_F(Groups, EachLabelSaysWhatItsCaptionAndColourShow) {
    app.work.studentTable[1] = {"Ada", "1", "7A", "GRUPP2\r\nGRUPP1"};
    app.work.studentCount = 1;
    app.work.placement[1][1] = 1;
    const std::tuple<int, std::string, int, int, std::string> cases[] = {
        {1, "20", 19, 1, "DANS, 19 elever, 1 plats kvar, placerad här"_cp},
        {2, "", 1, 1, "DANS, 1 elev, önskad"_cp},
        {3, "5", 0, 1, "DANS, 0 elever, 5 platser kvar"},
        {3, "5", 5, 1, "DANS, 5 elever, full"},
        {3, "5", 7, 1, "DANS, 7 elever, 2 för många"_cp},
        {3, "20.5", 9, 1, "DANS, 9 elever, 11.5 platser kvar"},
        {1, "", 2, 0, "DANS, 2 elever"},  // nobody shown
    };
    for (const auto& [g, maxText, members, pupil, report] : cases) {
        Group& group = app.work.groupTable[g];
        group.maxText = maxText;
        group.name = g == 1 ? "DANS " : "DANS";  // the trailing blank is not read out
        app.work.studentTable[1].wishes = g == 2 ? "DANS" : "GRUPP2";
        app.work.groupMemberCount[g] = members;
        app.run.currentStudent = pupil;
        ColourBoard(app);
        EXPECT_EQ(app.screen.Label1[g].report, report) << cp1252ToUtf8(report);
        group.name = "GRUPP" + std::to_string(g);
    }
}

// Ordering the labels: the shown ones in a grid in group order, inside the board and apart; the
// hidden ones where they were.
TEST_F(Groups, OrderingTheLabelsPutsTheShownOnesInAGrid) {
    constexpr double boardWidth = 5430, boardHeight = 4545;
    constexpr double width = 0.22 * boardWidth, height = 0.11 * boardHeight;
    for (const auto& [count, apart] :
         {std::pair(6, true), std::pair(29, true), std::pair(100, false)}) {
        SCOPED_TRACE(count);
        app.work.groupCount = count;
        for (int g = 1; g <= count; ++g) {
            app.work.groupTable[g] = {"G" + std::to_string(g), "",      "",    "",
                                      g == 3 ? "2" : "1",      -7000.0, 9000.0};
        }
        RefreshBoard(app);
        Redigera_ordna(app);
        EXPECT_EQ(app.history.undoName(), "Ordna etiketterna");
        EXPECT_EQ(std::pair(app.work.groupTable[3].boardLeft, app.work.groupTable[3].boardTop),
                  std::pair(-7000.0, 9000.0));
        std::vector<const Group*> shown;
        for (int g = 1; g <= count; ++g) {
            if (g != 3) shown.push_back(&app.work.groupTable[g]);
        }
        for (std::size_t k = 0; k < shown.size(); ++k) {
            const Group& group = *shown[k];
            EXPECT_EQ(group.boardLeft, std::round(group.boardLeft)) << k;
            EXPECT_GE(group.boardLeft, 0);
            EXPECT_GE(group.boardTop, 0);
            EXPECT_LE(group.boardLeft + width, boardWidth) << k;
            EXPECT_LE(group.boardTop + height, boardHeight) << k;
            if (k == 0) continue;
            const Group& before = *shown[k - 1];
            // Group order reads left to right, then row by row.
            EXPECT_TRUE(group.boardTop > before.boardTop ||
                        (group.boardTop == before.boardTop && group.boardLeft > before.boardLeft))
                << k;
            if (k >= 4 && apart) {
                EXPECT_GE(group.boardTop - shown[k - 4]->boardTop, height);
            }
            if (k % 4 != 0) {
                EXPECT_GE(group.boardLeft - before.boardLeft, width);
            }
        }
    }
}

TEST_F(Groups, GroupDataPanel) {
    const std::tuple<int, Group, std::string> cases[] = {
        {1, {"DANS", "Eva", "25", "Sal 3", "1"}, "DANS\r\nEva     Max: 25\r\nSal 3"},
        {1, {"DANS", "", "25", "", "1"}, "DANS\r\nMax: 25\r\n"},
        {2, {"DANS", "Eva", "", "", "2"}, "DANS      Period 2\r\nEva     \r\n"},
    };
    for (const auto& [periodCount, group, text] : cases) {
        app.work.start.periodCount = periodCount;
        app.work.groupTable[1] = group;
        EXPECT_EQ(groupDataText(app.work, 1), text);
    }
}

// The board and the data panel read a group's period as the placements do: a whole number,
// halves to even, none outside 1..10.
TEST_F(Groups, TheBoardShowsAGroupInThePeriodItsPupilsArePlacedIn) {
    // the period text, the periods 1 to 3 whose board shows the group, the panel's first line
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"1.5", "010", "GRUPP1      Period 2"}, {"2.5", "010", "GRUPP1      Period 2"},
        {"3", "001", "GRUPP1      Period 3"},   {"0.4", "000", "GRUPP1      Period 0.4"},
        {"0.6", "100", "GRUPP1      Period 1"}, {"11", "000", "GRUPP1      Period 11"},
    };
    app.work.start.periodCount = 3;
    for (const auto& [periodText, shownIn, panel] : cases) {
        app.work.groupTable[1].periodText = periodText;
        std::string shown;
        for (int p = 1; p <= 3; ++p) {
            app.run.currentPeriod = p;
            RefreshBoard(app);
            shown += app.screen.Label1[1].visible ? "1" : "0";
        }
        const std::string text = groupDataText(app.work, 1);
        EXPECT_EQ(shown + " " + text.substr(0, text.find(CRLF)), shownIn + " " + panel)
            << periodText;
    }
}

TEST_F(Groups, PeriodStepperWrapsAroundAndShowsThatPeriodsGroups) {
    app.work.start.periodCount = 3;
    app.work.groupCount = 2;  // the other labels belong to groups deleted since
    app.work.groupTable[2].periodText = "3";
    app.screen.Label1[3].visible = true;
    // Each click from period 1 on, and the period it shows.
    const std::pair<void (*)(App&), int> clicks[] = {
        {Command10_Click, 3}, {Command9_Click, 1}, {Command9_Click, 2}, {Command10_Click, 1}};
    for (const auto& [click, period] : clicks) {
        click(app);
        EXPECT_EQ(app.screen.periodDisplay.caption, std::to_string(period));
        EXPECT_EQ(std::pair(app.screen.Label1[1].visible, app.screen.Label1[2].visible),
                  std::pair(period == 1, period == 3));
    }
    EXPECT_FALSE(app.screen.Label1[3].visible);
    app.work.start.showAllPeriods = 1;
    RefreshBoard(app);
    EXPECT_TRUE(app.screen.Label1[1].visible && app.screen.Label1[2].visible);
}

// The status box: averages rounded halves to even; first wishes counted with one period only;
// with two, the pupils without a group in the shown period, and none when every period is shown.
TEST_F(Groups, StatusBox) {
    // 40 pupils placed in their first wish, 15 in their second, 3 not placed.
    for (int i = 1; i <= 55; ++i) {
        const int g = i % 6 + 1;
        app.work.placement[1][i] = static_cast<std::int16_t>(g);
        const std::string& own = app.work.groupTable[g].name;
        app.work.studentTable[i].wishes = i <= 40 ? own + "\r\nANNAN" : "ANNAN\r\n" + own;
    }
    // pupils, groups, periods, every period shown, the text
    const std::tuple<int, int, int, int, std::string> cases[] = {
        {4, 0, 1, 0,
         "4 elever, 0 grupper\r\n 4 elev(er) placerade enl 1:a-handsval\r\n 0 elev(er) ej "
         "placerad(e)"},
        {26, 4, 1, 0,
         "26 elever, 4 grupper   (snitt: 6 el/gr)\r\n 26 elev(er) placerade enl 1:a-handsval\r\n 0 "
         "elev(er) ej placerad(e)"},
        {30, 4, 1, 0,
         "30 elever, 4 grupper   (snitt: 8 el/gr)\r\n 30 elev(er) placerade enl 1:a-handsval\r\n 0 "
         "elev(er) ej placerad(e)"},
        {58, 6, 1, 0,
         "58 elever, 6 grupper   (snitt: 10 el/gr)\r\n 40 elev(er) placerade enl 1:a-handsval\r\n "
         "3 elev(er) ej placerad(e)"},
        {58, 6, 2, 0,
         "58 elever, 6 grupper   (snitt: 10 el/gr)\r\n 58 elev(er) ej placerad(e) vald period"},
        {58, 6, 2, 1, "58 elever, 6 grupper   (snitt: 10 el/gr)\r\n"}};
    for (const auto& [pupils, groups, periods, all, text] : cases) {
        app.work.studentCount = pupils;
        app.work.groupCount = groups;
        app.work.start.periodCount = app.run.currentPeriod = periods;
        app.work.start.showAllPeriods = all;
        ShowStatus(app);
        EXPECT_EQ(app.screen.status.caption, text);
    }
}

}  // namespace
}  // namespace pelora::test
