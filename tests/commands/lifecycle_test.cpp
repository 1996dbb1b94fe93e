// The start data dialog, New, the question about unsaved changes, and a work from New to file.
#include "commands/lifecycle.h"

#include <tuple>

#include "base/text.h"
#include "commands/opensave.h"
#include "commands/startdata.h"
#include "commands/wishes.h"
#include "core_fixture.h"
#include "display/board.h"
#include "display/currentpupil.h"
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
    app.history.markModified();
    for (const auto& [title, command] : commands) {
        desktop.expectMsgBox(kQuestion, Buttons::YesNoCancel, Icon::Question, title,
                             Answer::Cancel);
        command();
        EXPECT_TRUE(app.history.dirty()) << title;
    }
    desktop.expectMsgBox(kQuestion, Buttons::YesNoCancel, Icon::Question, "Nytt", Answer::No)
        .expectDialog(Dialog::StartData, [&] {
            app.form3.Text6.text = "5";
            form3::Command2_Click(app);
        });
    Arkiv_Nytt(app);
    EXPECT_EQ(workFileBytes(app.work), before);
    EXPECT_EQ(app.run.workFilePath, "/gammal.pel");
    EXPECT_FALSE(app.history.dirty());
    EXPECT_FALSE(app.run.startDataCancelled);
    EXPECT_TRUE(Arkivavsluta(app));  // without changes nothing is asked

    app.run.workFilePath.clear();
    app.history.markModified();
    desktop.expectMsgBox(kQuestion, Buttons::YesNoCancel, Icon::Question, "Avsluta", Answer::Yes)
        .expectSaveFile(std::nullopt);
    EXPECT_TRUE(Arkivavsluta(app));
}

// New builds the work from the dialog, keeping the groups only when asked; classes of the filter
// typed otherwise than in the roster read no pupil, and New names them once.
TEST_F(Lifecycle, NewBuildsTheWorkFromTheDialogKeepingTheGroupsOnlyWhenAsked) {
    TempFolder folder;
    folder.write("elever.txt",
                 "Anna Berg\t9001011234\t7A\r\nBo Ekman\t1\t7B\r\nCarl Dahl\t9203031234\t8A\r\n");
    const std::string roster = folder.text("elever.txt");
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
        app.run.currentPeriod = 4;  // beyond the new work's periods: back to 1
        const std::string kept = groupLine(app.work.groupTable[2]);
        desktop.expectDialog(Dialog::StartData, [&] {
            EXPECT_EQ(app.form3.caption, "Nytt");
            app.form3.Text3.text = withRoster ? roster : "";
            app.form3.Text4.text = classes;
            app.form3.Text6.text = "3";
            app.form3.Check1.value = keep;
            form3::Command1_Click(app);
        });
        if (!named.empty())
            desktop.expectMsgBox(named +
                                     " finns inte i elevlistan. Skriv klassernas namn under "
                                     "Klasser så som de står i elevlistan, till exempel 7A, "
                                     "och välj Nytt igen."_cp,
                                 Buttons::Ok, Icon::Exclamation, "Nytt", Answer::Ok);
        Arkiv_Nytt(app);
        const Work& w = app.work;
        // Reading the roster clears the placements; the board is emptied and shows the groups.
        EXPECT_EQ((std::vector<int>{w.start.periodCount, w.groupCount, w.studentCount,
                                    w.placement[1][1], app.history.dirty(),
                                    app.screen.Label1[1].visible, app.run.currentPeriod}),
                  (std::vector<int>{3, groups, pupils, pupils > 0 ? 0 : 1, false, groups > 0, 1}))
            << classes;
        EXPECT_EQ(groupLine(w.groupTable[2]), kept);
        EXPECT_EQ(app.screen.groupData.caption, "");
    }
}

// A New whose roster cannot be read brings the work back as it was, groups, pupils, changes and
// name, and the next New dialog starts from what was typed.
TEST_F(Lifecycle, ANewWhoseRosterCannotBeReadKeepsTheWork) {
    TempFolder folder;
    folder.write("elever.txt", "Anna Berg\t9001011234\r\n");
    const std::string roster = folder.text("elever.txt");
    oldWork();
    app.run.workFilePath = folder.path("val.pel");
    app.history.markModified();
    const std::string before = workFileBytes(app.work);
    desktop.expectMsgBox(kQuestion, Buttons::YesNoCancel, Icon::Question, "Nytt", Answer::No)
        .expectDialog(Dialog::StartData,
                      [&] {
                          app.form3.Text1.text = "Nya skolan";
                          app.form3.Text3.text = roster;
                          form3::Command1_Click(app);
                      })
        .expectMsgBox("Elevlistan " + roster +
                          ", rad 1: raden har namn och personnummer men ingen klass. Inga "
                          "elever har lästs in."_cp,
                      Buttons::Ok, Icon::Exclamation, "Fel i elevfil", Answer::Ok);
    Arkiv_Nytt(app);
    EXPECT_EQ(workFileBytes(app.work), before);
    EXPECT_TRUE(app.history.dirty());
    EXPECT_EQ(app.run.workFilePath, folder.path("val.pel"));
    desktop.expectMsgBox(kQuestion, Buttons::YesNoCancel, Icon::Question, "Nytt", Answer::No)
        .expectDialog(Dialog::StartData, [&] {
            EXPECT_EQ(app.form3.Text1.text, "Nya skolan");
            EXPECT_EQ(app.form3.Text3.text, roster);
            form3::Command2_Click(app);
        });
    Arkiv_Nytt(app);
}

// The fields are stored first, each as one line of the work file (a pasted line break or TAB
// becomes one blank, only the school keeps its commas); then the periods are checked in order.
TEST_F(Lifecycle, StartDataOkStoresTheFieldsThenChecksThePeriodsInOrder) {
    const std::string none = "Ange period!", tooMany = "Programmet hanterar högst 10 perioder."_cp;
    const std::string groupGone =
        "Det finns grupp(er) som lagts i period som nu tas bort. Ta först bort gruppen eller "
        "ändra dess period."_cp;
    // periods typed, the period of the one group (empty: none), the refusal, periodCount
    // afterwards; under "Nytt" the groups count even when they are not to be kept. A group's
    // period is read as its placements are: "2.5" is period 2, "12" no period at all.
    const std::tuple<std::string, std::string, std::string, int> cases[] = {
        {"", "", none, 2},        {"0.9", "", none, 2},       {"tre", "3", none, 2},
        {"2", "3", groupGone, 2}, {"2.6", "3", groupGone, 2}, {"2", "2.6", groupGone, 2},
        {"2", "2.5", "", 2},      {"11", "12", tooMany, 2},   {"11", "", tooMany, 2},
        {"10.2", "", tooMany, 2}, {"2.5", "", "", 2},         {"3.5", "", "", 4},
        {"10", "10", "", 10},     {" 1 ", "1", "", 1},
    };
    for (const auto& [periods, groupPeriod, refusal, periodCount] : cases) {
        SCOPED_TRACE("periods \"" + periods + "\", group in \"" + groupPeriod + "\"");
        app.work.start.periodCount = 2;
        app.work.groupCount = groupPeriod.empty() ? 0 : 1;
        app.work.groupTable[1].periodText = groupPeriod;
        app.history.markClean();
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
        EXPECT_EQ(
            (std::vector<int>{dialog.visible, app.work.start.periodCount, app.history.dirty()}),
            (std::vector<int>{!refusal.empty(), periodCount, refusal.empty()}));
        const StartData& s = app.work.start;
        EXPECT_EQ(std::vector<std::string>({s.school, s.activity, s.periodLabel, s.studentListPath,
                                            s.classFilter, std::to_string(s.ignoreWishes)}),
                  std::vector<std::string>({"Skola, Norr Syd", "Val HT", "HT 2026",
                                            "/skola/ elever.txt", "7A  7B 7C", "1"}));
    }
}

// The dialog shows the work: "Gruppfördelning utan önskemål" whatever it showed last, and "Visa
// alla perioder" ticked where the work has it, on only with two periods or more. The shown period
// is kept while the work still has it, and only then.
TEST_F(Lifecycle, StartDataShowsTheWorkAndKeepsTheShownPeriodWhileTheWorkHasIt) {
    // periods of the work, periods typed, the period shown afterwards, both settings of the work
    const std::tuple<int, std::string, int, int> cases[] = {
        {3, "3", 2, 1}, {3, "2", 2, 0}, {1, "1", 1, 1}};
    for (const auto& [workPeriods, periods, shown, setting] : cases) {
        app.work.start.periodCount = workPeriods;
        app.work.start.ignoreWishes = app.work.start.showAllPeriods = setting;
        app.run.currentPeriod = 2;
        app.screen.periodDisplay.caption = "2";
        app.form3.Check3.value = 1 - setting;
        app.form3.Check2 = {0, true};
        form3::Form_Activate(app);
        EXPECT_EQ((std::vector<int>{app.form3.Check3.value, app.form3.Check2.value,
                                    app.form3.Check2.enabled}),
                  (std::vector<int>{setting, workPeriods > 1 ? setting : 0, workPeriods > 1}));
        app.form3.Text6.text = periods;
        form3::Command1_Click(app);
        EXPECT_EQ(app.run.currentPeriod, shown);
        EXPECT_EQ(app.screen.periodDisplay.caption, std::to_string(shown));
    }
}
// "Behåll befintliga grupper" can be ticked only for a new work beside groups there are; the
// school's field takes the focus.
TEST_F(Lifecycle, KeepingTheGroupsIsOfferedOnlyForANewWorkBesideGroups) {
    const std::tuple<std::string, int, bool> cases[] = {
        {"Nytt", 0, false}, {"Nytt", 2, true}, {kEdit, 2, false}};
    for (const auto& [caption, groups, enabled] : cases) {
        app.form3.caption = caption;
        app.work.groupCount = groups;
        app.screen.focusRequest = Focus::None;
        form3::Form_Activate(app);
        EXPECT_EQ(app.form3.Check1.enabled, enabled) << caption << groups;
        EXPECT_TRUE(app.screen.focusRequest == Focus::StartDataSchool) << caption;
    }
}

// Editing the start data tells to restart; a new roster path typed without a folder is kept as the
// path of that file in the current folder, so the work reads the same roster from wherever it is
// opened later, and is read at the next open only.
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
        if (typed == "ny.txt")
            desktop.expectMsgBox("Spara gruppfördelningen och öppna den igen för inläsning av "_cp +
                                     folder.text("ny.txt") + ".",
                                 Buttons::Ok, Icon::Information, "Redigera startvärden"_cp,
                                 Answer::Ok);
        red_startdata(app);
        EXPECT_EQ(app.work.start.studentListPath,
                  typed == "ny.txt" ? folder.text("ny.txt") : "elever.txt");
    }
    EXPECT_EQ(app.work.studentCount, 0);  // the roster is read at the next open only
}
// A roster path the work file cannot hold in Windows-1252 is refused before anything is stored.
TEST_F(Lifecycle, ARosterPathWindows1252CannotHoldIsRefused) {
    app.form3.Text3.text = "/skola/elever.txt";
    desktop.expectOpenFile(std::nullopt)
        .expectOpenFile("/skola/Łódź.txt"_path)
        .expectMsgBox(
            "Sökvägen till elevlistan har tecken som inte kan sparas i arbetsfilen. "
            "Välj en elevlista i en mapp vars namn bara har bokstäver som a-z, å, ä, ö "
            "och é, eller byt namn på filen."_cp,
            Buttons::Ok, Icon::Exclamation, "Nytt", Answer::Ok)
        .expectOpenFile("/skola/Åsa.txt"_path);
    form3::Command4_Click(app);
    EXPECT_EQ(app.form3.Text3.text, "/skola/elever.txt");  // "Bläddra" cancelled
    form3::Command4_Click(app);
    EXPECT_EQ(app.form3.Text3.text, "/skola/?ód?.txt"_cp);
    app.form3.Text1.text = "Skolan";
    app.form3.visible = true;
    form3::Command1_Click(app);
    EXPECT_TRUE(app.form3.visible);
    EXPECT_EQ(app.work.start.school, "");
    EXPECT_EQ(app.work.start.studentListPath, "");
    form3::Command4_Click(app);
    form3::Command1_Click(app);
    EXPECT_EQ(app.work.start.studentListPath, "/skola/Åsa.txt"_cp);
}

// A work from start to file, the way a secretary makes it: New with a roster named without a
// folder, groups, wishes typed pupil by pupil, a pupil placed, and the saved file, which names the
// roster by its whole path, compared byte for byte.
using Scenario = CoreTest;

TEST_F(Scenario, NewWishesAPlacementAndSaveGiveTheExpectedFile) {
    // Keys typed into the wish box one at a time; '\n' is Enter. Then the box is left.
    auto typeWishes = [&](const std::string& keys) {
        for (char key : keys) {
            app.screen.Text2.text += key == '\n' ? std::string(CRLF) : std::string(1, key);
            StoreWishText(app);
        }
        TidyWishBox(app);
    };
    TempFolder folder;
    std::filesystem::copy_file(PELORA_TEST_DATA "/scenario/elever.txt", folder.path("elever.txt"));
    const CurrentFolder here(folder.native());

    desktop.expectDialog(Dialog::StartData, [&] {
        app.form3.Text1.text = "Björkhagaskolan"_cp;
        app.form3.Text5.text = "Idrottsval";
        app.form3.Text2.text = "HT 2026";
        app.form3.Text3.text = "elever.txt";
        app.form3.Text4.text = "7A, 7B";
        app.form3.Text6.text = "2";
        form3::Text6_Change(app);
        app.form3.Check2.value = 1;
        form3::Command1_Click(app);
    });
    Arkiv_Nytt(app);
    ASSERT_EQ(app.work.studentCount, 4);  // not Dan Hög of 9C

    Work& work = app.work;
    work.groupTable[1] = {"DANS", "Eva", "20", "Sal 3", "1", 120, 480};
    work.groupTable[2] = {"FOTBOLL", "Per", "", "", "2", 1500, 480};
    work.groupCount = 2;
    RefreshBoard(app);

    typeWishes("dans\nfotboll");  // Anna Ek, the first of 7A
    NextStudent(app);
    typeWishes("fotboll \n\n  dans");
    NextClass(app);
    EXPECT_EQ(app.run.currentStudent, 3);
    typeWishes("kör"_cp);

    work.placement[1][1] = 1;  // Anna Ek in DANS and Björn Åberg in FOTBOLL, by hand
    work.placement[2][2] = 2;
    RecountGroupMembers(work);
    app.history.markModified();

    desktop.expectSaveFile(folder.path("val.pel"));
    Arkiv_Spara(app);
    EXPECT_FALSE(app.history.dirty());
    std::string expected = fileBytes(PELORA_TEST_DATA "/scenario/val.pel");
    expected.replace(expected.find("{elevlista}"), 11, folder.text("elever.txt"));
    EXPECT_EQ(fileBytes(folder.path("val.pel")), expected);

    // Opened again by a program started in another folder, the work has every pupil.
    const CurrentFolder elsewhere(std::filesystem::temp_directory_path());
    App again(desktop);
    again.run.commandLineFile = folder.path("val.pel");
    Arkivoppna(again);
    EXPECT_EQ(again.work.studentCount, 4);
}

}  // namespace
}  // namespace pelora::test
