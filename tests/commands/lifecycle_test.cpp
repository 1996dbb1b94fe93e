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

    // New with the start data dialog filled by `fill` and closed with "OK", then the message.
    void newWork(const std::function<void(StartDataScreen&)>& fill,
                 const std::string& message = "") {
        desktop.expectDialog(Dialog::StartData, [&] {
            fill(app.form3);
            form3::Command1_Click(app);
        });
        if (!message.empty())
            desktop.expectMsgBox(message, Buttons::Ok, Icon::Exclamation, "Nytt", Answer::Ok);
        Arkiv_Nytt(app);
        desktop.verify();
    }
};

// Cancel goes back with the changes; No in New and then "Avbryt" in the dialog keeps the work and
// only gives up the changes; Yes for an unnamed work asks for a name and ends without one.
TEST_F(Lifecycle, TheQuestionAboutUnsavedChanges) {
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
    EXPECT_EQ(workFileBytes(app.work) + app.run.workFilePath.string(), before + "/gammal.pel");
    EXPECT_FALSE(app.run.dirty || app.run.startDataCancelled);
    EXPECT_TRUE(Arkivavsluta(app));  // without changes nothing is asked

    app.run.workFilePath.clear();
    app.run.dirty = true;
    desktop.expectMsgBox(kQuestion, Buttons::YesNoCancel, Icon::Question, "Avsluta", Answer::Yes)
        .expectSaveFile(std::nullopt);
    EXPECT_TRUE(Arkivavsluta(app));
}

// New builds the work from the dialog, keeping the groups only when asked; classes of the filter
// typed otherwise than in the roster read no pupil, and New names them once.
TEST_F(Lifecycle, NewBuildsTheWorkFromTheDialogKeepingTheGroupsOnlyWhenAsked) {
    TempFolder folder;
    const std::string roster = folder.write(
        "elever.txt", "Anna Berg\t9001011234\t7A\r\nBo Ekman\t1\t7B\r\nCarl Dahl\t1\t8A\r\n");
    // "Behåll befintliga grupper", a roster, the classes, the groups and pupils of the new work,
    // the classes named as not found
    const std::tuple<int, bool, std::string, int, int, std::string> cases[] = {
        {1, true, "7A, 8A", 2, 2, ""},  {0, true, "7a, 8A, 9X, 7a", 0, 1, "Klasserna 7a, 9X"},
        {1, false, "7A, 8A", 2, 0, ""}, {0, true, "7A 9X", 0, 1, "Klassen 9X"},
        {1, true, "", 2, 3, ""},
    };
    for (const auto& [keep, withRoster, classes, groups, pupils, named] : cases) {
        oldWork();
        app.screen.groupData.caption = "DANS";
        const std::string kept = groupLine(app.work.groupTable[2]);
        newWork(
            [&](StartDataScreen& dialog) {
                EXPECT_EQ(dialog.caption, "Nytt");
                dialog.Text3.text = withRoster ? roster : "";
                dialog.Text4.text = classes;
                dialog.Text6.text = "3";
                dialog.Check1.value = keep;
            },
            named.empty() ? ""
                          : named +
                                " finns inte i elevlistan. Skriv klassernas namn under "
                                "Klasser så som de står i elevlistan, till exempel 7A, "
                                "och välj Nytt igen."_cp);
        const Work& w = app.work;
        EXPECT_EQ(w.start.periodCount, 3);
        EXPECT_EQ(w.groupCount, groups) << classes;
        EXPECT_EQ(groupLine(w.groupTable[2]), kept);
        EXPECT_EQ(w.studentCount, pupils) << classes;
        EXPECT_EQ(w.placement[1][1], pupils > 0 ? 0 : 1);  // reading the roster clears it
        EXPECT_FALSE(app.run.dirty);
        EXPECT_EQ(app.screen.Label1[1].visible, groups > 0);
        EXPECT_EQ(app.screen.groupData.caption, "");  // emptied with the board
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

// The fields are stored first, each as one line of the work file (a pasted line break or TAB
// becomes one blank, only the school keeps its commas); then the periods are checked in order.
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
        StartDataScreen& dialog = app.form3;
        dialog.visible = true;
        dialog.Text1.text = " Skola, Norr\r\nSyd ";
        dialog.Text5.text = "Val\tHT";
        dialog.Text2.text = "HT\n2026";
        dialog.Text3.text = "/skola/\r\nelever.txt";
        dialog.Text4.text = "7A, 7B\r\n7C\r\n";
        dialog.Check3.value = 1;
        dialog.Text6.text = periods;
        if (!refusal.empty())
            desktop.expectMsgBox(refusal, Buttons::Ok, Icon::Exclamation, "Nytt", Answer::Ok);
        form3::Command1_Click(app);
        desktop.verify();
        EXPECT_EQ(dialog.visible, !refusal.empty());
        EXPECT_EQ(app.work.start.periodCount, periodCount);
        EXPECT_EQ(app.run.dirty, refusal.empty());
        const StartData& s = app.work.start;
        EXPECT_EQ(std::vector<std::string>({s.school, s.activity, s.periodLabel, s.studentListPath,
                                            s.classFilter, std::to_string(s.ignoreWishes)}),
                  std::vector<std::string>({"Skola, Norr Syd", "Val HT", "HT 2026",
                                            "/skola/ elever.txt", "7A  7B 7C", "1"}));
    }
}

// The shown period is kept while the work still has it, and only then; the dialog shows the
// work's "Gruppfördelning utan önskemål" each time, whatever it showed last.
TEST_F(Lifecycle, StartDataShowsTheWorkAndKeepsTheShownPeriodWhileTheWorkHasIt) {
    const std::tuple<std::string, int, int> cases[] = {{"3", 2, 1}, {"2", 2, 0}, {"1", 1, 1}};
    for (const auto& [periods, shown, ignoreWishes] : cases) {
        app.work.start.periodCount = 3;
        app.work.start.ignoreWishes = ignoreWishes;
        app.run.currentPeriod = 2;
        app.screen.periodDisplay.caption = "2";
        app.form3.Check3.value = 1 - ignoreWishes;
        form3::Form_Activate(app);
        EXPECT_EQ(app.form3.Check3.value, ignoreWishes);
        app.form3.Text6.text = periods;
        form3::Command1_Click(app);
        EXPECT_EQ(app.run.currentPeriod, shown) << periods;
        EXPECT_EQ(app.screen.periodDisplay.caption, std::to_string(shown)) << periods;
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

}  // namespace
}  // namespace pelora::test
