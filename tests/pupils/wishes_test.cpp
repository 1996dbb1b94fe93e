#include "pupils/wishes.h"

#include <functional>

#include "pupils/overview.h"
#include "pupils_fixture.h"

namespace pelora::test {
namespace {

// Two classes of three and two pupils and one of one, in roster order; three groups.
class Wishes : public PupilsTest {
protected:
    void SetUp() override {
        addPupil("ANNA", "7A", "FOTBOLL");
        addPupil("BERTIL", "7A", "DANS\r\nFOTBOLL");
        addPupil("CECILIA", "7A");
        addPupil("DAVID", "7B", "SLÖJD"_cp);
        addPupil("EVA", "7B");
        addPupil("FILIP", "8C");
        fotboll = addGroup("FOTBOLL");
        dans = addGroup("DANS-2");
        slojd = addGroup("SLÖJD"_cp);
        activate();
    }

    int fotboll = 0, dans = 0, slojd = 0;
};

TEST_F(Wishes, ChoosingAClassListsItsPupilsAndShowsTheFirst) {
    app.screen.Combo1.text = "7b";
    ChooseClass(app);
    EXPECT_EQ(app.screen.Combo2.items, (std::vector<std::string>{"DAVID", "EVA"}));
    EXPECT_EQ(app.screen.Combo2.itemData, (std::vector<int>{4, 5}));
    EXPECT_EQ(app.work.currentClassIndex, 2);
    EXPECT_EQ(app.work.currentStudent, 4);
    EXPECT_EQ(app.screen.Combo1.text, "7B");
    EXPECT_EQ(app.screen.Combo2.text, "DAVID");
    EXPECT_EQ(app.screen.Text2.text, "SLÖJD"_cp);

    // A class that does not exist empties the pupil box and leaves everything else.
    app.screen.Combo1.text = "9X";
    ChooseClass(app);
    EXPECT_TRUE(app.screen.Combo2.items.empty());
    EXPECT_EQ(app.work.currentStudent, 4);
    EXPECT_EQ(app.work.currentClassIndex, 2);
    EXPECT_EQ(app.screen.Text2.text, "SLÖJD"_cp);
}

TEST_F(Wishes, ChoosingAPupilTakesTheItemWithTheBoxText) {
    show(4);
    app.screen.Combo2.text = "EVA";
    ChooseStudent(app);
    EXPECT_EQ(app.work.currentStudent, 5);
    app.screen.Combo2.text = "EV";
    ChooseStudent(app);
    EXPECT_EQ(app.work.currentStudent, 5);
    app.screen.Combo2.text = "eva";  // exact text only
    app.work.currentStudent = 4;
    ChooseStudent(app);
    EXPECT_EQ(app.work.currentStudent, 4);
}

TEST_F(Wishes, ShowingAPupilSetsBothBoxesAndKeepsThatPupil) {
    show(2);  // not the first of the class, which choosing the class would take
    EXPECT_EQ(app.work.currentStudent, 2);
    EXPECT_EQ(app.work.previousStudent, 2);
    EXPECT_EQ(app.screen.Combo1.text, "7A");
    EXPECT_EQ(app.screen.Combo2.text, "BERTIL");
    EXPECT_EQ(app.screen.Combo2.items.size(), 3u);
    EXPECT_EQ(app.work.currentClassIndex, 1);
    EXPECT_EQ(app.work.undoWishes, "DANS\r\nFOTBOLL");
    EXPECT_FALSE(app.screen.Command4.enabled);
    EXPECT_EQ(app.screen.Label1[fotboll].background, LightRed);
    EXPECT_EQ(app.screen.Label1[dans].background, LightRed);
    EXPECT_EQ(app.screen.Label1[slojd].background, White);
    EXPECT_EQ(app.screen.status.caption.substr(0, 20), "6 elever, 3 grupper ");
    EXPECT_FALSE(app.work.dirty);

    // Shown again, the undo copy stays what it was when the pupil was first shown.
    app.work.undoWishes = "EARLIER";
    show(2);
    EXPECT_EQ(app.work.undoWishes, "EARLIER");

    // While the boxes are being set, a nested showing does nothing at all.
    app.screen.showRecursionGuard = true;
    show(5);
    EXPECT_EQ(app.screen.Combo2.text, "BERTIL");
    EXPECT_EQ(app.screen.Text2.text, "DANS\r\nFOTBOLL");
}

struct StepCase {
    const char* what;
    std::function<void(App&)> step;
    int from;
    int expected;
    bool focus;
};

TEST_F(Wishes, PupilSteppingStaysWithinTheClass) {
    const StepCase cases[] = {
        {"next within the class", NextStudent, 1, 2, true},
        {"next at the end of a class", NextStudent, 3, 3, false},
        {"next at the end of the roster", NextStudent, 6, 6, false},
        {"previous within the class", PreviousStudent, 5, 4, true},
        {"previous at the start of a class", PreviousStudent, 4, 4, false},
        {"previous at the start of the roster", PreviousStudent, 1, 1, false},
    };
    for (const StepCase& c : cases) {
        show(c.from);
        app.screen.focusRequest = Focus::None;
        c.step(app);
        EXPECT_EQ(app.work.currentStudent, c.expected) << c.what;
        EXPECT_EQ(app.screen.Combo2.text, app.work.studentTable[c.expected].name) << c.what;
        EXPECT_EQ(app.screen.focusRequest == Focus::WishBox, c.focus) << c.what;
    }
}

TEST_F(Wishes, ClassSteppingStopsAtTheFirstAndTheLastClass) {
    const StepCase cases[] = {
        {"next", NextClass, 1, 4, false},
        {"next on the last class", NextClass, 6, 6, false},
        {"previous", PreviousClass, 4, 1, false},
        {"previous on the first class", PreviousClass, 2, 1, false},
    };
    for (const StepCase& c : cases) {
        show(c.from);
        c.step(app);
        EXPECT_EQ(app.work.currentStudent, c.expected) << c.what;
        EXPECT_EQ(app.screen.Combo1.text, app.work.studentTable[c.expected].className) << c.what;
    }
}

TEST_F(Wishes, ClassSteppingWithoutClassesDoesNothing) {
    app.work.classCount = 0;  // the rows still hold the classes of the work before
    app.work.currentClassIndex = 0;
    app.screen.Combo1.text.clear();
    PreviousClass(app);
    NextClass(app);
    EXPECT_EQ(app.screen.Combo1.text, "");
    EXPECT_EQ(app.work.currentClassIndex, 0);
}

struct MarkerCase {
    const char* what;
    int periodCount;
    std::vector<std::pair<std::string, std::string>> placedIn;  // group name, period
    std::string wishes;
    std::string box;
};

TEST_F(Wishes, ShowingAPupilMarksTheWishLinesThePupilIsPlacedIn) {
    const MarkerCase cases[] = {
        {"placed in period 2 of 2",
         2,
         {{"FOTBOLL", "2"}},
         "DANS\r\nFOTBOLL",
         "DANS\r\nFOTBOLL  *P2"},
        {"a line in the middle",
         1,
         {{"FOTBOLL", "1"}},
         "DANS\r\nFOTBOLL\r\nSLÖJD"_cp,
         "DANS\r\nFOTBOLL  *P1\r\nSLÖJD"_cp},
        {"two periods on one line",
         2,
         {{"ENGELSKA-1", "1"}, {"ENGELSKA-2", "2"}},
         "ENGELSKA",
         "ENGELSKA  *P1  *P2"},
        {"two lines",
         2,
         {{"DANS-1", "1"}, {"FOTBOLL", "2"}},
         "FOTBOLL\r\nDANS",
         "FOTBOLL  *P2\r\nDANS  *P1"},
        {"a group not wished", 1, {{"SLÖJD"_cp, "1"}}, "DANS", "DANS"},
        {"a period beyond the work's", 1, {{"FOTBOLL", "2"}}, "FOTBOLL", "FOTBOLL"},
    };
    for (const MarkerCase& c : cases) {
        app.work.groupCount = 0;
        app.work.placement = {};
        app.work.start.periodCount = c.periodCount;
        for (const auto& [name, period] : c.placedIn)
            place(1, addGroup(name, period));
        app.work.studentTable[1].wishes = c.wishes;
        show(1);
        EXPECT_EQ(app.screen.Text2.text, c.box) << c.what;
        EXPECT_EQ(app.work.studentTable[1].wishes, c.wishes) << c.what;
        EXPECT_FALSE(app.work.dirty) << c.what;
    }
}

TEST_F(Wishes, TypingStoresTheNormalisedWishesAndLeavesTheBoxAsTyped) {
    show(3);
    type("fotboll\n");
    EXPECT_EQ(app.work.studentTable[3].wishes, "FOTBOLL\r\n");  // the empty line waits for tidying
    type("dans");
    EXPECT_EQ(app.work.studentTable[3].wishes, "FOTBOLL\r\nDANS");
    EXPECT_EQ(app.screen.Text2.text, "fotboll\r\ndans");
    EXPECT_EQ(app.screen.Label1[fotboll].background, LightRed);
    EXPECT_EQ(app.screen.Label1[dans].background, LightRed);
    EXPECT_EQ(app.screen.Label1[slojd].background, White);
    EXPECT_TRUE(app.screen.Command4.enabled);
    EXPECT_TRUE(app.work.dirty);

    type("\nslöjd"_cp);
    EXPECT_EQ(app.work.studentTable[3].wishes, "FOTBOLL\r\nDANS\r\nSLÖJD"_cp);
    EXPECT_EQ(app.screen.Label1[slojd].background, LightRed);
}

TEST_F(Wishes, TheFirstStoredChangeOfARunTakesTheUndoCopy) {
    show(1);
    app.work.undoWishes = "SOMETHING ELSE";
    type("x");
    EXPECT_TRUE(app.screen.firstChangeSeen);
    EXPECT_EQ(app.work.undoWishes, "FOTBOLL");
    EXPECT_FALSE(app.screen.Command4.enabled);
    EXPECT_TRUE(app.work.dirty);  // even a change made in one stroke is offered for saving
    type("y");
    EXPECT_EQ(app.work.undoWishes, "FOTBOLL");
    EXPECT_TRUE(app.screen.Command4.enabled);
}

TEST_F(Wishes, ChangesMadeByTheProgramAreNotStored) {
    show(1);
    for (bool* guard : {&app.screen.wishBoxGuard, &app.screen.overviewPickGuard}) {
        *guard = true;
        type("x");
        *guard = false;
        EXPECT_EQ(app.work.studentTable[1].wishes, "FOTBOLL");
        EXPECT_FALSE(app.work.dirty);
        EXPECT_FALSE(app.screen.firstChangeSeen);
    }
}

TEST_F(Wishes, ACommaIsRefusedUntilTheBoxIsLeft) {
    show(3);
    const std::string message = "Tryck ENTER efter varje önskemål."_cp;
    desktop.expectMsgBox(message, Buttons::Ok, Icon::Exclamation, "Ange önskemål"_cp, Answer::Ok)
        .expectMsgBox(message, Buttons::Ok, Icon::Exclamation, "Ange önskemål"_cp, Answer::Ok);
    type("a,b");
    EXPECT_TRUE(desktop.done());
    EXPECT_EQ(app.work.studentTable[3].wishes, "A");
    EXPECT_EQ(app.screen.Text2.text, "a,b");

    TidyWishBox(app);
    EXPECT_EQ(app.screen.Text2.text, "A B");
    EXPECT_EQ(app.work.studentTable[3].wishes, "A B");
}

struct StoreCase {
    std::string box;
    std::string stored;
};

TEST_F(Wishes, MarkersAreStrippedWithTheRestOfTheirLine) {
    const StoreCase cases[] = {
        {"FOTBOLL  *P2", "FOTBOLL"},
        {"FOTBOLL  *P2 OCH SLÖJD\r\nDANS"_cp, "FOTBOLL\r\nDANS"},
        {"ENGELSKA  *P1  *P2", "ENGELSKA"},
        {"fotboll *p1", "FOTBOLL"},
        {"A*PB\r\nC", "A\r\nC"},
        {"*P1\r\nDANS", "\r\nDANS"},
        {"DANS\r\nFOTBOLL  *", "DANS\r\nFOTBOLL  *"},  // half a marker is text like any other
    };
    show(1);
    for (const StoreCase& c : cases) {
        app.screen.Text2.text = c.box;
        StoreWishText(app);
        EXPECT_EQ(app.work.studentTable[1].wishes, c.stored) << c.box;
    }
}

TEST_F(Wishes, AMarkerDeletedByHandChangesNothingAndWordsAfterItAreLost) {
    app.work.start.periodCount = 2;
    app.work.groupTable[fotboll].periodText = "2";
    place(2, fotboll);
    show(2);
    ASSERT_EQ(app.screen.Text2.text, "DANS\r\nFOTBOLL  *P2");

    type("\b\b\b\b\b");
    EXPECT_EQ(app.screen.Text2.text, "DANS\r\nFOTBOLL");
    EXPECT_EQ(app.work.studentTable[2].wishes, "DANS\r\nFOTBOLL");

    show(2);
    type(" och slöjd"_cp);
    EXPECT_EQ(app.screen.Text2.text, "DANS\r\nFOTBOLL  *P2 och slöjd"_cp);
    EXPECT_EQ(app.work.studentTable[2].wishes, "DANS\r\nFOTBOLL");
    EXPECT_EQ(app.screen.Label1[slojd].background, White);
}

TEST_F(Wishes, UndoBringsBackTheWishesAsThePupilWasShown) {
    place(2, fotboll);
    show(2);
    type("\b\b\b\b\b\b\b\b\b\b\b\b\b\b\b\b\b\b\b\b");
    type("slöjd"_cp);
    ASSERT_EQ(app.work.studentTable[2].wishes, "SLÖJD"_cp);
    ASSERT_TRUE(app.screen.Command4.enabled);

    UndoWishes(app);
    EXPECT_EQ(app.work.studentTable[2].wishes, "DANS\r\nFOTBOLL");
    EXPECT_EQ(app.screen.Text2.text, "DANS\r\nFOTBOLL  *P1");
    EXPECT_FALSE(app.screen.Command4.enabled);
    EXPECT_EQ(app.screen.Label1[slojd].background, White);
    EXPECT_EQ(app.screen.Label1[dans].background, LightRed);
    EXPECT_EQ(app.screen.Label1[fotboll].background, Green);
    EXPECT_TRUE(app.work.dirty);
}

TEST_F(Wishes, LeavingTheBoxTidiesItAndStoresTheTidyText) {
    const StoreCase cases[] = {
        {"\r\n fotboll \r\n\r\n\r\ndans\r\n", "FOTBOLL\r\nDANS"},
        {"fotboll, dans", "FOTBOLL  DANS"},
        {",slöjd,"_cp, "SLÖJD"_cp},
    };
    show(3);
    for (const StoreCase& c : cases) {
        app.screen.Text2.text = c.box;  // as typed, with the comma message answered
        TidyWishBox(app);
        EXPECT_EQ(app.screen.Text2.text, c.stored) << c.box;
        EXPECT_EQ(app.work.studentTable[3].wishes, c.stored) << c.box;
    }

    // Markers stay in the box and are left out of what is stored.
    place(2, fotboll);
    show(2);
    app.screen.Text2.text += "\r\n";
    TidyWishBox(app);
    EXPECT_EQ(app.screen.Text2.text, "DANS\r\nFOTBOLL  *P1");
    EXPECT_EQ(app.work.studentTable[2].wishes, "DANS\r\nFOTBOLL");
}

TEST_F(Wishes, PassingThroughTheBoxWithoutTypingChangesNothing) {
    show(2);
    type("\b");
    type("L");
    app.work.dirty = false;
    app.screen.Command4.enabled = false;
    TidyWishBox(app);
    EXPECT_FALSE(app.work.dirty);
    EXPECT_FALSE(app.screen.Command4.enabled);
}

struct AppendCase {
    std::string box;
    int group;
    std::string shown;
    std::string stored;
};

TEST_F(Wishes, AGroupAppendedFromTheBoardIsWrittenByItsBaseName) {
    const AppendCase cases[] = {
        {"FOTBOLL", 2, "FOTBOLL\r\nDANS", "FOTBOLL\r\nDANS"},
        {"", 2, "DANS", "DANS"},
        {"FOTBOLL\r\n", 3, "FOTBOLL\r\nSLÖJD"_cp, "FOTBOLL\r\nSLÖJD"_cp},
        {"fotboll", 2, "fotboll\r\nDANS", "FOTBOLL\r\nDANS"},
        {"x", 9, "x", "X"},  // no such group: nothing is appended
    };
    show(5);
    for (const AppendCase& c : cases) {
        app.screen.Text2.text = c.box;
        StoreWishText(app);
        AppendGroupToWishes(app, c.group);
        EXPECT_EQ(app.screen.Text2.text, c.shown) << c.box;
        EXPECT_EQ(app.work.studentTable[5].wishes, c.stored) << c.box;
    }
    EXPECT_EQ(app.screen.Label1[dans].background, White);
    EXPECT_EQ(app.screen.Label1[fotboll].background, White);
}

TEST_F(Wishes, TheOverviewFollowsTheWishesUnlessItListsEveryone) {
    show(3);
    app.screen.List2.lines[0].marked = true;  // a rebuild would drop the mark
    type("dans");
    EXPECT_TRUE(app.screen.List2.lines[0].marked);

    app.screen.Combo3.text = "Ej gjort val";
    RefreshOverview(app);
    type("\b\b\b\b");
    EXPECT_EQ(listed(), (std::vector<int>{3, 5, 6}));
    type("Dans-2");
    EXPECT_EQ(listed(), (std::vector<int>{5, 6}));
}

TEST_F(Wishes, AClickOnAMemberLineShowsThatPupil) {
    app.screen.List1.addItem("FOTBOLL  Antal:  1");
    app.screen.List1.addItem("");
    app.screen.List1.addItem("7B EVA", 5);
    show(1);
    for (int line : {0, 1, 3, -1}) {
        PickFromMemberList(app, line);
        EXPECT_EQ(app.work.currentStudent, 1) << line;
    }
    PickFromMemberList(app, 2);
    EXPECT_EQ(app.work.currentStudent, 5);
    EXPECT_EQ(app.screen.Combo2.text, "EVA");
}

}  // namespace
}  // namespace pelora::test
