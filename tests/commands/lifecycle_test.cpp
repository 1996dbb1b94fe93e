// The start data dialog, New, and the question about unsaved changes.
#include "commands/lifecycle.h"

#include <tuple>

#include "commands/opensave.h"
#include "commands/startdata.h"
#include "core_fixture.h"
#include "formats/workfile.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

const std::string kQuestion = "Vill du spara ändringarna?"_cp;
const std::string kEdit = "Redigera startdata";

class Lifecycle : public CoreTest {
protected:
    // A work with two groups (DANS in period 1, FOTO in period 2) and one placed pupil.
    void oldWork() {
        Work& w = app.work;
        w.start = {"Val", "Skolan", "HT", "7A  7B", "", 2, 1, 0};
        w.groupCount = 2;
        w.groupTable[1] = {"DANS", "LÄRARE"_cp, "20", "sal 3", "1", 120, 480};
        w.groupTable[2] = {"FOTO", "Per", "", "", "2", 1500, 300};
        w.studentCount = w.groupMemberCount[1] = w.placement[1][1] = 1;
        w.studentTable[1] = {"Gammal Elev", "ABCD", "9C", "DANS"};
        app.run.workFilePath = "/gammal.pel";
    }
};

TEST_F(Lifecycle, ClearWorkResetsCountsAndBoxesButKeepsRowsAndSettings) {
    oldWork();
    Work& w = app.work;
    RunState& r = app.run;
    w.classCount = r.currentClassIndex = r.currentStudent = r.currentGroup = r.previousStudent = 1;
    r.undoWishes = "X";
    r.dirty = true;
    r.currentPeriod = 2;
    MainScreen& s = app.screen;
    s.Combo1.addItem("9C");
    s.Combo2.addItem("Gammal Elev", 1);
    s.List1.addItem("DANS");
    s.List2.addItem("   9C Gammal Elev", 1);
    s.Command4.enabled = true;
    s.Text2.text = "DANS";

    ClearWork(app);

    EXPECT_EQ(
        (std::vector<int>{w.groupCount, w.studentCount, w.classCount, r.currentClassIndex,
                          r.currentStudent, r.currentGroup, r.previousStudent,
                          w.groupMemberCount[1], w.start.periodCount, s.Command4.enabled, r.dirty}),
        (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 1, false, false}));
    EXPECT_EQ(
        s.Combo1.items.size() + s.Combo2.items.size() + s.List1.lines.size() + s.List2.lines.size(),
        0u);
    EXPECT_EQ(s.Text2.text + r.undoWishes, "");
    // Left alone: the pupil rows, the placements, the start data texts and switches, the period.
    EXPECT_EQ(w.studentTable[1].wishes + "|" + w.start.activity + "|" + w.start.classFilter,
              "DANS|Val|7A  7B");
    EXPECT_EQ((std::vector<int>{w.placement[1][1], w.start.showAllPeriods, r.currentPeriod}),
              (std::vector<int>{1, 1, 2}));
    w.groupCount = 2;  // putting the count back brings the groups back
    EXPECT_EQ(groupLine(w.groupTable[2]), "FOTO,Per,,,  1500 ,  300 ,2");
}

TEST_F(Lifecycle, ActivationFillsTheCriteriaAndTheStepperByPeriods) {
    const std::string wished = "Önskat aktuell grupp"_cp, search = "Enligt sökbegrepp"_cp;
    const std::vector<std::string> one = {"Alla",
                                          "Ej gjort val",
                                          "Ej placerade",
                                          wished,
                                          "Aktuell grupp som 1:a-val",
                                          "Aktuell grupp som >1:a-val",
                                          "Ej fått 1:a-val"_cp,
                                          search};
    const std::vector<std::tuple<int, int, std::vector<std::string>, bool>> cases = {
        {1, 0, one, false},
        {2, 0, {"Alla", "Ej gjort val", "Ej placerade vald period", wished, search}, true},
        {3, 1, {"Alla", "Ej gjort val", wished, search}, false},
    };
    for (const auto& [periods, all, criteria, stepper] : cases) {
        SCOPED_TRACE(periods * 10 + all);
        app.work.start.periodCount = periods;
        app.work.start.showAllPeriods = all;
        app.run.currentPeriod = 2;
        app.screen.periodDisplay.caption.clear();
        app.screen.Combo3.text = "Ej gjort val";
        Form_Activate(app);
        EXPECT_EQ(app.screen.Combo3.items, criteria);
        EXPECT_EQ(app.screen.Combo3.text, "Alla");
        EXPECT_EQ((std::vector<bool>{app.screen.Command9.enabled, app.screen.Command10.enabled,
                                     app.screen.periodDisplay.enabled}),
                  std::vector<bool>(3, stepper));
        EXPECT_EQ(app.screen.periodDisplay.caption, stepper ? "2" : "");
        EXPECT_EQ(app.form4.Text4.enabled, periods > 1);
    }
    Form_Load(app, 1000, 1100, "");  // 1.1 times the designed width does not fit: maximized
    EXPECT_TRUE(app.screen.startMaximized);
    Form_Load(app, 1000, 1101, "");
    EXPECT_FALSE(app.screen.startMaximized);
}

TEST_F(Lifecycle, YesOnExitForAnUnnamedWorkAsksForANameAndEndsWithoutIt) {
    app.run.dirty = true;
    desktop.expectMsgBox(kQuestion, Buttons::YesNoCancel, Icon::Question, "Avsluta", Answer::Yes)
        .expectSaveFile(std::nullopt);
    EXPECT_TRUE(Arkivavsluta(app));
}

TEST_F(Lifecycle, CancelAtTheSaveQuestionGoesBackAndAvbrytInNewAfterNoOnlyClearsDirty) {
    const std::pair<std::string, std::function<void()>> commands[] = {
        {"Öppna"_cp, [&] { Arkivoppna(app); }},
        {"Nytt", [&] { Arkiv_Nytt(app); }},
        {"Avsluta", [&] { EXPECT_FALSE(Arkivavsluta(app)); }},
    };
    oldWork();
    const std::string before = workFileBytes(app.work);
    app.run.dirty = true;
    for (const auto& [title, command] : commands) {
        desktop.expectMsgBox(kQuestion, Buttons::YesNoCancel, Icon::Question, title,
                             Answer::Cancel);
        command();
        desktop.verify();
        EXPECT_TRUE(app.run.dirty) << title;
    }
    desktop.expectMsgBox(kQuestion, Buttons::YesNoCancel, Icon::Question, "Nytt", Answer::No)
        .expectDialog(Dialog::StartData, [&] {
            app.form3.Text6.text = "5";
            form3::Command2_Click(app);
        });
    Arkiv_Nytt(app);
    EXPECT_EQ(workFileBytes(app.work), before);
    EXPECT_EQ(app.run.workFilePath, "/gammal.pel");
    EXPECT_FALSE(app.run.dirty);
    EXPECT_FALSE(app.run.startDataCancelled);
    EXPECT_TRUE(Arkivavsluta(app));  // without changes nothing is asked
}

TEST_F(Lifecycle, NewBuildsTheWorkFromTheDialogKeepingTheGroupsOnlyWhenAsked) {
    TempFolder folder;
    const std::string roster = folder.write(
        "elever.txt", "Anna Berg\t9001011234\t7A\r\nBo Ekman\t1\t7B\r\nCarl Dahl\t1\t8A\r\n");
    // "Behåll befintliga grupper", a roster, and the groups and pupils of the new work
    const std::tuple<int, bool, int, int> cases[] = {
        {1, true, 2, 2}, {0, true, 0, 2}, {1, false, 2, 0}};
    for (const auto& [keep, withRoster, groups, pupils] : cases) {
        oldWork();
        const std::string kept = groupLine(app.work.groupTable[2]);
        desktop.expectDialog(Dialog::StartData, [&] {
            EXPECT_EQ(app.form3.caption, "Nytt");
            app.form3.Text3.text = withRoster ? roster : "";
            app.form3.Text4.text = "7A, 8A";
            app.form3.Text6.text = "3";
            app.form3.Check1.value = keep;
            form3::Command1_Click(app);
        });
        Arkiv_Nytt(app);
        desktop.verify();
        const Work& w = app.work;
        EXPECT_EQ(w.start.periodCount, 3);
        EXPECT_EQ(w.groupCount, groups) << "keep " << keep << ", roster " << withRoster;
        EXPECT_EQ(groupLine(w.groupTable[2]), kept);
        EXPECT_EQ(w.studentCount, pupils);
        EXPECT_EQ(w.placement[1][1], pupils > 0 ? 0 : 1);  // reading the roster clears it
        EXPECT_FALSE(app.run.dirty);
        EXPECT_EQ(app.screen.Label1[1].visible, groups > 0);
    }
}

TEST_F(Lifecycle, ShowAllPeriodsFollowsTheNumberOfPeriods) {
    // periods typed, showAllPeriods stored, the box before and after, whether it is enabled
    const std::tuple<std::string, int, int, int, bool> cases[] = {
        {"1", 1, 1, 0, false}, {"", 1, 1, 0, false}, {"1.9", 1, 1, 0, false},
        {"2", 1, 0, 1, true},  {"2", 0, 1, 1, true}, {" 3 ", 0, 0, 0, true},
    };
    for (const auto& [periods, stored, before, after, enabled] : cases) {
        app.work.start.showAllPeriods = stored;
        app.form3.Check2 = {before, true};
        app.form3.Text6.text = periods;
        form3::Text6_Change(app);
        EXPECT_EQ(app.form3.Check2.value, after) << periods;
        EXPECT_EQ(app.form3.Check2.enabled, enabled) << periods;
    }
}

TEST_F(Lifecycle, StartDataOkStoresTheFieldsThenChecksThePeriodsInOrder) {
    const std::string none = "Ange period!", tooMany = "Programmet hanterar högst 10 perioder."_cp;
    const std::string groupGone =
        "Det finns grupp(er) som lagts i period som nu tas bort. Ta först bort gruppen eller "
        "ändra dess period."_cp;
    // periods typed, the period of the one group (0: none), the refusal, periodCount afterwards;
    // under "Nytt" the groups count even when they are not to be kept
    const std::tuple<std::string, int, std::string, int> cases[] = {
        {"", 0, none, 2},       {"0.9", 0, none, 2},      {"tre", 3, none, 2},
        {"2", 3, groupGone, 2}, {"2.6", 3, groupGone, 2}, {"11", 12, groupGone, 2},
        {"11", 0, tooMany, 2},  {"10.2", 0, tooMany, 2},  {"2.5", 0, "", 2},
        {"3.5", 0, "", 4},      {"10", 10, "", 10},       {" 1 ", 1, "", 1},
    };
    for (const auto& [periods, groupPeriod, refusal, periodCount] : cases) {
        SCOPED_TRACE("periods \"" + periods + "\"");
        app.work.start.periodCount = 2;
        app.work.groupCount = groupPeriod > 0 ? 1 : 0;
        app.work.groupTable[1].periodText = std::to_string(groupPeriod);
        app.run.dirty = false;
        app.form3.visible = true;
        app.form3.Text1.text = " Skola, Norr ";
        app.form3.Text4.text = "7A, 7B";
        app.form3.Check3.value = 1;
        app.form3.Text6.text = periods;
        if (!refusal.empty()) {
            desktop.expectMsgBox(refusal, Buttons::Ok, Icon::Exclamation, "Nytt", Answer::Ok);
        }
        form3::Command1_Click(app);
        desktop.verify();
        EXPECT_EQ(app.form3.visible, !refusal.empty());
        EXPECT_EQ(app.work.start.periodCount, periodCount);
        EXPECT_EQ(app.run.dirty, refusal.empty());
        // The fields are stored before the checks; only the school keeps its commas.
        const StartData& stored = app.work.start;
        EXPECT_EQ(
            stored.school + "|" + stored.classFilter + "|" + std::to_string(stored.ignoreWishes),
            "Skola, Norr|7A  7B|1");
    }
}

// A path typed without a folder is kept as the path of that file in the current folder, so the
// work reads the same roster from wherever it is opened later; an unchanged path stays as it is.
TEST_F(Lifecycle, EditStartDataTellsToRestartThenAboutTheNewRoster) {
    TempFolder folder;
    const CurrentFolder here(folder.native());
    app.work.start.studentListPath = "elever.txt";
    for (const std::string typed : {"elever.txt", "ny.txt"}) {
        desktop.expectDialog(Dialog::StartData, [&] {
            EXPECT_EQ(app.form3.caption, kEdit);
            app.form3.Text3.text = typed;
            form3::Command1_Click(app);
        });
        desktop.expectMsgBox("Spara och starta om programmet för att ta ändringarna i bruk."_cp,
                             Buttons::Ok, Icon::Information, kEdit, Answer::Ok);
        if (typed == "ny.txt") {
            desktop.expectMsgBox("Spara gruppfördelningen och öppna den igen för inläsning av "_cp +
                                     folder.text("ny.txt") + ".",
                                 Buttons::Ok, Icon::Information, "Redigera startvärden"_cp,
                                 Answer::Ok);
        }
        red_startdata(app);
        desktop.verify();
        EXPECT_EQ(app.work.start.studentListPath,
                  typed == "ny.txt" ? folder.text("ny.txt") : "elever.txt");
    }
    EXPECT_EQ(app.work.studentCount, 0);  // the roster is read at the next open only
}

// The shown period is kept while the work still has it, and only then.
TEST_F(Lifecycle, StartDataKeepsTheShownPeriodWhileTheWorkStillHasIt) {
    const std::pair<std::string, int> cases[] = {{"3", 2}, {"2", 2}, {"1", 1}};
    for (const auto& [periods, shown] : cases) {
        app.work.start.periodCount = 3;
        app.run.currentPeriod = 2;
        app.screen.periodDisplay.caption = "2";
        app.form3.Text6.text = periods;
        form3::Command1_Click(app);
        EXPECT_EQ(app.run.currentPeriod, shown) << periods;
        EXPECT_EQ(app.screen.periodDisplay.caption, std::to_string(shown)) << periods;
    }
}

// The dialog shows the work's "Gruppfördelning utan önskemål" each time, whatever it showed last.
TEST_F(Lifecycle, StartDataShowsTheWorksAllocationWithoutWishes) {
    for (int ignoreWishes : {1, 0, 1}) {
        app.work.start.ignoreWishes = ignoreWishes;
        app.form3.Check3.value = 1 - ignoreWishes;
        form3::Form_Activate(app);
        EXPECT_EQ(app.form3.Check3.value, ignoreWishes);
    }
}

// Whatever is pasted into a field, the work file keeps one line for it.
TEST_F(Lifecycle, StartDataFieldsStoreNoLineBreakOrTab) {
    app.form3.Text1.text = " Skolan\r\nNorr ";
    app.form3.Text5.text = "Val\tHT";
    app.form3.Text2.text = "HT\n2026";
    app.form3.Text3.text = "/skola/\r\nelever.txt";
    app.form3.Text4.text = "7A\r\n7B\r\n7C\r\n";
    form3::Command1_Click(app);
    const StartData& s = app.work.start;
    EXPECT_EQ(std::vector<std::string>(
                  {s.school, s.activity, s.periodLabel, s.studentListPath, s.classFilter}),
              std::vector<std::string>(
                  {"Skolan Norr", "Val HT", "HT 2026", "/skola/ elever.txt", "7A 7B 7C"}));
}

// A roster path the work file cannot hold in Windows-1252 is refused before anything is stored;
// "Bläddra" cancelled keeps what was typed.
TEST_F(Lifecycle, ARosterPathWindows1252CannotHoldIsRefused) {
    app.form3.Text3.text = "/skola/elever.txt";
    desktop.expectOpenFile(std::nullopt)
        .expectOpenFile(std::filesystem::path("/skola/Łódź.txt"))
        .expectMsgBox(
            "Sökvägen till elevlistan har tecken som inte kan sparas i arbetsfilen. "
            "Välj en elevlista i en mapp vars namn bara har bokstäver som a-z, å, ä, ö "
            "och é, eller byt namn på filen."_cp,
            Buttons::Ok, Icon::Exclamation, "Nytt", Answer::Ok)
        .expectOpenFile(std::filesystem::path("/skola/Åsa.txt"));
    form3::Command4_Click(app);
    EXPECT_EQ(app.form3.Text3.text, "/skola/elever.txt");
    form3::Command4_Click(app);
    EXPECT_EQ(app.form3.Text3.text, "/skola/?ód?.txt"_cp);
    app.form3.visible = true;
    app.form3.Text1.text = "Skolan";
    form3::Command1_Click(app);
    EXPECT_TRUE(app.form3.visible);
    EXPECT_EQ(app.work.start.school + app.work.start.studentListPath, "");
    form3::Command4_Click(app);
    form3::Command1_Click(app);
    EXPECT_EQ(app.work.start.studentListPath, "/skola/Åsa.txt"_cp);
}

// Classes typed otherwise than in the roster read no pupil; New says so once, naming them.
TEST_F(Lifecycle, NewNamesTheClassesOfTheFilterThatMatchedNoPupil) {
    TempFolder folder;
    folder.write("elever.txt", "Anna Berg\t1\t7A\r\nBo Ekman\t1\t7B\r\nCarl Dahl\t1\t8A\r\n");
    const std::pair<std::string, std::string> cases[] = {
        {"7a, 8A, 9X, 7a", "Klasserna 7a, 9X"},
        {"7A 9X", "Klassen 9X"},
        {"7A 8A", ""},
        {"", ""},
    };
    for (const auto& [filter, named] : cases) {
        app.screen.groupData.caption = "DANS";
        desktop.expectDialog(Dialog::StartData, [&] {
            app.form3.Text3.text = folder.text("elever.txt");
            app.form3.Text4.text = filter;
            form3::Command1_Click(app);
        });
        if (!named.empty()) {
            desktop.expectMsgBox(named +
                                     " finns inte i elevlistan. Skriv klassernas namn under "
                                     "Klasser så som de står i elevlistan, till exempel 7A, och "
                                     "välj Nytt igen."_cp,
                                 Buttons::Ok, Icon::Exclamation, "Nytt", Answer::Ok);
        }
        Arkiv_Nytt(app);
        desktop.verify();
        EXPECT_EQ(app.screen.groupData.caption, "");  // emptied with the board
    }
}

}  // namespace
}  // namespace pelora::test
