// The export for Lumidor: the file byte for byte, and what a failure leaves.
#include "commands/export.h"

#include "core_fixture.h"
#include "failing_files.h"
#include "formats/export.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

namespace fs = std::filesystem;
using Failure = FailingFileSystem::Failure;

// DANS with two members whose keys sort the other way round, an empty FOTBOLL, and KÖR in
// period 2 with one member there (who is in DANS in period 1).
class Export : public CoreTest {
protected:
    void SetUp() override {
        Work& w = app.work;
        w.start.periodCount = 2;
        w.groupTable[1] = {"DANS", "", "", "", "1"};
        w.groupTable[2] = {"FOTBOLL", "", "", "", "1"};
        w.groupTable[3] = {"KÖR"_cp, "", "", "", "2"};
        w.groupCount = 3;
        w.studentTable[1] = {"Anna", "ZZZZ", "7A", ""};
        w.studentTable[2] = {"Bo", "AAAA", "7A", ""};
        w.studentTable[3] = {"Cy", ", \x83%", "7B", ""};
        w.studentCount = 3;
        w.placement[1][1] = w.placement[1][3] = 1;
        w.placement[2][3] = 3;
        w.placement[2][2] = 1;  // DANS is no group of period 2: not a member
        RecountGroupMembers(w);
        w.groupMemberCount[1] = 2;
    }

    TempFolder folder;
    const fs::path path = folder.path("grupper.grp");
};

// Exporting twice to the same name replaces the file without a question; Cancel says nothing and
// a work without groups does not even show the dialog.
TEST_F(Export, TheFileListsEachGroupsMembersInPupilOrderForItsOwnPeriod) {
    const std::string expected = "GRUPP:DANS\r\n 2\r\nZZZZ\r\n, \x83%\r\nGRUPP:FOTBOLL\r\n 0\r\n" +
                                 "GRUPP:KÖR"_cp + "\r\n 1\r\n, \x83%\r\n";
    EXPECT_EQ(exportBytes(app.work), expected);
    const FileDialogRequest request{"*.grp|*.grp", "grp", ""};
    folder.write("grupper.grp", "gammal");
    desktop.expectSaveFile(path, request).expectSaveFile(path, request);
    Arkiv_export(app);
    Arkiv_export(app);
    EXPECT_EQ(fileBytes(path), expected);
    EXPECT_FALSE(app.run.dirty);

    desktop.expectSaveFile(std::nullopt, request);
    Arkiv_export(app);
    app.work.groupCount = 0;
    Arkiv_export(app);
}

// A file that cannot be created, a write that fails halfway, a rename that fails: an existing
// file is left as it was, and the message comes once.
TEST_F(Export, AFailedExportLeavesAnExistingFileAndSaysSoOnce) {
    const std::pair<Failure, bool> cases[] = {
        {Failure::NewFile, false}, {Failure::WriteHalfway, true}, {Failure::Rename, true}};
    for (const auto& [failure, existing] : cases) {
        fs::remove(path);
        if (existing) folder.write("grupper.grp", "förra exporten"_cp);
        FailingFileSystem files;
        files.failures = {failure};
        App failing(desktop, files);
        failing.work = app.work;
        desktop.expectSaveFile(path).expectMsgBox("Kan inte spara " + shown(path), Buttons::Ok,
                                                  Icon::Exclamation,
                                                  "Exportera grupplistor till Lumidor", Answer::Ok);
        Arkiv_export(failing);
        desktop.verify();
        EXPECT_EQ(fileBytes(path), existing ? "förra exporten"_cp : "(missing)");
    }
}

}  // namespace
}  // namespace pelora::test
