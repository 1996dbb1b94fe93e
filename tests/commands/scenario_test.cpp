// A work from start to file, the way a secretary makes it: New with a roster, groups, wishes typed
// pupil by pupil, a pupil placed, and the saved file compared byte for byte.
#include "base/text.h"
#include "commands/lifecycle.h"
#include "commands/opensave.h"
#include "commands/startdata.h"
#include "commands/wishes.h"
#include "core_fixture.h"
#include "display/board.h"
#include "display/currentpupil.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

namespace fs = std::filesystem;

class Scenario : public CoreTest {
protected:
    // Keys typed into the wish box one at a time; '\n' is Enter. Then the box is left.
    void typeWishes(const std::string& keys) {
        for (char key : keys) {
            app.screen.Text2.text += key == '\n' ? std::string(CRLF) : std::string(1, key);
            StoreWishText(app);
        }
        TidyWishBox(app);
    }
};

TEST_F(Scenario, NewWishesAPlacementAndSaveGiveTheExpectedFile) {
    TempFolder folder;
    fs::copy_file(PELORA_TEST_DATA "/scenario/elever.txt", folder.path("elever.txt"));
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
    app.run.dirty = true;

    desktop.expectSaveFile(folder.path("val.pel"));
    Arkiv_Spara(app);
    EXPECT_FALSE(app.run.dirty);
    std::string expected = fileBytes(PELORA_TEST_DATA "/scenario/val.pel");
    expected.replace(expected.find("{elevlista}"), 11, folder.text("elever.txt"));
    EXPECT_EQ(fileBytes(folder.path("val.pel")), expected);
}

}  // namespace
}  // namespace pelora::test
