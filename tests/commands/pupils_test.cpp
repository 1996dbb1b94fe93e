// The wish entry and the overview, on a small work built in memory.
#include "base/text.h"
#include "commands/lifecycle.h"
#include "commands/overview.h"
#include "commands/wishes.h"
#include "core_fixture.h"
#include "display/currentpupil.h"
#include "display/overview.h"
#include "temp_folder.h"

#include <map>
#include <sstream>

namespace pelora::test {
namespace {

// Groups 1 DANS-1, 2 FOTBOLL, 3 DANS-2, 4 BILD, 5 ENGELSKA-1 and 6 ENGELSKA-2 in one period;
// six pupils in classes of two, three and one, five of them placed.
class Pupils : public CoreTest {
protected:
    void SetUp() override {
        for (const char* name : {"DANS-1", "FOTBOLL", "DANS-2", "BILD", "ENGELSKA-1", "ENGELSKA-2"})
            app.work.groupTable[++app.work.groupCount] = {name, "", "", "", "1"};
        const std::tuple<std::string, std::string, std::string, int> pupils[] = {
            {"ANNA KARLSSON", "7A", "", 0},
            {"ANNALENA BERG", "7A", "TENNIS", 4},
            {"BO", "7B", "DANS", 3},
            {"CARL", "7B", "DANS\r\nFOTBOLL", 2},
            {"DORA", "7B", "FOTBOLL\r\nDANS", 1},
            {"LUND, ERIK", "8C", "ENGELSKA", 5},
        };
        Work& w = app.work;
        for (const auto& [name, className, wishes, group] : pupils) {
            w.studentTable[++w.studentCount] = {name, "", className, wishes};
            w.placement[1][w.studentCount] = static_cast<std::int16_t>(group);
            if (w.classList[w.classCount] != className) w.classList[++w.classCount] = className;
        }
        Form_Activate(app);
    }

    // FOTBOLL, BILD and ENGELSKA-2 run in period 2, with the pupils placed in them and LUND,
    // ERIK in ENGELSKA-2 as well; period 2 is shown.
    void toTwoPeriods() {
        Work& w = app.work;
        w.start.periodCount = app.run.currentPeriod = 2;
        w.groupTable[2].periodText = w.groupTable[4].periodText = w.groupTable[6].periodText = "2";
        std::swap(w.placement[1][2], w.placement[2][2]);
        std::swap(w.placement[1][4], w.placement[2][4]);
        w.placement[2][6] = 6;
        Form_Activate(app);
    }

    void show(int i) {
        app.run.currentStudent = i;
        ShowCurrentStudent(app);
    }

    // What a user types at the end of the wish box, one stroke and one change of the box at a
    // time; '\n' is Enter.
    void type(const std::string& keys) {
        for (char key : keys) {
            app.screen.Text2.text += key == '\n' ? std::string(CRLF) : std::string(1, key);
            StoreWishText(app);
        }
    }

    void refresh(const std::string& criterion) {
        app.screen.Combo3.text = criterion;
        RefreshOverview(app);
    }

    // The pupil numbers the overview lists, top to bottom.
    std::vector<int> listed() const {
        std::vector<int> pupils;
        for (const ListLine& line : app.screen.List2.lines)
            pupils.push_back(line.itemData);
        return pupils;
    }
};

TEST_F(Pupils, SteppingStopsAtTheEndsOfAClassAndOfTheList) {
    const std::map<std::string, void (*)(App&)> steps = {{"next pupil", NextStudent},
                                                         {"previous pupil", PreviousStudent},
                                                         {"next class", NextClass},
                                                         {"previous class", PreviousClass}};
    for (const auto& row : tableRows(PELORA_TEST_DATA "/tabeller/stega.txt")) {
        SCOPED_TRACE(row[0] + " from " + row[1]);
        show(std::stoi(row[1]));
        steps.at(row[0])(app);
        const int to = std::stoi(row[2]);
        EXPECT_EQ(app.run.currentStudent, to);
        EXPECT_EQ(app.screen.Combo2.text, app.work.studentTable[to].name);
    }
    show(3);
    app.work.classCount = 0;  // the rows above it may still hold the classes of an earlier work
    PreviousClass(app);
    EXPECT_EQ(app.screen.Combo1.text, "7B");
}

TEST_F(Pupils, TypedWishesAreStoredInTheirOwnFormAndUndone) {
    show(4);
    app.screen.Text2.text.clear();
    type("f");
    // The first stored change of a run marks the work as changed as well: wishes entered in one
    // stroke must not be lost without the question about saving.
    EXPECT_TRUE(app.history.dirty());
    type("otboll\ndans");
    EXPECT_EQ(app.work.studentTable[4].wishes, "FOTBOLL\r\nDANS");
    EXPECT_EQ(app.screen.Text2.text, "fotboll\r\ndans");

    UndoWishes(app);  // back to the wishes as the pupil was shown, with the marker
    EXPECT_EQ(app.work.studentTable[4].wishes, "DANS\r\nFOTBOLL");
    EXPECT_EQ(app.screen.Text2.text, "DANS\r\nFOTBOLL  *P1");
    EXPECT_FALSE(app.screen.Command4.enabled);

    // A row of spreadsheet cells pasted: each cell is one wish, since the work file ends the
    // wishes at a TAB.
    app.screen.Text2.text = "engelska\tfranska\t\ttyska";
    StoreWishText(app);
    EXPECT_EQ(app.work.studentTable[4].wishes, "ENGELSKA\r\nFRANSKA\r\n\r\nTYSKA");
    TidyWishBox(app);
    EXPECT_EQ(app.work.studentTable[4].wishes, "ENGELSKA\r\nFRANSKA\r\nTYSKA");

    // A comma is refused while typing, and becomes a blank when the box is left.
    app.screen.Text2.text.clear();
    for (int k = 0; k < 2; ++k)
        desktop.expectMsgBox("Tryck ENTER efter varje önskemål."_cp, Buttons::Ok, Icon::Exclamation,
                             "Ange önskemål"_cp, Answer::Ok);
    type("a,b");
    EXPECT_EQ(app.work.studentTable[4].wishes, "A");
    TidyWishBox(app);
    EXPECT_EQ(app.screen.Text2.text, "A B");
    EXPECT_EQ(app.work.studentTable[4].wishes, "A B");
    // "Ångra" of the wish box belongs to the pupil shown.
    ASSERT_TRUE(app.screen.Command4.enabled);
    show(3);
    EXPECT_FALSE(app.screen.Command4.enabled);
}

TEST_F(Pupils, PlacementMarkersAreShownButNeverStored) {
    toTwoPeriods();
    show(6);
    EXPECT_EQ(app.screen.Text2.text, "ENGELSKA  *P1  *P2");

    show(4);
    EXPECT_EQ(app.screen.Text2.text, "DANS\r\nFOTBOLL  *P2");
    type(" och slöjd"_cp);  // words after a marker go with it
    EXPECT_EQ(app.work.studentTable[4].wishes, "DANS\r\nFOTBOLL");
    app.screen.Text2.text = "DANS\r\nFOTBOLL";  // the marker deleted by hand
    StoreWishText(app);
    EXPECT_EQ(app.work.studentTable[4].wishes, "DANS\r\nFOTBOLL");
}

TEST_F(Pupils, AGroupPressedInWishModeIsAppendedByItsBaseName) {
    const std::pair<std::string, std::string> cases[] = {
        {"FOTBOLL", "FOTBOLL\r\nDANS"}, {"FOTBOLL\r\n", "FOTBOLL\r\nDANS"}, {"", "DANS"}};
    show(1);
    for (const auto& [box, appended] : cases) {
        app.screen.Text2.text = box;
        AppendGroupToWishes(app, 3);
        EXPECT_EQ(app.screen.Text2.text, appended) << box;
        EXPECT_EQ(app.work.studentTable[1].wishes, appended) << box;
    }
}

TEST_F(Pupils, EachCriterionListsItsPupils) {
    for (const auto& row : tableRows(PELORA_TEST_DATA "/tabeller/urval.txt")) {
        SCOPED_TRACE(row[0] + " " + row[1] + " " + row[2]);
        app.run.currentGroup = std::stoi(row[1]);
        app.screen.Text1.text = row[2];
        app.screen.Check2.value = std::stoi(row[3]);
        refresh(row[0]);
        std::vector<int> pupils;
        for (std::istringstream in(row[4]); in >> pupils.emplace_back();) {
        }
        pupils.pop_back();
        EXPECT_EQ(listed(), pupils);
        EXPECT_EQ(app.screen.Label11.caption, std::to_string(pupils.size()) + " elev(er)");
    }
}

TEST_F(Pupils, OverviewLinesShowWhereEachPupilIsPlacedInTheShownPeriod) {
    toTwoPeriods();
    app.run.currentGroup = 2;
    refresh("Alla");
    // BO is placed in period 1 only.
    EXPECT_EQ(app.screen.List2.lines[1].text, "* 7A ANNALENA BERG");
    EXPECT_EQ(app.screen.List2.lines[2].text, "   7B BO");
    EXPECT_EQ(app.screen.List2.lines[3].text, "+ 7B CARL");
    app.screen.List2.lines[0].marked = app.screen.List2.lines[2].marked = true;
    PickFromOverview(app, 2);
    EXPECT_EQ(app.screen.Combo2.text, "BO");
    EXPECT_EQ(app.screen.Label11.caption, "6 elev(er), 2 markerad(e)");

    refresh("Ej placerade vald period");
    EXPECT_EQ(listed(), (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(app.screen.Label11.caption, "3 elev(er)");
    app.screen.Check3.value = 1;  // "Visa bara oplacerade"
    refresh("Alla");
    EXPECT_EQ(listed(), (std::vector<int>{1, 3, 5}));
}

// Two pupils of one class with the same name: the one chosen is the one shown.
TEST_F(Pupils, ThePupilChosenInThePupilBoxIsThePupilShownWhereNamesRepeat) {
    app.work.studentTable[5].name = "CARL";  // DORA becomes a second CARL in 7B
    show(3);
    app.screen.Combo2.text = "CARL";
    ChooseStudent(app, 2);
    EXPECT_EQ(app.run.currentStudent, 5);
    EXPECT_EQ(app.screen.Text2.text, "FOTBOLL\r\nDANS  *P1");
    ChooseStudent(app);  // typed: the first of that name
    EXPECT_EQ(app.run.currentStudent, 4);
    show(5);
    EXPECT_EQ(app.screen.Combo2.listIndex, 2);
}

// A name read as written is found by what is typed in lower case, by the overview's search (in
// part or as a whole word) and shown by the pupil box, whose typed name chooses its pupil.
TEST_F(Pupils, ANameAsWrittenIsFoundAsTyped) {
    app.work.studentTable[2].name = utf8AsWritten("Łukasz Wiśniewski");
    app.work.studentTable[4].name = utf8AsWritten("Жанна Ωmega");
    // the typed search, whole words, the pupils listed
    const std::tuple<std::string, int, std::vector<int>> searches[] = {
        {"łukasz", 1, {2}}, {"ŁUKASZ wiśniewski", 1, {2}},
        {"śniew", 0, {2}},  {"śniew", 1, {}},
        {"жанна", 1, {4}},  {"ωMEGA", 1, {4}},
        {"?ukasz", 0, {}},  {"lukasz", 0, {}},
    };
    for (const auto& [typed, wholeWords, pupils] : searches) {
        app.screen.Text1.text = utf8AsWritten(typed);
        app.screen.Check2.value = wholeWords;
        SearchOverview(app);
        EXPECT_EQ(listed(), pupils) << typed;
    }
    app.screen.Text1.text = utf8AsWritten("жанна");
    SearchOverview(app);
    ASSERT_EQ(listed(), std::vector<int>{4});
    EXPECT_EQ(asUtf8(app.screen.List2.lines[0].text), "* 7B Жанна Ωmega");

    show(1);
    EXPECT_EQ(asUtf8(app.screen.Combo2.items.at(1)), "Łukasz Wiśniewski");
    app.screen.Combo2.text = utf8AsWritten("Łukasz Wiśniewski");
    ChooseStudent(app);
    EXPECT_EQ(app.run.currentStudent, 2);
    EXPECT_EQ(app.screen.Text2.text, "TENNIS");
}

// "Ångra" brings back the wishes the shown pupil had when shown, not those of the pupil before;
// a wish typed while the overview lists by a criterion moves the pupil out at once.
TEST_F(Pupils, UndoAfterSteppingAndTypingUnderACriterion) {
    refresh("Ej gjort val");
    show(1);
    type("bild");
    EXPECT_EQ(listed(), (std::vector<int>{2}));
    NextStudent(app);
    type("\nkor");
    UndoWishes(app);
    EXPECT_EQ(app.work.studentTable[1].wishes, "BILD");
    EXPECT_EQ(app.work.studentTable[2].wishes, "TENNIS");
}

}  // namespace
}  // namespace pelora::test
