// Pupils who share a key (temporary or missing identity numbers): each keeps its own wishes and
// groups through open and save, and the user hears of them where the key cannot tell them apart.
#include <gtest/gtest.h>

#include "base/numbers.h"
#include "base/text.h"
#include "commands/export.h"
#include "commands/opensave.h"
#include "core_fixture.h"
#include "formats/roster.h"
#include "formats/workfile.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

namespace fs = std::filesystem;

const std::string kSharedMessage =
    "Dessa elever har samma nyckel i elevlistan, eftersom deras personnummer är tillfälliga, "
    "saknas eller bara skiljer sig i första eller sista siffran: Alva Lindqvist (7A), Alma "
    "Lindqvist (7A), Cleo Ny (7B) och Dana Ny (7B).\r\n\r\nPelora håller isär dem efter deras "
    "ordning i elevlistan, så ändra inte den ordningen. Exporten till Lumidor kan inte skilja dem "
    "åt."_cp;

// Alva and Alma have temporary numbers of one birth date, Cleo and Dana none; Bo his own.
class SharedKeys : public CoreTest {
protected:
    void SetUp() override {
        folder.write("elever.txt",
                     "Alva Lindqvist\t20120704-TF01\t7A\r\nBo Ek\t20120101-1234\t7A\r\n"
                     "Alma Lindqvist\t20120704-TF02\t7A\r\nCleo Ny\t\t7B\r\nDana Ny\t\t7B\r\n");
    }

    // A work of the roster in two periods with two groups, every pupil with wishes and groups
    // of its own.
    std::string savedWork() {
        std::string body =
            "AKTIVITET: Val\r\nSKOLA: \r\nPERIOD: \r\nKLASSER: \r\n"
            "ELEVLISTA: elever.txt\r\nANTAL PERIODER:  2 \r\n"
            "VISA ALLA PERIODER:  0 \r\nGRUPPER:  2 \r\nDANS,,,,  0 ,  0 ,1\r\nKOR,,,,  0 ,  0 "
            ",2\r\n";
        const std::pair<const char*, const char*> pupils[] = {
            {"20120704-TF01", "DANS\t 1 , 0 "},
            {"20120101-1234", "KOR\t 0 , 2 "},
            {"20120704-TF02", "KOR//DANS\t 0 , 2 "},
            {"", "\t 1 , 2 "},
            {"", "DANS\t 0 , 0 "}};
        for (const auto& [number, rest] : pupils)
            body += studentKey(number) + ", " + rest + "\r\n";
        return body;
    }

    void open(App& into, ScriptedDesktop& asked, const fs::path& path, int missing = 0) {
        asked.expectMsgBox(kSharedMessage, Buttons::Ok, Icon::Information, "Öppna"_cp, Answer::Ok);
        if (missing > 0) {
            asked.expectMsgBox(
                withSignSpace(missing) + " elev(er) saknas i elevlistan och har tagits bort.",
                Buttons::Ok, Icon::Information, "Öppna"_cp, Answer::Ok);
        }
        into.run.commandLineFile = path;
        Arkivoppna(into);
        asked.verify();
    }

    TempFolder folder;
};

TEST_F(SharedKeys, AWorkRoundTripsByteForByteEachPupilKeepingItsOwn) {
    ASSERT_EQ(studentKey("20120704-TF01"), studentKey("20120704-TF02"));
    const std::string bytes = savedWork();
    fs::path path = folder.write("val.pel", bytes);
    for (const char* again : {"igen.pel", "tredje.pel"}) {
        open(app, desktop, path);
        const Work& work = app.work;
        EXPECT_EQ(work.studentTable[1].wishes, "DANS");
        EXPECT_EQ(work.studentTable[3].wishes, "KOR\r\nDANS");
        EXPECT_EQ(work.studentTable[5].wishes, "DANS");
        EXPECT_EQ(work.placement[1][1], 1);
        EXPECT_EQ(work.placement[2][3], 2);
        EXPECT_EQ(work.groupMemberCount[1], 2);
        EXPECT_EQ(work.groupMemberCount[2], 3);
        app.run.workFilePath = folder.path(again);
        Arkiv_Spara(app);
        EXPECT_EQ(fileBytes(folder.path(again)), bytes);
        path = folder.path(again);
    }
}

// A line more with a key than the roster has pupils with it counts as a missing pupil; the
// pupils with it keep the lines in order.
TEST_F(SharedKeys, LinesBeyondThePupilsWithTheirKeyAreMissingPupils) {
    const fs::path path =
        folder.write("val.pel", savedWork() + studentKey("") + ", KOR\t 0 , 2 \r\n");
    open(app, desktop, path, 1);
    EXPECT_EQ(app.work.studentTable[4].wishes, "");
    EXPECT_EQ(app.work.studentTable[5].wishes, "DANS");
    EXPECT_EQ(app.work.groupMemberCount[2], 3);
}

// The export writes every key, then names the groups where pupils who share a key stand.
TEST_F(SharedKeys, TheExportNamesTheGroupsWithPupilsWhoShareAKey) {
    open(app, desktop, folder.write("val.pel", savedWork()));
    const fs::path grp = folder.path("val.grp");
    desktop.expectSaveFile(grp).expectMsgBox(
        "Grupplistorna har sparats. Elever med samma nyckel står i grupperna DANS och KOR. "
        "Lumidor kan inte skilja dem åt, så kontrollera närvarolistorna för de grupperna."_cp,
        Buttons::Ok, Icon::Information, "Exportera grupplistor till Lumidor", Answer::Ok);
    Arkiv_export(app);
    const std::string shared = studentKey("20120704-TF01"), none = studentKey("");
    EXPECT_EQ(fileBytes(grp), "GRUPP:DANS\r\n 2\r\n" + shared + "\r\n" + none +
                                  "\r\nGRUPP:KOR\r\n 3\r\n" + studentKey("20120101-1234") + "\r\n" +
                                  shared + "\r\n" + none + "\r\n");
}

// Up to ten names, then how many more.
TEST(NameList, NamesTenThenCountsTheRest) {
    std::vector<std::string> names;
    for (const auto& row : tableRows(PELORA_TEST_DATA "/tabeller/namnlista.txt")) {
        while (names.size() < std::stoul(row[0]))
            names.push_back("N" + std::to_string(names.size() + 1));
        EXPECT_EQ(nameList(names), row[1]) << row[0];
    }
}

}  // namespace
}  // namespace pelora::test
