#include "groups/status.h"

#include "core_fixture.h"

namespace pelora::test {
namespace {

class Status : public CoreTest {
protected:
    void addGroups(int count, int period = 1) {
        for (int k = 0; k < count; ++k) {
            Group& g = app.work.groupTable[++app.work.groupCount];
            g.name = "GRUPP" + std::to_string(app.work.groupCount);
            g.periodText = std::to_string(period);
        }
    }
    void addPupils(int count) {
        for (int k = 0; k < count; ++k) {
            Student& s = app.work.studentTable[++app.work.studentCount];
            s.name = "Elev " + std::to_string(app.work.studentCount);
            s.className = "7A";
        }
    }
};

TEST_F(Status, EmptyWork) {
    ShowStatus(app);
    EXPECT_EQ(app.screen.status.caption,
              "0 elever, 0 grupper\r\n 0 elev(er) placerade enl 1:a-handsval\r\n"
              " 0 elev(er) ej placerad(e)");
    EXPECT_EQ(app.screen.caption, "Pelora");
}

TEST_F(Status, OnePeriodCountsFirstWishesAndUnplacedPupils) {
    addGroups(6);
    addPupils(58);
    Work& w = app.work;
    // 40 pupils placed in their first wish, 15 placed in their second, 3 not placed.
    for (int i = 1; i <= 55; ++i) {
        int g = (i % 6) + 1;
        w.placement[1][i] = static_cast<std::int16_t>(g);
        std::string own = w.groupTable[g].name + "  *P1";  // a marker never counts
        std::string other = "ANNAN";
        w.studentTable[i].wishes = i <= 40 ? own + "\r\n" + other : other + "\r\n" + own;
    }
    ShowStatus(app);
    EXPECT_EQ(app.screen.status.caption,
              "58 elever, 6 grupper   (snitt: 10 el/gr)\r\n"
              " 40 elev(er) placerade enl 1:a-handsval\r\n"
              " 3 elev(er) ej placerad(e)");
}

TEST_F(Status, PupilsWithoutGroupsHaveNoAverage) {
    addPupils(4);
    ShowStatus(app);
    EXPECT_EQ(app.screen.status.caption,
              "4 elever, 0 grupper\r\n 0 elev(er) placerade enl 1:a-handsval\r\n"
              " 4 elev(er) ej placerad(e)");
}

TEST_F(Status, AverageRoundsHalvesToEven) {
    const int cases[][3] = {{25, 4, 6}, {26, 4, 6}, {30, 4, 8}, {1, 3, 0}};
    for (const auto& c : cases) {
        app.work.studentCount = c[0];
        app.work.groupCount = c[1];
        ShowStatus(app);
        std::string expected = "   (snitt: " + std::to_string(c[2]) + " el/gr)\r\n";
        EXPECT_NE(app.screen.status.caption.find(expected), std::string::npos)
            << c[0] << "/" << c[1] << ": " << app.screen.status.caption;
    }
}

TEST_F(Status, SeveralPeriodsCountTheShownPeriodOnly) {
    app.work.start.periodCount = 2;
    addGroups(2, 1);
    addGroups(2, 2);
    addPupils(5);
    app.work.placement[1][1] = 1;
    app.work.placement[2][2] = 3;
    app.work.placement[2][3] = 4;
    app.work.currentPeriod = 2;
    ShowStatus(app);
    EXPECT_EQ(app.screen.status.caption,
              "5 elever, 4 grupper   (snitt: 1 el/gr)\r\n 3 elev(er) ej placerad(e) vald period");
    app.work.start.showAllPeriods = 1;
    ShowStatus(app);
    EXPECT_EQ(app.screen.status.caption, "5 elever, 4 grupper   (snitt: 1 el/gr)\r\n");
}

TEST_F(Status, CaptionShowsTheWorkFile) {
    app.work.workFilePath = "/home/skola/val.pel";
    ShowStatus(app);
    EXPECT_EQ(app.screen.caption, "Pelora:    /home/skola/val.pel");
}

TEST_F(Status, RecountCountsEveryPeriodAndOnlyGroupsInUse) {
    addGroups(2, 1);
    addGroups(1, 2);
    addPupils(3);
    Work& w = app.work;
    w.start.periodCount = 2;
    w.placement[1][1] = 1;
    w.placement[1][2] = 1;
    w.placement[2][2] = 3;
    w.placement[1][3] = 2;
    w.groupMemberCount[1] = 40;
    w.groupMemberCount[4] = 7;  // above groupCount: left alone
    RecountGroupMembers(app);
    EXPECT_EQ(w.groupMemberCount[1], 2);
    EXPECT_EQ(w.groupMemberCount[2], 1);
    EXPECT_EQ(w.groupMemberCount[3], 1);
    EXPECT_EQ(w.groupMemberCount[4], 7);
}

}  // namespace
}  // namespace pelora::test
