#include "core_fixture.h"
#include "temp_folder.h"
#include "work/lifecycle.h"
#include "work/startdata.h"

namespace pelora::test {
namespace {

class NewWork : public CoreTest {
protected:
    void SetUp() override {
        roster = folder.write("elever.txt",
                              "Namn\tPersonnummer\tKlass\r\nAnna Berg\t9001011234\t7A\r\n"
                              "Bo Ekman\t9102021234\t7B\r\nCarl Dahl\t9203031234\t8A\r\n");
        Work& w = app.work;
        w.start = {"Val", "Skolan", "HT", "", "", 2, 0, 0};
        w.groupCount = 2;
        w.groupTable[1] = {"DANS", "Lena", "20", "Aulan", "1", 120, 480};
        w.groupTable[2] = {"FOTO", "Per", "", "", "2", 1500, 300};
        w.studentCount = 1;
        w.studentTable[1] = {"Gammal Elev", "ABCD", "9C", "DANS"};
        w.placement[1][1] = 1;
        w.groupMemberCount[1] = 1;
        w.workFilePath = "/gammal.pel";
    }

    // The user fills the dialog and presses OK.
    std::function<void()> fill(const std::string& periods, int keepGroups,
                               const std::string& classes = "") {
        return [this, periods, keepGroups, classes] {
            EXPECT_EQ(app.form3.caption, "Nytt");
            app.form3.Text3.text = roster;
            app.form3.Text4.text = classes;
            app.form3.Text6.text = periods;
            app.form3.Check1.value = keepGroups;
            form3::Command1_Click(app);
        };
    }

    const std::string question = "Vill du spara ändringarna?"_cp;
    TempFolder folder;
    std::string roster;
};

TEST_F(NewWork, CancelAtTheSaveQuestionStops) {
    app.work.dirty = true;
    desktop.expectMsgBox(question, Buttons::YesNoCancel, Icon::Question, "Nytt", Answer::Cancel);
    Arkiv_Nytt(app);
    EXPECT_TRUE(app.work.dirty);
    EXPECT_EQ(app.work.studentCount, 1);
}

TEST_F(NewWork, AvbrytInTheDialogAfterNoLeavesTheWorkWithoutChanges) {
    app.work.dirty = true;
    desktop.expectMsgBox(question, Buttons::YesNoCancel, Icon::Question, "Nytt", Answer::No)
        .expectDialog(Dialog::StartData, [&] {
            app.form3.Text6.text = "5";
            form3::Command2_Click(app);
        });
    Arkiv_Nytt(app);
    EXPECT_FALSE(app.work.dirty);
    EXPECT_FALSE(app.work.startDataCancelled);
    EXPECT_EQ(app.work.studentCount, 1);
    EXPECT_EQ(app.work.groupCount, 2);
    EXPECT_EQ(app.work.workFilePath, "/gammal.pel");
    EXPECT_EQ(app.work.start.periodCount, 2);
}

TEST_F(NewWork, YesSavesTheOldWorkBeforeTheDialog) {
    app.work.dirty = true;
    const std::string old = folder.path("gammal.pel");
    app.work.workFilePath = old;
    desktop.expectMsgBox(question, Buttons::YesNoCancel, Icon::Question, "Nytt", Answer::Yes)
        .expectDialog(Dialog::StartData, [&] {
            EXPECT_NE(fileBytes(old), "(missing)");
            form3::Command2_Click(app);
        });
    Arkiv_Nytt(app);
}

TEST_F(NewWork, KeepingGroupsKeepsThemWithTheirPlacesButNoMembers) {
    desktop.expectDialog(Dialog::StartData, fill("3", 1, "7A, 8A"));
    Arkiv_Nytt(app);
    const Work& w = app.work;
    EXPECT_EQ(w.start.periodCount, 3);
    EXPECT_EQ(w.groupCount, 2);
    EXPECT_EQ(w.groupTable[2].name, "FOTO");
    EXPECT_EQ(w.groupTable[2].periodText, "2");
    EXPECT_EQ(w.groupTable[2].boardLeft, 1500);
    EXPECT_EQ(w.groupTable[1].staff, "Lena");
    EXPECT_EQ(w.placement[1][1], 0);
    EXPECT_EQ(w.groupMemberCount[1], 0);
    EXPECT_EQ(w.start.classFilter, "7A  8A");
    EXPECT_EQ(w.studentCount, 2);
    EXPECT_EQ(w.studentTable[2].name, "Carl Dahl");
    EXPECT_EQ(w.workFilePath, "");
    EXPECT_FALSE(w.dirty);
    EXPECT_EQ(app.screen.Combo1.text, "7A");
    EXPECT_EQ(app.screen.Combo3.text, "Alla");
    EXPECT_EQ(app.screen.caption, "Pelora");
    EXPECT_TRUE(app.screen.Label1[1].visible);
    EXPECT_EQ(app.screen.Label1[1].caption, "DANS\r\n 0  (20)");
    EXPECT_FALSE(app.screen.Label1[2].visible);  // period 2 is not shown
    EXPECT_EQ(app.screen.status.caption.substr(0, 19), "2 elever, 2 grupper");
}

TEST_F(NewWork, WithoutKeepingThereAreNoGroups) {
    desktop.expectDialog(Dialog::StartData, fill("2", 0));
    Arkiv_Nytt(app);
    EXPECT_EQ(app.work.groupCount, 0);
    EXPECT_EQ(app.work.studentCount, 3);
    EXPECT_FALSE(app.screen.Label1[1].visible);
}

TEST_F(NewWork, APeriodBelowAGroupsIsRefusedEvenWhenTheGroupsGo) {
    desktop
        .expectDialog(Dialog::StartData,
                      [&] {
                          fill("1", 0)();
                          EXPECT_TRUE(app.form3.visible);
                          form3::Command2_Click(app);
                      })
        .expectMsgBox(
            "Det finns grupp(er) som lagts i period som nu tas bort. Ta först bort gruppen eller "
            "ändra dess period."_cp,
            Buttons::Ok, Icon::Exclamation, "Nytt", Answer::Ok);
    Arkiv_Nytt(app);
    EXPECT_EQ(app.work.groupCount, 2);
    EXPECT_EQ(app.work.start.periodCount, 2);
}

TEST_F(NewWork, WithoutARosterNoPupilsAreRead) {
    desktop.expectDialog(Dialog::StartData, [&] {
        app.form3.Text3.text = "";
        form3::Command1_Click(app);
    });
    Arkiv_Nytt(app);
    EXPECT_EQ(app.work.studentCount, 0);
    EXPECT_EQ(app.work.classCount, 0);
}

TEST_F(NewWork, ARefusedRosterGivesANewWorkWithoutPupils) {
    std::string big;
    for (int i = 0; i < 51; ++i)
        big += "Elev nummer " + std::to_string(i) + "\t1\tK" + std::to_string(i) + "\r\n";
    roster = folder.write("stor.txt", big);
    desktop.expectDialog(Dialog::StartData, fill("2", 1))
        .expectMsgBox("Elevlistan "_cp + roster +
                          " har fler än 50 klasser. Programmet hanterar högst 50 klasser. Inga "
                          "elever har lästs in. Ange färre klasser under Klasser i startdata."_cp,
                      Buttons::Ok, Icon::Exclamation, "Öppna elevlista"_cp, Answer::Ok);
    Arkiv_Nytt(app);
    EXPECT_EQ(app.work.studentCount, 0);
    EXPECT_EQ(app.work.classCount, 0);
    EXPECT_EQ(app.work.groupCount, 2);
    EXPECT_EQ(app.work.start.studentListPath, roster);
}

}  // namespace
}  // namespace pelora::test
