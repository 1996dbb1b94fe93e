// Wishes read from a form's answers: the preview the user sees, the work file the accepted
// wishes give, and the rules each wish is stored by.
#include "commands/wishimport.h"

#include "base/files.h"
#include "base/text.h"
#include "commands/edit.h"
#include "commands/opensave.h"
#include "commands/wishes.h"
#include "core_fixture.h"
#include "formats/workfile.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

const std::string kFolder = PELORA_TEST_DATA "/formularsvar/";
const std::string kArrow = " " + utf8AsWritten("→") + " ";

std::string lines(const ListBox& list) {
    std::string all;
    for (const ListLine& line : list.lines)
        all += line.text + "\n";
    return all;
}

// The work of tests/data/formularsvar: seven pupils, two of them named Eva Lind in 7B, Fia Holm
// with the wish TEATER; the groups DANS, FOTBOLL, KÖR and TEATER-A.
class WishImport : public CoreTest {
protected:
    void SetUp() override { openWorkFile(app, kFolder + "arbete.pel"); }

    // Reads the answers file; `user` acts in the preview.
    void importAnswers(const std::string& file, const std::function<void()>& user) {
        desktop.expectOpenFile(
            kFolder + file,
            FileDialogRequest{"Formulärsvar|*.csv;*.xlsx;*.ods|Alla filer|*"_cp, "csv", ""});
        desktop.expectDialog(Dialog::WishImport, user);
        Arkiv_onskemal(app);
        desktop.verify();
    }

    std::string wishesOf(int i) const { return app.work.studentTable[i].wishes; }
};

TEST_F(WishImport, ShowsWhatTheAnswersGiveAndStoresTheWishesAsTheWishBoxWould) {
    // The same answers as a web form's CSV and as saved by a spreadsheet program, whose number
    // cells hold the identity numbers without their leading 0.
    for (const char* file : {"svar.csv", "svar.xlsx", "svar.ods"}) {
        SCOPED_TRACE(file);
        SetUp();
        const std::string before = workFileBytes(app.work);
        importAnswers(file, [&] {
            const WishImportScreen& s = app.form9;
            EXPECT_EQ(s.Combo1.text, "E: Personnummer");
            EXPECT_EQ(s.Combo2.text, "C: Namn");
            EXPECT_EQ(s.Combo3.text, "D: Klass");
            EXPECT_EQ(s.Combo4.text, "F: 1:a val … H: 3:e val (3 kolumner i ordning)"_cp);
            EXPECT_EQ(s.summary.caption,
                      "Filen har 8 rader med svar, och 6 av dem hittade sin elev.");
            EXPECT_EQ(lines(s.List1),
                      "Rad 3: 7A Bo Berg har svarat igen på rad 7, som läses in\n"
                      "Rad 4: ingen elev med personnummer 0101011234\n"
                      "Rad 5: 2 elever passar Eva Lind, 7B\n"
                      "Önskemålet TEATER DANS är ingen grupp (1 elev)\n"
                      "Önskemålet KÖR FOTBOLL är ingen grupp (1 elev)\n"
                      "Önskemålet SIMNING är ingen grupp (1 elev)\n"_cp);
            EXPECT_EQ(s.existing.caption, "1 elev har önskemål sedan tidigare:"_cp);
            EXPECT_EQ(lines(s.List2), "7A Fia Holm\n");
            EXPECT_EQ(lines(s.List3), "FOTBOL" + kArrow + "FOTBOLL? (2 elever)\nTEATR" + kArrow +
                                          "TEATER? (1 elev)\n");
            EXPECT_EQ(workFileBytes(app.work), before) << "nothing changes before Läs in";
            app.form9.List3.lines[0].marked = true;
            form9::Command1_Click(app);
        });
        EXPECT_EQ(workFileBytes(app.work), fileBytes(pathFromUtf8(kFolder + "förväntat.pel")));
        // One step of the history takes it all back, and leaves the shown pupil shown.
        EXPECT_EQ(app.history.undoName(), "Läs in önskemål"_cp);
        app.run.currentStudent = 5;
        Redigera_angra(app);
        EXPECT_EQ(workFileBytes(app.work), before);
        EXPECT_EQ(app.run.currentStudent, 5);
    }
}

TEST_F(WishImport, ReplacesWishesGivenBeforeOnlyWhenTheUserSaysSo) {
    for (const int replace : {0, 1}) {
        SetUp();
        importAnswers("svar.csv", [&] {
            app.form9.Check1.value = replace;
            form9::Command1_Click(app);
        });
        EXPECT_EQ(wishesOf(7), replace ? "DANS\r\nSIMNING" : "TEATER") << replace;
    }
}

TEST_F(WishImport, ChangesNothingWhenCancelled) {
    const std::string before = workFileBytes(app.work);
    importAnswers("svar.csv", [&] { form9::Command2_Click(app); });
    EXPECT_EQ(workFileBytes(app.work), before);
    EXPECT_FALSE(app.history.dirty());
}

TEST_F(WishImport, ReadsAgainWithTheColumnsTheUserChooses) {
    importAnswers("svar.csv", [&] {
        WishImportScreen& s = app.form9;
        // No identity numbers: the rows are found by name and class alone.
        s.Combo1.text = "(ingen)";
        form9::Combo_Click(app);
        EXPECT_EQ(s.summary.caption, "Filen har 8 rader med svar, och 6 av dem hittade sin elev.");
        EXPECT_EQ(lines(s.List1).substr(0, 43), "Rad 3: 7A Bo Berg har svarat igen på rad 7,"_cp);
        // Only the first choice column: one wish a pupil. The correction marked before stays
        // marked while it is out of sight.
        s.List3.lines[0].marked = true;
        s.Combo4.text = "F: 1:a val";
        form9::Combo_Click(app);
        EXPECT_EQ(lines(s.List3), "TEATR" + kArrow + "TEATER? (1 elev)\n");
        s.Combo4.text = "G: 2:a val";
        form9::Combo_Click(app);
        ASSERT_EQ(lines(s.List3), "FOTBOL" + kArrow + "FOTBOLL? (2 elever)\n");
        EXPECT_TRUE(s.List3.lines[0].marked);
        // No pupil column at all: nothing can be read.
        s.Combo2.text = "(ingen)";
        form9::Combo_Click(app);
        EXPECT_EQ(s.summary.caption,
                  "Filen har 8 rader med svar, och 0 av dem hittade sin elev. Välj kolumnen med "
                  "personnummer eller med namn."_cp);
        EXPECT_FALSE(s.Command1.enabled);
        form9::Command1_Click(app);  // a disabled button does nothing
        EXPECT_TRUE(s.visible);
        form9::Command2_Click(app);
    });
}

TEST_F(WishImport, RefusesFilesThatHoldNoAnswers) {
    TempFolder folder;
    struct Case {
        const char* name;
        std::string bytes;
        std::string message;
    };
    const Case cases[] = {
        {"tom.csv", "Namn;Val 1\r\n;\r\n",
         " har inga svar: den behöver en rad med rubriker och "
         "sedan en rad per elev."_cp},
        {"trasig.xlsx", std::string("PK\x03\x04", 4) + "inget arkiv",
         " är varken en CSV-fil eller ett kalkylblad (.xlsx, .ods) som programmet kan läsa."_cp},
    };
    for (const Case& c : cases) {
        const std::filesystem::path path = folder.path(c.name);
        folder.write(c.name, c.bytes);
        desktop.expectOpenFile(path);
        desktop.expectMsgBox("Filen "_cp + shown(path) + c.message, Buttons::Ok, Icon::Exclamation,
                             "Läs in önskemål"_cp, Answer::Ok);
        Arkiv_onskemal(app);
        desktop.verify();
    }
    desktop.expectOpenFile(folder.path("finns-inte.csv"));
    desktop.expectMsgBox("Kan inte läsa filen "_cp + shown(folder.path("finns-inte.csv")) + ".",
                         Buttons::Ok, Icon::Exclamation, "Läs in önskemål"_cp, Answer::Ok);
    Arkiv_onskemal(app);
    desktop.verify();
    EXPECT_FALSE(app.history.dirty());
}

TEST(WishImportRules, AsksForTheRosterBeforeAnyAnswers) {
    ScriptedDesktop desktop{gtestFailure()};
    App app{desktop};
    desktop.expectMsgBox(
        "Arbetet har inga elever än. Läs in elevlistan först, sedan önskemålen."_cp,
        Desktop::Buttons::Ok, Desktop::Icon::Exclamation, "Läs in önskemål"_cp,
        Desktop::Answer::Ok);
    Arkiv_onskemal(app);
    desktop.verify();
}

TEST(WishImportRules, FindsTheColumnsByTheirHeadings) {
    struct Case {
        std::vector<std::string> headings;
        int identity, name, firstName, lastName, className;
        std::vector<int> wishes;
    };
    const Case cases[] = {
        {{"Tidstämpel"_cp, "Elevens namn", "Klass", "Val 2", "Val 1", "Val 3"},
         -1,
         1,
         -1,
         -1,
         2,
         {4, 3, 5}},
        {{"Förnamn"_cp, "Efternamn", "Personnr", "Önskemål"_cp}, 2, -1, 0, 1, -1, {3}},
        // A first name alone is no name; one numbered choice is the column of every wish.
        {{"Förnamn"_cp, "KLASS", "Önskemål 1"_cp}, -1, -1, -1, -1, 1, {2}},
        {{"Elev", "Namn", "1:a val", "2:a val", "2:a val"}, -1, 0, -1, -1, -1, {2, 3}},
        {{"Fråga", "Svar"_cp}, -1, -1, -1, -1, -1, {}},
    };
    for (const Case& c : cases) {
        const AnswerColumns got = guessAnswerColumns(c.headings);
        const std::string what = c.headings.front();
        EXPECT_EQ(got.identity, c.identity) << what;
        EXPECT_EQ(got.name, c.name) << what;
        EXPECT_EQ(got.firstName, c.firstName) << what;
        EXPECT_EQ(got.lastName, c.lastName) << what;
        EXPECT_EQ(got.className, c.className) << what;
        EXPECT_EQ(got.wishes, c.wishes) << what;
    }
}

TEST(WishImportRules, ComparesIdentityNumbersInEveryUsualWriting) {
    const std::pair<const char*, const char*> cases[] = {
        {"20090101-1234", "0901011234"}, {"090101-1234", "0901011234"},
        {"901011234", "0901011234"},     {"199001011234", "9001011234"},
        {" 900101 1234 ", "9001011234"}, {"", ""},
    };
    for (const auto& [number, comparable] : cases)
        EXPECT_EQ(comparableIdentity(number), comparable) << number;
}

TEST(WishImportRules, SplitsOneColumnOfWishesAtLineBreaksCommasAndSemicolons) {
    Work work;
    work.studentCount = 1;
    work.studentTable[1] = {"Anna Ek", "abcd", "7A", "", "0901011234"};
    const std::vector<std::vector<std::string>> rows = {
        {"Personnummer", "Önskemål"_cp},
        {"0901011234", "dans\r\nfotboll, kör;\n\tteater//a ; *P"_cp},
    };
    const AnswerReading reading = readAnswers(work, rows, {.identity = 0, .wishes = {1}});
    ASSERT_EQ(reading.rows.size(), 1u);
    EXPECT_EQ(reading.rows[0].pupils, std::vector<int>{1});
    EXPECT_EQ(reading.rows[0].wishes,
              (std::vector<std::string>{"DANS", "FOTBOLL", "KÖR"_cp, "TEATER A"}));
}

// A name that Windows-1252 cannot hold finds its pupil as written, in any case; a wish keeps
// only what the work file can hold.
TEST(WishImportRules, FindsNamesAsWritten) {
    Work work;
    work.studentCount = 2;
    work.studentTable[1] = {utf8AsWritten("Łukasz Wiśniewski"), "abcd", "7A", "", ""};
    work.studentTable[2] = {"?ukasz Wi?niewski", "efgh", "7A", "", ""};
    const std::vector<std::vector<std::string>> rows = {
        {"Namn", "Val 1", "Val 2"},
        {utf8AsWritten("łukasz  wiśniewski"), utf8AsWritten("Łyžka"), "dans"},
    };
    const AnswerReading reading = readAnswers(work, rows, {.name = 0, .wishes = {1, 2}});
    ASSERT_EQ(reading.rows.size(), 1u);
    EXPECT_EQ(reading.rows[0].pupils, std::vector<int>{1});
    EXPECT_EQ(reading.rows[0].wishes, (std::vector<std::string>{"?YŽKA"_cp, "DANS"}));
}

// The import stores a text as the wish box does once the user leaves it.
TEST_F(WishImport, StoresWishesExactlyAsTheWishBoxDoes) {
    const std::string typed[] = {
        "  dans \r\n\r\nfotboll  ", "kör,teater\r\n"_cp, "DANS *P1\r\nKÖR"_cp, "a\tb", " \r\n ",
        "é-grupp (x)"_cp,
    };
    for (const std::string& text : typed) {
        app.run.currentStudent = 1;
        app.run.previousStudent = 1;
        app.screen.Text2.text = text;
        // The box itself asks for ENTER in place of a comma, then turns it into a blank.
        if (text.find(',') != std::string::npos) {
            desktop.expectMsgBox("Tryck ENTER efter varje önskemål."_cp, Buttons::Ok,
                                 Icon::Exclamation, "Ange önskemål"_cp, Answer::Ok);
        }
        StoreWishText(app);
        TidyWishBox(app);
        EXPECT_EQ(wishesAsStored(text), wishesOf(1)) << text;
    }
}

TEST(WishImportRules, ProposesTheNearestGroupForAMisspeltWish) {
    Work work;
    const char* const groups[] = {"", "DANS-A", "FOTBOLL", "KÖR", "DANS-B", "BAND", "(X)"};
    work.groupCount = 6;
    for (int g = 1; g <= 6; ++g)
        work.groupTable[g].name = groups[g];
    const std::pair<std::string, int> cases[] = {
        {"FOTBOL", 2}, {"FOTBOLLL", 2},   {"FOTBAL", 2}, {"DANS", 0},  // a group's wish
        {"DANSA", 1},  {"DNAS", 1},                                    // two letters changed
        {"DANDS", 1},  {"BANS", 1},  // as near BAND as DANS-A and DANS-B: the first group
        {"FTBL", 0},   {"KÖRSÅNG"_cp, 0}, {"", 0},
    };
    for (const auto& [wish, group] : cases)
        EXPECT_EQ(closestGroup(work, wish), group) << wish;
}

}  // namespace
}  // namespace pelora::test
