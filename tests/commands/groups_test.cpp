// The group editor and deleting a group.
#include "commands/groups.h"

#include "commands/opensave.h"
#include "core_fixture.h"
#include "formats/roster.h"
#include "formats/workfile.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

class GroupEditor : public CoreTest {
protected:
    // The editor shown in a mode, as the commands show it.
    void open(const std::string& caption) {
        app.form2.caption = caption;
        app.form2.visible = true;
        form2::Form_Activate(app);
    }

    // Types the fields and presses "OK"; the refusal expected, if any.
    void ok(const std::string& name, const std::string& period = "1",
            const std::string& capacity = "", const std::string& refusal = "",
            const std::string& title = "Ny grupp") {
        app.form2.Text1.text = name;
        app.form2.Text5.text = period;
        app.form2.Text3.text = capacity;
        if (!refusal.empty())
            desktop.expectMsgBox(refusal, Buttons::Ok, Icon::Exclamation, title, Answer::Ok);
        form2::Command1_Click(app);
        desktop.verify();
    }
};

// The typed name, period and capacity; the refusal, or the group stored as name|period|capacity.
TEST_F(GroupEditor, TheFieldsAreCheckedAndStoredInTheirForm) {
    app.work.start.periodCount = 2;
    open("Ny grupp");
    const std::string taken = "En grupp med detta namn finns redan",
                      badPeriod = "Ange giltigt periodnummer.";
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        {"  matte  ", "2", "", "MATTE|2|"},
        {"skön"_cp, "2", "", "SKÖN|2|"_cp},
        {"Bild, form", "2", "", "BILD  FORM|2|"},
        {"bild, form", "2", "", taken},
        {"Bild-2", "2", "", "BILD-2|2|"},
        {"dans (2)", "2", "", "Använd inte parentes i gruppnamn"_cp},
        {"dans 2)", "2", "", "DANS 2)|2|"},
        {"   ", "2", "", "Ange gruppens namn"},
        // A pasted line break or TAB becomes a blank: the group stays one line of the file.
        {"kör\r\nsång\tA"_cp, "2", "", "KÖR SÅNG A|2|"_cp},
        {"G", "0", "", badPeriod},
        {"G", "", "", badPeriod},
        {"G", "3", "", badPeriod},
        {"G1", "1.5", "25 st", "G1|2|25 st"},
        {"G2", "2,7", "0", "G2|2|"},
        {"G3", "1", "-5", "G3|1|"},
        {"G4", "1", "abc", "G4|1|"},
        {"G5", " 1 ", "20, max", "G5|1|20  max"},
    };
    for (const auto& [name, period, capacity, result] : cases) {
        const int before = app.work.groupCount;
        const bool refused = result.find('|') == std::string::npos;
        ok(name, period, capacity, refused ? result : "",
           result == badPeriod ? "Skapa grup" : "Ny grupp");
        const Group& last = app.work.groupTable[app.work.groupCount];
        EXPECT_EQ(app.work.groupCount, before + (refused ? 0 : 1)) << name;
        EXPECT_EQ(refused ? result : last.name + "|" + last.periodText + "|" + last.maxText,
                  result);
        // Creation mode stays open for the next group.
        EXPECT_EQ(app.form2.Text5.text + (app.form2.visible ? "" : " closed"), period);
    }

    // The period field is open with two periods; with one it is closed, and the group runs in
    // period 1.
    for (const int periods : {2, 1}) {
        app.work.start.periodCount = periods;
        open("Ny grupp");
        EXPECT_EQ(app.form2.Text5.enabled, periods == 2);
        EXPECT_EQ(app.form2.periodCaption.enabled, periods == 2);
        EXPECT_EQ(app.form2.Text5.text, "1");
    }
}

TEST_F(GroupEditor, EditingChangesOnlyTheGroupAndNotThePeriodOfAGroupWithMembers) {
    Work& w = app.work;
    w.start.periodCount = 2;
    w.groupTable[1] = {"DANS", "Eva", "20", "Sal 3", "1", 100, 200};
    w.groupTable[2] = {"FOTBOLL", "", "", "", "1"};
    w.groupCount = 2;
    w.studentCount = 1;
    w.placement[1][1] = 1;
    app.run.currentGroup = 1;
    open("Redigera gruppdata");
    const TextBox* fields[] = {&app.form2.Text1, &app.form2.Text2, &app.form2.Text3,
                               &app.form2.Text4, &app.form2.Text5};
    const char* shownFields[] = {"DANS", "Eva", "20", "Sal 3", "1"};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(fields[k]->text, shownFields[k]) << k;
    ok("Dansen", "2", "25", "Du måste tömma gruppen innan du ändrar dess period"_cp,
       "Redigera grupp");
    EXPECT_EQ(groupLine(w.groupTable[1]), "DANS,Eva,20,Sal 3,  100 ,  200 ,1");
    EXPECT_TRUE(app.form2.visible);
    // The staff and the places of a group with members change while its period stays.
    app.form2.Text2.text = "Per";
    ok("Dans", "1", "22");
    EXPECT_EQ(groupLine(w.groupTable[1]), "DANS,Per,22,Sal 3,  100 ,  200 ,1");
    EXPECT_FALSE(app.form2.visible);
    open("Redigera gruppdata");

    w.placement[1][1] = 0;  // emptied: now the period may change, and the name may be taken
    app.form2.Text4.text = "Aulan";
    ok("fotboll", "2", "25");
    EXPECT_EQ(groupLine(w.groupTable[1]), "FOTBOLL,Per,25,Aulan,  100 ,  200 ,2");
    EXPECT_FALSE(app.form2.visible);  // edit mode closes
    EXPECT_TRUE(app.history.dirty());
}

TEST_F(GroupEditor, TheHundredthGroupIsCreatedTheNextRefusedAndEditingStillWorks) {
    open("Ny grupp");
    for (int g = 1; g <= MaxGroups; ++g)
        ok("G" + std::to_string(g));  // each without a refusal
    ok("G101", "1", "", "Programmet är bara dimensionerat för 100 grupper"_cp, "Skapa grupp");
    EXPECT_EQ(app.work.groupCount, 100);
    app.run.currentGroup = 100;
    open("Redigera gruppdata");
    ok("SISTA");
    EXPECT_EQ(app.work.groupTable[100].name, "SISTA");
}

// A work file with groups 1, 2, 3 over two periods and pupils placed in 2 and 3: deleting 2
// unplaces its pupils and moves group 3, with its data, place on the board and count, to number 2.
TEST_F(GroupEditor, DeletingAGroupRenumbersTheGroupsAfterIt) {
    TempFolder folder;
    folder.write("elever.txt",
                 "Anna Berg\t9001011234\t7A\r\nBo Ekman\t9102021234\t7B\r\n"
                 "Cy Dahl\t9203031234\t7B\r\n");
    const std::string groups =
        "ELEVLISTA: elever.txt\r\nANTAL PERIODER:  2 \r\nGRUPPER:  3 \r\n"
        "DANS,Eva,,,  10 ,  20 ,1\r\nKÖR,Lena,30,Aulan,  30 ,  40 ,2\r\n"_cp
        "FOTBOLL,Per,20,,  50 ,  60 ,2\r\n";
    openWorkFile(app,
                 folder.write("val.pel", groups + studentKey("9001011234") + ", \t 1 , 2 \r\n" +
                                             studentKey("9102021234") + ", \t 0 , 3 \r\n" +
                                             studentKey("9203031234") + ", \t 0 , 3 \r\n"));
    Work& w = app.work;
    app.run.currentGroup = 2;
    app.screen.List1.addItem("KÖR  Antal:  1"_cp);
    for (int g = 1; g <= 3; ++g)
        app.screen.Label1[g].stackOrder = 10 * g;

    for (const Answer answer : {Answer::No, Answer::Yes}) {
        desktop.expectMsgBox("Vill du ta bort gruppen KÖR?"_cp, Buttons::YesNo, Icon::Question,
                             "Ta bort grupp", answer);
        H_klick_tabort(app);
        EXPECT_EQ(w.groupCount, answer == Answer::No ? 3 : 2);
    }
    EXPECT_EQ(groupLine(w.groupTable[2]), "FOTBOLL,Per,20,,  50 ,  60 ,2");
    EXPECT_EQ(app.screen.Label1[1].stackOrder, 10);
    EXPECT_EQ(app.screen.Label1[2].stackOrder, 30);  // FOTBOLL's place in the stack
    // the placements of pupils 1 to 3 in periods 1 and 2, the counts, the current group, the lines
    // of the member list, whether group 3 is shown and whether the work changed
    EXPECT_EQ(
        (std::vector<int>{w.placement[1][1], w.placement[2][1], w.placement[2][2],
                          w.placement[2][3], w.groupMemberCount[1], w.groupMemberCount[2],
                          app.run.currentGroup, static_cast<int>(app.screen.List1.lines.size()),
                          app.screen.Label1[3].visible, app.history.dirty()}),
        (std::vector<int>{1, 0, 2, 2, 1, 2, 0, 0, 0, 1}));

    // The saved work reads back as it was saved.
    Arkiv_Spara(app);
    const std::string saved = fileBytes(folder.path("val.pel"));
    App again(desktop);
    again.run.commandLineFile = folder.path("val.pel");
    Arkivoppna(again);
    EXPECT_EQ(workFileBytes(again.work), saved);

    // A group created next starts empty at the board's corner, not where FOTBOLL was.
    open("Ny grupp");
    ok("NY");
    EXPECT_EQ(groupLine(w.groupTable[3]), "NY,,,,  0 ,  0 ,1");
    EXPECT_EQ(w.groupMemberCount[3], 0);

    // Deleting the last group leaves none; a group created next starts empty.
    for (int g : {3, 2, 1}) {
        app.run.currentGroup = g;
        desktop.expectMsgBox("Vill du ta bort gruppen " + w.groupTable[g].name + "?",
                             Buttons::YesNo, Icon::Question, "Ta bort grupp", Answer::Yes);
        H_klick_tabort(app);
    }
    EXPECT_EQ(w.groupCount, 0);
    open("Ny grupp");
    ok("NY");
    EXPECT_EQ(w.groupMemberCount[1], 0);
}

}  // namespace
}  // namespace pelora::test
