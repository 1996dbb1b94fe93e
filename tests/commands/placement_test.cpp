// Placing pupils by hand: the questions, their order and answers, and what is placed.
#include "commands/placement.h"

#include "commands/edit.h"
#include "core_fixture.h"
#include "display/board.h"
#include "display/overview.h"

namespace pelora::test {
namespace {

const std::string kTitle = "Placera elev i grupp";

// DANS-2 (places for 3) and FOTBOLL in period 1, KÖR in period 2. Five pupils: A already in
// DANS-2, B in FOTBOLL wishing DANS second, C wishing only KÖR, D and E wishing DANS.
class Placement : public CoreTest {
protected:
    void SetUp() override {
        Work& w = app.work;
        w.placement = {};
        app.run = RunState{};
        w.start.periodCount = 2;
        w.groupTable[1] = {"DANS-2", "", "3", "", "1"};
        w.groupTable[2] = {"FOTBOLL", "", "", "", "1"};
        w.groupTable[3] = {"KÖR"_cp, "", "", "", "2"};
        w.groupCount = 3;
        const char* names[] = {"A", "B", "C", "D", "E"};
        const char* wishes[] = {"DANS", "FOTBOLL\r\nDANS", "KÖR", "DANS", "DANS\r\nFOTBOLL"};
        for (int i = 1; i <= 5; ++i)
            w.studentTable[i] = {names[i - 1], "", "7A", utf8ToCp1252(wishes[i - 1])};
        w.studentCount = 5;
        w.placement[1][1] = 1;
        w.placement[1][2] = 2;
        RecountGroupMembers(w);
        app.run.currentGroup = 1;
        app.screen.Combo3.items = {"Alla"};
        app.screen.Combo3.text = "Alla";
        RefreshOverview(app);
    }

    void expectQuestion(const std::string& text, Answer answer,
                        Buttons buttons = Buttons::YesNoCancel) {
        desktop.expectMsgBox(text, buttons, Icon::Question, kTitle, answer);
    }
    static Answer answerOf(char c) {
        return c == 'Y' ? Answer::Yes : c == 'N' ? Answer::No : Answer::Cancel;
    }
    // The questions of the walk: 1 change, 2 not wished, 3 full.
    const std::string walkQuestions[4] = {
        "", "B deltar redan i FOTBOLL. Skall eleven byta till DANS-2?",
        "C har ej önskat denna grupp. Skall eleven ändå placeras där?"_cp,
        "Gruppens maxantal är redan nått. Skall eleven ändå placeras där?"_cp};

    // The group of each pupil in period 1, as digits.
    std::string placedInPeriod1() const {
        std::string groups;
        for (int i = 1; i <= 5; ++i)
            groups += std::to_string(app.work.placement[1][i]);
        return groups;
    }
};

TEST_F(Placement, TheQuestionNamesAllTheMarkedOrTheOnePupil) {
    // lines listed, lines marked, the phrase
    const std::tuple<int, std::vector<int>, std::string> cases[] = {
        {1, {}, "eleven"},
        {1, {0}, " den markerade eleven"},
        {5, {3}, " den markerade eleven"},
        {5, {1, 3, 4}, "de 3 markerade eleverna"},
        {5, {}, "alla eleverna"},
    };
    for (const auto& [lines, marked, phrase] : cases) {
        app.screen.List2.lines.resize(static_cast<std::size_t>(lines));
        for (int k : marked)
            app.screen.List2.lines[static_cast<std::size_t>(k)].marked = true;
        desktop.expectMsgBox("Vill du placera " + phrase + " i Översikten i DANS-2?"_cp,
                             Buttons::YesNo, Icon::Question, kTitle, Answer::No, Answer::No);
        PlaceInCurrentGroup(app);
        EXPECT_EQ(placedInPeriod1(), "12000");
        EXPECT_FALSE(app.history.dirty());
        RefreshOverview(app);
    }
}

// The walk over all five pupils: A is in the group already; B changes group; C did not wish the
// group (asked only when wishes count); D wished its base name; the group fills on the way.
TEST_F(Placement, TheWalkAsksEachQuestionInOrderAndNoSkipsCancelStops) {
    // What, whether wishes are ignored, the questions asked in order with their answers (1 change,
    // 2 not wished, 3 full; Yes, No, Cancel), and the groups of A to E afterwards.
    const std::tuple<const char*, int, std::string, std::string> cases[] = {
        {"every answer Yes", 0, "1Y2Y3Y3Y", "11111"}, {"No skips one pupil", 0, "1N2Y3Y", "12111"},
        {"a full group: No", 0, "1Y2Y3N3N", "11100"}, {"Cancel stops", 0, "1Y2C", "11000"},
        {"without wishes", 1, "1Y3Y3C", "11110"},
    };
    for (const auto& [what, ignoreWishes, questions, placed] : cases) {
        SCOPED_TRACE(what);
        SetUp();
        app.work.start.ignoreWishes = ignoreWishes;
        desktop.expectMsgBox("Vill du placera alla eleverna i Översikten i DANS-2?"_cp,
                             Buttons::YesNo, Icon::Question, kTitle, Answer::Yes, Answer::No);
        for (std::size_t k = 0; k < questions.size(); k += 2)
            expectQuestion(walkQuestions[questions[k] - '0'], answerOf(questions[k + 1]));
        PlaceInCurrentGroup(app);
        EXPECT_EQ(placedInPeriod1(), placed);
        // Cancel still refreshes: counts, the board and the overview follow the placements.
        const auto members = std::count(placed.begin(), placed.end(), '1');
        EXPECT_EQ(app.work.groupMemberCount[1], members);
        EXPECT_EQ(app.screen.Label1[1].caption, "DANS-2\r\n " + std::to_string(members) + "  (" +
                                                    std::to_string(3 - members) + ")");
        EXPECT_EQ(app.screen.List2.lines[0].text, "+ 7A A");
        EXPECT_TRUE(app.history.dirty());
    }
}

// An error while C is asked about is shown under the command's title; D and E are still asked
// about and placed, and the walk ends as always: counted, refreshed and marked as a change, so
// that ending the program asks to save.
TEST_F(Placement, AnErrorAtOnePupilIsToldAndTheWalkGoesOn) {
    desktop.expectMsgBox("Vill du placera alla eleverna i Översikten i DANS-2?"_cp, Buttons::YesNo,
                         Icon::Question, kTitle, Answer::Yes, Answer::No);
    expectQuestion(walkQuestions[1], Answer::Yes);
    desktop.expectMsgBox(walkQuestions[2], Buttons::YesNoCancel, Icon::Question, kTitle,
                         Answer::Yes, [] { throw std::runtime_error("Fönstret svarar inte"); });
    desktop.expectMsgBox("Fönstret svarar inte"_cp, Buttons::Ok, Icon::Exclamation,
                         "Placera valda elever", Answer::Ok);
    expectQuestion(walkQuestions[3], Answer::Yes);
    EXPECT_NO_THROW(PlaceInCurrentGroup(app));
    EXPECT_EQ(placedInPeriod1(), "11011");
    EXPECT_EQ(app.work.groupMemberCount[1], 4);
    EXPECT_EQ(app.screen.Label1[1].caption, "DANS-2\r\n 4  (-1)");
    EXPECT_TRUE(app.history.dirty());
}

// The double-click on a label places the shown pupil or takes it out, then shows it all again:
// the counts, the label, the wish box with its marks and the overview's marker.
TEST_F(Placement, ADoubleClickPlacesTheShownPupilOrTakesItOut) {
    // What, the pupil and the group double-clicked, the questions (1 change, 2 not wished; Yes or
    // No), the pupil's groups in periods 1 and 2 afterwards, DANS-2's count, the wish box, the
    // pupil's marker in the overview, the pupils of period 1 not placed, and the step the history
    // names ("" for none).
    const std::tuple<const char*, int, int, std::string, int, int, int, std::string, std::string,
                     int, std::string>
        cases[] = {
            {"wished: no question", 4, 1, "", 1, 0, 2, "DANS  *P1", "+ ", 2, "Placera D i DANS-2"},
            {"placed already: out", 1, 1, "", 0, 0, 0, "DANS", "  ", 4, "Ta bort A ur DANS-2"},
            {"a group of period 2", 3, 3, "", 0, 3, 1, "KÖR  *P2", "  ", 3, "Placera C i KÖR"},
            {"changes group", 2, 1, "1Y", 1, 0, 2, "FOTBOLL\r\nDANS  *P1", "+ ", 3,
             "Placera B i DANS-2"},
            // Any No places nobody and shows nothing anew.
            {"No to the change", 2, 1, "1N", 2, 0, 1, "", "", 0, ""},
            {"No to a group not wished", 3, 1, "2N", 0, 0, 1, "", "", 0, ""},
        };
    for (const auto& [what, pupil, group, questions, period1, period2, members, wishBox, marker,
                      unplaced, step] : cases) {
        SCOPED_TRACE(what);
        SetUp();
        const PlacementTable before = app.work.placement;
        app.run.currentStudent = pupil;
        for (std::size_t k = 0; k < questions.size(); k += 2) {
            const std::string& question =
                questions[k] == '1'
                    ? walkQuestions[1]
                    : "Eleven har ej önskat denna grupp. Skall eleven ändå placeras där?"_cp;
            expectQuestion(question, answerOf(questions[k + 1]), Buttons::YesNo);
        }
        ToggleByDoubleClick(app, group);
        desktop.verify();
        EXPECT_EQ(app.work.placement[1][pupil], period1);
        EXPECT_EQ(app.work.placement[2][pupil], period2);
        EXPECT_EQ(app.work.groupMemberCount[1], members);
        EXPECT_EQ(app.history.undoName(), utf8ToCp1252(step));
        EXPECT_EQ(app.history.dirty(), !step.empty());
        if (step.empty()) continue;
        EXPECT_EQ(app.screen.Label1[1].caption, "DANS-2\r\n " + std::to_string(members) + "  (" +
                                                    std::to_string(3 - members) + ")");
        EXPECT_EQ(app.screen.Text2.text, utf8ToCp1252(wishBox));
        EXPECT_EQ(app.screen.List2.lines.at(static_cast<std::size_t>(pupil - 1)).text.substr(0, 2),
                  marker);
        EXPECT_EQ(app.screen.status.caption.substr(app.screen.status.caption.find("\r\n") + 2),
                  " " + std::to_string(unplaced) + " elev(er) ej placerad(e) vald period");
        Redigera_angra(app);
        EXPECT_EQ(app.work.placement, before);
    }
}

// Nothing without a shown pupil, and nothing in wish mode.
TEST_F(Placement, ADoubleClickWithoutAShownPupilOrInWishModeDoesNothing) {
    const PlacementTable before = app.work.placement;
    ToggleByDoubleClick(app, 2);
    app.run.currentStudent = 3;
    app.screen.Check1.value = 1;
    ToggleByDoubleClick(app, 2);
    EXPECT_EQ(app.work.placement, before);
    EXPECT_FALSE(app.history.dirty());
}

// A capacity that is empty, 0 or a word never makes a group full; "25 st" holds 25.
TEST_F(Placement, OnlyACapacityAboveZeroMakesAGroupFull) {
    const std::pair<std::string, bool> cases[] = {
        {"", false}, {"0", false}, {"många"_cp, false}, {"1 st", true}, {"-3", false}};
    for (const auto& [maxText, full] : cases) {
        app.work.groupTable[1].maxText = maxText;
        app.work.placement[1][4] = 0;
        app.run.currentStudent = 4;
        if (full) expectQuestion(walkQuestions[3], Answer::Yes, Buttons::YesNo);
        ToggleByDoubleClick(app, 1);
        EXPECT_EQ(app.work.placement[1][4], 1) << maxText;
    }
}

TEST_F(Placement, RemovingTheMarkedMembers) {
    const std::string title = "Ta bort elever ur aktuell grupp";
    app.work.placement[1][4] = app.work.placement[1][5] = 1;
    RecountGroupMembers(app.work);
    ShowMemberList(app, 1);  // head line, empty line, A, D, E
    ASSERT_EQ(app.screen.List1.lines.size(), 5u);

    desktop.expectMsgBox("Ingen elev är markerad."_cp, Buttons::Ok, Icon::Exclamation, title,
                         Answer::Ok);
    RemoveMarkedFromGroup(app);

    const std::string question =
        "Är du säker på att du vill ta bort markerad(e) elev(er) ur DANS-2?"_cp;
    // marked lines, the answer, who stays in period 1, whether the work changed
    const std::tuple<std::vector<int>, Answer, std::string, bool> cases[] = {
        {{2, 4}, Answer::No, "12011", false},
        {{0, 1}, Answer::Yes, "12011", true},  // the head lines carry nobody
        {{2, 4}, Answer::Yes, "02010", true},  // A and E go, D stays
    };
    for (const auto& [marked, answer, stays, changed] : cases) {
        ShowMemberList(app, 1);
        for (int k : marked)
            app.screen.List1.lines[static_cast<std::size_t>(k)].marked = true;
        app.history.markClean();
        desktop.expectMsgBox(question, Buttons::YesNo, Icon::Question, title, answer);
        RemoveMarkedFromGroup(app);
        EXPECT_EQ(placedInPeriod1(), stays);
        EXPECT_EQ(app.history.dirty(), changed);
    }
    EXPECT_EQ(app.screen.List1.lines[0].text, "DANS-2  Antal:  1");
    EXPECT_EQ(app.screen.List1.lines.size(), 3u);
}

}  // namespace
}  // namespace pelora::test
