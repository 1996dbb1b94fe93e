#include "pupils/overview.h"

#include <algorithm>

#include "pupils_fixture.h"

namespace pelora::test {
namespace {

class Overview : public PupilsTest {
protected:
    void refresh(const std::string& criterion) {
        app.screen.Combo3.text = criterion;
        RefreshOverview(app);
    }
};

// One period. Groups: 1 DANS, 2 DANS-1, 3 FOTBOLL, 4 DANS-2, 5 SLÖJD.
class OnePeriod : public Overview {
protected:
    void SetUp() override {
        addGroup("DANS");
        addGroup("DANS-1");
        addGroup("FOTBOLL");
        addGroup("DANS-2");
        addGroup("SLÖJD"_cp);
        addPupil("ANNA KARLSSON", "7A");                     // 1: no wishes
        addPupil("ANNALENA BERG", "7A", "TENNIS");           // 2: wishes no group
        addPupil("BO ÖST"_cp, "7B", "DANS");                 // 3: placed in DANS-2
        addPupil("CARL", "7B", "DANS\r\nFOTBOLL");           // 4: placed in FOTBOLL
        addPupil("DORA", "7B", "FOTBOLL\r\nDANS");           // 5: placed in DANS-1
        addPupil("LUND, ERIK", "8C", "SLÖJD\r\nTENNIS"_cp);  // 6: not placed
        place(3, 4);
        place(4, 3);
        place(5, 2);
        activate();
    }
};

struct CriterionCase {
    std::string criterion;
    int currentGroup;
    std::vector<int> listed;
};

TEST_F(OnePeriod, EachCriterionListsItsPupils) {
    const CriterionCase cases[] = {
        {"Alla", 0, {1, 2, 3, 4, 5, 6}},          {"Ej gjort val", 0, {1, 2}},
        {"Ej placerade", 0, {1, 2, 6}},           {"Önskat aktuell grupp"_cp, 2, {3, 4, 5}},
        {"Önskat aktuell grupp"_cp, 3, {4, 5}},   {"Önskat aktuell grupp"_cp, 0, {}},
        {"Aktuell grupp som 1:a-val", 1, {3, 4}}, {"Aktuell grupp som 1:a-val", 2, {3, 4}},
        {"Aktuell grupp som 1:a-val", 3, {5}},    {"Aktuell grupp som 1:a-val", 0, {}},
        {"Aktuell grupp som >1:a-val", 3, {4}},   {"Aktuell grupp som >1:a-val", 1, {5}},
        {"Aktuell grupp som >1:a-val", 5, {}},    {"Aktuell grupp som >1:a-val", 0, {}},
        {"Ej fått 1:a-val"_cp, 0, {4, 5}},
    };
    for (const CriterionCase& c : cases) {
        app.work.currentGroup = c.currentGroup;
        refresh(c.criterion);
        EXPECT_EQ(listed(), c.listed) << c.criterion << " " << c.currentGroup;
        EXPECT_EQ(app.screen.Label11.caption, std::to_string(c.listed.size()) + " elev(er)")
            << c.criterion;
        for (int i = 1; i <= 6; ++i) {
            const bool expected = std::find(c.listed.begin(), c.listed.end(), i) != c.listed.end();
            EXPECT_EQ(app.screen.overviewSelection[i], expected) << c.criterion << " " << i;
        }
    }
}

TEST_F(OnePeriod, FirstChoiceMissedComparesBaseNamesOfTheFirstWish) {
    // First wish DANS: placed in a parallel group it was met, placed elsewhere it was not.
    app.work.placement = {};
    place(3, 4);  // DANS-2
    place(4, 2);  // DANS-1
    place(5, 3);  // FOTBOLL
    app.work.studentTable[5].wishes = "DANS";
    app.work.studentTable[2].wishes = "TENNIS\r\nDANS";  // the first wish names no group
    place(2, 3);
    refresh("Ej fått 1:a-val"_cp);
    EXPECT_EQ(listed(), (std::vector<int>{5}));
}

TEST_F(OnePeriod, ACriterionIsFoundInAnyCase) {
    refresh("alla");
    EXPECT_EQ(listed().size(), 6u);
    refresh("  ej GJORT val ");
    EXPECT_EQ(listed(), (std::vector<int>{1, 2}));
    refresh("ÖNSKAT AKTUELL GRUPP"_cp);
    EXPECT_TRUE(listed().empty());
    EXPECT_EQ(app.screen.Label11.caption, "0 elev(er)");

    // A text that is no criterion leaves the list and the count line as they were.
    refresh("Alla");
    app.screen.List2.lines[1].marked = true;
    for (const char* typed : {"Al", "", "Alla elever"}) {
        refresh(typed);
        EXPECT_EQ(listed().size(), 6u) << typed;
        EXPECT_TRUE(app.screen.List2.lines[1].marked) << typed;
        EXPECT_EQ(app.screen.Label11.caption, "6 elev(er)") << typed;
    }
}

struct SearchCase {
    std::string term;
    bool wholeWords;
    std::vector<int> listed;
};

TEST_F(OnePeriod, SearchFindsNamesClassesAndWishLines) {
    const SearchCase cases[] = {
        {"anna", true, {1}},
        {"anna", false, {1, 2}},
        {"Anna Karlsson", true, {1}},
        {"karl", true, {}},
        {"arl", false, {1, 4}},
        {"öst"_cp, true, {3}},
        {"lund", true, {6}},  // a name word followed by a comma
        {"erik", true, {6}},
        {"7b", true, {3, 4, 5}},
        {"7", true, {}},
        {"7", false, {1, 2, 3, 4, 5}},
        {"fotboll", true, {4, 5}},  // a whole wish line, first or later
        {"tennis", true, {2, 6}},
        {"fot", true, {}},
        {"fot", false, {4, 5}},
        {"dans\r\nfot", false, {4}},  // across a line break
        {"dans\r\nfot", true, {}},
        {"", true, {1, 2, 3, 4, 5, 6}},
        {"   ", false, {1, 2, 3, 4, 5, 6}},
        {"zz", false, {}},
    };
    for (const SearchCase& c : cases) {
        app.screen.Text1.text = c.term;
        app.screen.Check2.value = c.wholeWords ? 1 : 0;
        refresh("Enligt sökbegrepp"_cp);
        EXPECT_EQ(listed(), c.listed) << c.term << (c.wholeWords ? " whole words" : "");
    }
}

TEST_F(OnePeriod, SearchingChoosesTheSearchCriterion) {
    app.screen.Text1.text = "anna";
    app.screen.Check2.value = 1;
    refresh("Ej placerade");
    SearchOverview(app);
    EXPECT_EQ(app.screen.Combo3.text, "Enligt sökbegrepp"_cp);
    EXPECT_EQ(listed(), (std::vector<int>{1}));

    app.screen.Text1.text = "7a";
    SearchOverview(app);
    EXPECT_EQ(listed(), (std::vector<int>{1, 2}));
}

TEST_F(OnePeriod, PickingALineShowsThePupilAndCountsTheMarks) {
    refresh("Alla");
    ListBox& list = app.screen.List2;
    list.lines[0].marked = true;
    list.lines[2].marked = true;
    list.lines[5].marked = true;
    PickFromOverview(app, 2);
    EXPECT_EQ(app.work.currentStudent, 3);
    EXPECT_EQ(app.screen.Combo2.text, "BO ÖST"_cp);
    EXPECT_EQ(app.screen.Text2.text, "DANS  *P1");
    EXPECT_FALSE(app.screen.overviewPickGuard);
    EXPECT_EQ(app.screen.Label11.caption, "6 elev(er), 3 markerad(e)");
    EXPECT_EQ(app.work.studentTable[3].wishes, "DANS");
    EXPECT_FALSE(app.work.dirty);

    PickFromOverview(app, -1);  // a click below the last line
    EXPECT_EQ(app.work.currentStudent, 3);
    EXPECT_EQ(app.screen.Label11.caption, "6 elev(er), 3 markerad(e)");

    refresh("Alla");
    EXPECT_EQ(app.screen.Label11.caption, "6 elev(er)");
    EXPECT_EQ(list.markedCount(), 0);
}

// Two periods with groups of the current period on the board.
class TwoPeriods : public Overview {
protected:
    void SetUp() override {
        app.work.start.periodCount = 2;
        app.work.currentPeriod = 2;
        dans = addGroup("DANS", "1");
        fotboll = addGroup("FOTBOLL", "2");
        slojd = addGroup("SLÖJD"_cp, "2");
        addPupil("ANNA", "7A", "FOTBOLL");
        addPupil("BO", "7A", "FOTBOLL");
        addPupil("CARL", "7A");
        addPupil("DORA", "7B");
        place(1, fotboll);
        place(2, slojd);
        place(3, dans);  // period 1 only
        activate();
        app.work.currentGroup = fotboll;
    }
    int dans = 0, fotboll = 0, slojd = 0;
};

TEST_F(TwoPeriods, LinesShowWhereEachPupilIsPlacedInTheShownPeriod) {
    ASSERT_EQ(app.screen.Combo3.items.size(), 5u);
    refresh("Alla");
    EXPECT_EQ(overviewLines(),
              (std::vector<std::string>{"+ 7A ANNA", "* 7A BO", "   7A CARL", "   7B DORA"}));
    EXPECT_EQ(app.screen.List2.lines[3].itemData, 4);

    refresh("Ej placerade vald period");
    EXPECT_EQ(listed(), (std::vector<int>{3, 4}));
    app.work.currentPeriod = 1;
    refresh("Ej placerade vald period");
    EXPECT_EQ(listed(), (std::vector<int>{1, 2, 4}));
}

TEST_F(TwoPeriods, OnlyUnplacedHidesThePupilsPlacedInTheShownPeriod) {
    app.screen.Check3.value = 1;
    refresh("Alla");
    EXPECT_EQ(overviewLines(), (std::vector<std::string>{"   7A CARL", "   7B DORA"}));
    refresh("Önskat aktuell grupp"_cp);
    EXPECT_TRUE(listed().empty());
    app.work.currentPeriod = 1;
    refresh("Alla");
    EXPECT_EQ(overviewLines(), (std::vector<std::string>{"   7A ANNA", "   7A BO", "   7B DORA"}));
}

TEST_F(TwoPeriods, TheCriteriaOfTheWorkAreTheOnlyOnesFound) {
    // "Ej fått 1:a-val" is no item of a work with several periods: nothing changes.
    refresh("Alla");
    refresh("Ej fått 1:a-val"_cp);
    EXPECT_EQ(listed().size(), 4u);
}

}  // namespace
}  // namespace pelora::test
