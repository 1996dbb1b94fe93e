// The edit history: each command that changes the work taken back and done again exactly, the
// unsaved changes as the distance from the saved step, typing in the wish box as one step, and
// the limits of what is kept.
#include "commands/history.h"

#include <functional>

#include "commands/board.h"
#include "commands/edit.h"
#include "commands/groups.h"
#include "commands/lifecycle.h"
#include "commands/opensave.h"
#include "commands/placement.h"
#include "commands/proposal.h"
#include "commands/startdata.h"
#include "commands/wishes.h"
#include "core_fixture.h"
#include "display/board.h"
#include "display/currentpupil.h"
#include "display/overview.h"
#include "formats/workfile.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

const std::string kPlace = "Placera elev i grupp";

// Two periods. DANS (3 places), FOTBOLL and SCHACK in period 1, KÖR in period 2. Ada is in DANS
// and Bo in FOTBOLL in period 1, Cy in KÖR in period 2; Di is not placed. Ada is shown, DANS is
// the current group.
class Undo : public CoreTest {
protected:
    void SetUp() override {
        Work& w = app.work;
        w = Work{};
        app.run = RunState{};
        w.start = {"Val", "Skolan", "HT 2026", "", "", 2, 0, 0};
        w.groupTable[1] = {"DANS", "Eva", "3", "Sal 3", "1", 0, 0};
        w.groupTable[2] = {"FOTBOLL", "", "", "", "1", 1300, 0};
        w.groupTable[3] = {"KÖR"_cp, "", "", "", "2", 0, 550};
        w.groupTable[4] = {"SCHACK", "", "", "", "1", 2600, 0};
        w.groupCount = 4;
        const char* names[] = {"Ada", "Bo", "Cy", "Di"};
        const char* wishes[] = {"DANS\r\nFOTBOLL", "FOTBOLL\r\nDANS", "KÖR", "SCHACK\r\nDANS"};
        for (int i = 1; i <= 4; ++i) {
            w.studentTable[i] = {names[i - 1], "000" + std::to_string(i), i <= 2 ? "7A" : "7B",
                                 utf8ToCp1252(wishes[i - 1])};
        }
        w.studentCount = 4;
        w.classList[1] = "7A";
        w.classList[2] = "7B";
        w.classCount = 2;
        w.placement[1][1] = 1;
        w.placement[1][2] = 2;
        w.placement[2][3] = 3;
        RecountGroupMembers(w);
        for (int g = 1; g <= 4; ++g)
            app.screen.Label1[g].stackOrder = g;
        app.screen.topStackOrder = 4;
        app.screen.Check1.value = 0;
        app.screen.Combo3.items = {"Alla"};
        app.screen.Combo3.text = "Alla";
        app.run.currentGroup = 1;
        app.run.currentStudent = 1;
        ShowMemberList(app, 1);
        ShowCurrentStudent(app);
        app.history.clear();
    }

    // Everything the work file holds, the counts, and the labels' stacking.
    std::string state() const {
        const Work& w = app.work;
        std::string text = workFileBytes(w) + "|groups " + std::to_string(w.groupCount) + ":";
        for (int g = 1; g <= w.groupCount; ++g) {
            text += " " + std::to_string(w.groupMemberCount[g]) + "/" +
                    std::to_string(app.screen.Label1[g].stackOrder);
        }
        return text;
    }

    void mark(ListBox& list, std::initializer_list<int> pupils) {
        for (ListLine& line : list.lines) {
            for (int i : pupils)
                line.marked = line.marked || line.itemData == i;
        }
    }

    void expectBulkQuestion(const std::string& phrase, const std::string& group) {
        desktop.expectMsgBox("Vill du placera " + phrase + " i Översikten i "_cp + group + "?",
                             Buttons::YesNo, Icon::Question, kPlace, Answer::Yes, Answer::No);
    }
    void expectQuestion(const std::string& text, Answer answer) {
        desktop.expectMsgBox(text, Buttons::YesNoCancel, Icon::Question, kPlace, answer);
    }
};

TEST_F(Undo, EachCommandIsTakenBackAndDoneAgainExactly) {
    // The step's name and the command, with the questions it asks.
    const std::vector<std::pair<std::string, std::function<void()>>> cases = {
        {"Placera 2 elever i SCHACK",
         [&] {
             app.run.currentGroup = 4;
             mark(app.screen.List2, {2, 4});
             expectBulkQuestion("de 2 markerade eleverna", "SCHACK");
             expectQuestion("Bo deltar redan i FOTBOLL. Skall eleven byta till SCHACK?",
                            Answer::Yes);
             expectQuestion("Bo har ej önskat denna grupp. Skall eleven ändå placeras där?"_cp,
                            Answer::Yes);
             PlaceInCurrentGroup(app);
         }},
        {"Placera 1 elev i DANS",  // Bo placed, then "Avbryt" at Cy
         [&] {
             expectBulkQuestion("alla eleverna", "DANS");
             expectQuestion("Bo deltar redan i FOTBOLL. Skall eleven byta till DANS?", Answer::Yes);
             expectQuestion("Cy har ej önskat denna grupp. Skall eleven ändå placeras där?"_cp,
                            Answer::Cancel);
             PlaceInCurrentGroup(app);
         }},
        {"Placera Di i SCHACK",
         [&] {
             app.run.currentStudent = 4;
             ToggleByDoubleClick(app, 4);
         }},
        {"Ta bort Ada ur DANS", [&] { ToggleByDoubleClick(app, 1); }},
        {"Ta bort 1 elev ur DANS",
         [&] {
             mark(app.screen.List1, {1});
             desktop.expectMsgBox(
                 "Är du säker på att du vill ta bort markerad(e) elev(er) ur DANS?"_cp,
                 Buttons::YesNo, Icon::Question, "Ta bort elever ur aktuell grupp", Answer::Yes);
             RemoveMarkedFromGroup(app);
         }},
        {"Skapa gruppen SLÖJD"_cp,
         [&] {
             desktop.expectDialog(Dialog::GroupEditor, [&] {
                 app.form2.Text1.text = "Slöjd"_cp;
                 app.form2.Text3.text = "12";
                 app.form2.Text5.text = "2";
                 form2::Command1_Click(app);
                 form2::Command2_Click(app);
             });
             ny_grupp(app);
         }},
        {"Redigera gruppen FOTBOLL",
         [&] {
             app.run.currentGroup = 2;
             desktop.expectDialog(Dialog::GroupEditor, [&] {
                 app.form2.Text2.text = "Per";
                 form2::Command1_Click(app);
             });
             h_klick_red(app);
         }},
        {"Ta bort gruppen DANS",  // the later groups move down a number
         [&] {
             desktop.expectMsgBox("Vill du ta bort gruppen DANS?", Buttons::YesNo, Icon::Question,
                                  "Ta bort grupp", Answer::Yes);
             H_klick_tabort(app);
         }},
        {"Flytta etiketten KÖR"_cp,
         [&] {
             app.screen.dragOffsetX = 10;
             app.screen.dragOffsetY = 20;
             Picture1_DragDrop(app, 3, 510, 720);
         }},
        {"Ordna etiketterna",  // the three labels of period 1
         [&] {
             RefreshBoard(app);
             Redigera_ordna(app);
         }},
        {"Ändra önskemål för Bo"_cp,
         [&] {
             app.run.currentStudent = 2;
             ShowCurrentStudent(app);
             app.screen.Text2.text = "fotboll\r\nschack";
             StoreWishText(app);
         }},
        {"Ändra önskemål för Ada"_cp,
         [&] {
             app.screen.Check1.value = 1;
             Label1_MouseDown(app, 4, MouseButton::Left, 0, 0);
         }},
        {"Föreslå placering"_cp,
         [&] {
             desktop.expectDialog(Dialog::Proposal, [&] { form8::Command1_Click(app); });
             Arkiv_forslag(app);
         }},
        {"Redigera startdata",
         [&] {
             desktop.expectDialog(Dialog::StartData, [&] {
                 app.form3.Text1.text = "Nya skolan";
                 app.form3.Text6.text = "3";
                 form3::Command1_Click(app);
             });
             desktop.expectMsgBox(
                 "Spara och starta om programmet för att ta ändringarna i bruk."_cp, Buttons::Ok,
                 Icon::Information, "Redigera startdata", Answer::Ok);
             red_startdata(app);
         }},
        {"Redigera startdata",  // kept after a failed check and "Avbryt"
         [&] {
             desktop.expectDialog(Dialog::StartData, [&] {
                 app.form3.Text2.text = "VT 2027";
                 app.form3.Text6.text = "0";
                 form3::Command1_Click(app);
                 form3::Command2_Click(app);
             });
             desktop.expectMsgBox("Ange period!", Buttons::Ok, Icon::Exclamation,
                                  "Redigera startdata", Answer::Ok);
             red_startdata(app);
         }},
    };
    TempFolder folder;
    for (const auto& [step, command] : cases) {
        SCOPED_TRACE(cp1252ToUtf8(step));
        SetUp();
        app.run.workFilePath = folder.path("arbete.pel");
        Arkiv_Spara(app);
        const std::string saved = fileBytes(app.run.workFilePath);
        const std::string before = state();
        command();
        desktop.verify();
        const std::string after = state();
        const int currentAfter = app.run.currentGroup;
        EXPECT_NE(after, before);
        EXPECT_EQ(app.history.undoName(), step);
        EXPECT_EQ(app.history.steps(), 1u);
        EXPECT_TRUE(app.history.dirty());

        Redigera_angra(app);
        EXPECT_EQ(state(), before);
        EXPECT_FALSE(app.history.dirty());
        EXPECT_EQ(app.history.redoName(), step);
        Redigera_gorom(app);
        EXPECT_EQ(state(), after);
        EXPECT_EQ(app.run.currentGroup, currentAfter);
        EXPECT_TRUE(app.history.dirty());
        Redigera_angra(app);
        Arkiv_Spara(app);
        EXPECT_EQ(fileBytes(app.run.workFilePath), saved);
    }
}

TEST_F(Undo, UndoShowsTheWorkAgainAsAfterAPlacement) {
    desktop.expectMsgBox("Vill du ta bort gruppen DANS?", Buttons::YesNo, Icon::Question,
                         "Ta bort grupp", Answer::Yes);
    H_klick_tabort(app);
    ASSERT_EQ(app.run.currentGroup, 0);
    Redigera_angra(app);
    // DANS is back, current again with its member, its label and its count; Ada shows her mark.
    EXPECT_EQ(app.run.currentGroup, 1);
    EXPECT_EQ(app.screen.List1.lines.at(0).text, "DANS  Antal:  1");
    EXPECT_EQ(app.screen.List1.lines.at(2).text, "7A Ada");
    EXPECT_TRUE(app.screen.Label1[4].visible);
    EXPECT_EQ(app.screen.Label1[1].caption, "DANS\r\n 1  (2)");
    EXPECT_EQ(app.screen.Text2.text, "DANS  *P1\r\nFOTBOLL");
    EXPECT_EQ(app.screen.List2.lines.at(0).text.substr(0, 2), "+ ");
    Redigera_gorom(app);
    EXPECT_EQ(std::pair(app.run.currentGroup, app.screen.List1.lines.size()),
              std::pair(0, std::size_t{0}));
    EXPECT_EQ(app.screen.Label1[1].caption, "FOTBOLL\r\n 1");
    EXPECT_FALSE(app.screen.Label1[4].visible);
    EXPECT_EQ(app.screen.Text2.text, "DANS\r\nFOTBOLL");
}

TEST_F(Undo, DirtyIsTheDistanceFromTheSavedStep) {
    auto drag = [&](double x) { Picture1_DragDrop(app, 2, x, 0); };
    drag(100);
    drag(200);
    app.history.markClean();  // saved after two steps
    // Each move through the history (Undo, Redo or a Drag) and whether the work then differs
    // from the saved one: nothing more to take back or do again, then a drag after an undo puts
    // the saved step out of reach.
    const std::string moves = "U1 R0 U1 U1 U1 R1 R0 R0 U1 D1 U1 U1";
    for (std::size_t k = 0; k < moves.size(); k += 3) {
        moves[k] == 'U' ? Redigera_angra(app) : moves[k] == 'R' ? Redigera_gorom(app) : drag(300);
        EXPECT_EQ(app.history.dirty(), moves[k + 1] == '1') << "move " << k / 3;
    }
    EXPECT_EQ(app.work.groupTable[2].boardLeft, 1300);
    Redigera_gorom(app);
    Redigera_gorom(app);
    EXPECT_EQ(app.work.groupTable[2].boardLeft, 300);
    EXPECT_FALSE(app.history.canRedo());
}

// What counts as a change with nothing to take back: the saved step is out of reach until the
// next save, also when a later step is taken back.
TEST_F(Undo, AChangeWithNothingChangedLeavesTheWorkUnsaved) {
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"a walk cancelled before anyone was placed",
         [&] {
             expectBulkQuestion("alla eleverna", "DANS");
             expectQuestion("Bo deltar redan i FOTBOLL. Skall eleven byta till DANS?",
                            Answer::Cancel);
             PlaceInCurrentGroup(app);
         }},
        {"only the head lines taken out",
         [&] {
             app.screen.List1.lines[0].marked = true;
             desktop.expectMsgBox(
                 "Är du säker på att du vill ta bort markerad(e) elev(er) ur DANS?"_cp,
                 Buttons::YesNo, Icon::Question, "Ta bort elever ur aktuell grupp", Answer::Yes);
             RemoveMarkedFromGroup(app);
         }},
        {"the start data's OK with nothing changed",
         [&] {
             desktop.expectDialog(Dialog::StartData, [&] { form3::Command1_Click(app); });
             desktop.expectMsgBox(
                 "Spara och starta om programmet för att ta ändringarna i bruk."_cp, Buttons::Ok,
                 Icon::Information, "Redigera startdata", Answer::Ok);
             red_startdata(app);
         }},
        {"the group editor's OK with nothing changed",
         [&] {
             desktop.expectDialog(Dialog::GroupEditor, [&] { form2::Command1_Click(app); });
             h_klick_red(app);
         }},
    };
    for (const auto& [what, command] : cases) {
        SCOPED_TRACE(what);
        SetUp();
        const std::string before = state();
        command();
        desktop.verify();
        EXPECT_EQ(state(), before);
        EXPECT_FALSE(app.history.canUndo());
        EXPECT_TRUE(app.history.dirty());
        Picture1_DragDrop(app, 2, 0, 0);
        Redigera_angra(app);
        EXPECT_TRUE(app.history.dirty());
    }
    // Pressing "Nej" or answering No to the only question changes nothing.
    SetUp();
    app.run.currentStudent = 3;
    desktop.expectMsgBox("Eleven har ej önskat denna grupp. Skall eleven ändå placeras där?"_cp,
                         Buttons::YesNo, Icon::Question, kPlace, Answer::No);
    ToggleByDoubleClick(app, 1);
    EXPECT_FALSE(app.history.dirty());
}

// The changes of one shown pupil's wishes are one step, the box's own "Ångra" among them; a step
// typed back to where it began is gone, though the work stays changed.
TEST_F(Undo, TypingInTheWishBoxIsOneStepPerShownPupil) {
    MainScreen& s = app.screen;
    auto type = [&](const std::string& text) {
        s.Text2.text = text;
        StoreWishText(app);
    };
    type("DANS  *P1\r\nFOTBOLL\r\nK");
    type("DANS  *P1\r\nFOTBOLL\r\nKÖR"_cp);
    EXPECT_EQ(app.history.steps(), 1u);
    EXPECT_EQ(app.work.studentTable[1].wishes, "DANS\r\nFOTBOLL\r\nKÖR"_cp);
    UndoWishes(app);
    EXPECT_EQ(app.work.studentTable[1].wishes, "DANS\r\nFOTBOLL");
    EXPECT_EQ(app.history.steps(), 0u);
    EXPECT_TRUE(app.history.dirty());

    auto show = [&](int pupil) {
        app.run.currentStudent = pupil;
        ShowCurrentStudent(app);
    };
    type("SCHACK");
    show(2);
    show(1);
    type("DANS");  // Ada's again, but after Bo was shown
    show(2);
    type("DANS");
    EXPECT_EQ(app.history.steps(), 3u);
    ASSERT_TRUE(s.Command4.enabled);

    // Undone, the wish box shows the wishes as they are now, its "Ångra" started anew.
    Redigera_angra(app);
    EXPECT_EQ(s.Text2.text, "FOTBOLL  *P1\r\nDANS");
    EXPECT_EQ(app.run.undoWishes, "FOTBOLL\r\nDANS");
    EXPECT_FALSE(s.Command4.enabled);
    // The pupil whose wishes come back is shown.
    Redigera_angra(app);
    EXPECT_EQ(app.run.currentStudent, 1);
    EXPECT_EQ(s.Text2.text, "SCHACK");
    // Typing after an undo is a new step; the one that could be done again is gone.
    type("FOTBOLL");
    EXPECT_EQ(std::pair(app.history.steps(), app.history.canRedo()),
              std::pair(std::size_t{2}, false));
    // After a save the typing goes on as a step of its own.
    app.history.markClean();
    type("FOTBOLL\r\nDANS");
    EXPECT_EQ(app.history.steps(), 3u);
    Redigera_angra(app);
    EXPECT_FALSE(app.history.dirty());
}

TEST_F(Undo, NewOpenAndARestoredCopyStartAHistoryOfTheirOwn) {
    Picture1_DragDrop(app, 2, 100, 0);
    // New cancelled after "Nej": the work as it was, its history with it, and nothing unsaved.
    desktop.expectMsgBox("Vill du spara ändringarna?"_cp, Buttons::YesNoCancel, Icon::Question,
                         "Nytt", Answer::No);
    desktop.expectDialog(Dialog::StartData, [&] { form3::Command2_Click(app); });
    Arkiv_Nytt(app);
    EXPECT_EQ(std::pair(app.history.canUndo(), app.history.dirty()), std::pair(true, false));
    Redigera_angra(app);
    EXPECT_TRUE(app.history.dirty());

    openWorkFile(app, PELORA_TEST_DATA "/utskrift/arbete.pel");
    ASSERT_EQ(app.work.studentTable[1].name, "Cy Dahl");
    EXPECT_EQ(std::pair(app.history.canUndo(), app.history.dirty()), std::pair(false, false));

    // A file refused halfway brings the history back with the work.
    Picture1_DragDrop(app, 2, 200, 0);
    desktop.expectMsgBox(
        "Fel i trasig.pel, rad 2: filen anger 0 perioder, men programmet "
        "hanterar 1 till 10 perioder. Filen har inte öppnats."_cp,
        Buttons::Ok, Icon::Exclamation, "Öppna"_cp, Answer::Ok);
    EXPECT_FALSE(openWorkBytes(app, "AKTIVITET: A\r\nANTAL PERIODER:  0 \r\n", "trasig.pel"));
    desktop.verify();
    EXPECT_EQ(std::pair(app.history.undoName(), app.history.dirty()),
              std::pair(std::string("Flytta etiketten FOTBOLL"), true));
}

TEST(EditHistory, KeepsAHundredStepsAndDropsOlderOnesOnlyBeyondTheMemoryLimit) {
    auto step = [](std::size_t wishBytes) {
        EditStep made;
        made.name = "Ändra önskemål"_cp;
        made.wishes.push_back({1, std::string(wishBytes, 'A'), "B"});
        return made;
    };
    History small;
    for (int k = 0; k < 150; ++k)
        small.record(step(10));
    EXPECT_EQ(small.steps(), 150u);

    History large;
    for (int k = 0; k < 120; ++k)
        large.record(step(300'000));
    EXPECT_EQ(large.steps(), 100u);
    int undone = 0;
    while (large.undo())
        ++undone;
    EXPECT_EQ(undone, 100);
    // The saved position went with the oldest steps.
    EXPECT_TRUE(large.dirty());

    History under;
    for (int k = 0; k < 80; ++k)
        under.record(step(300'000));
    EXPECT_EQ(under.steps(), 80u);
    EXPECT_GT(under.bytes(), History::kMemoryLimit);
}

}  // namespace
}  // namespace pelora::test
