// Saves killed at random moments: the work file is always exactly the old or the new one, and the
// next save leaves no temporary file behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "commands/opensave.h"
#include "core_fixture.h"
#include "formats/workfile.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

namespace fs = std::filesystem;

// 600 pupils with five wishes each, 100 groups, placed in ten periods.
void fillToTheLimits(Work& work) {
    work.start = {"Val", "Skolan", "HT", "", "elever.txt", MaxPeriods, 1, 0};
    work.groupCount = MaxGroups;
    for (int g = 1; g <= MaxGroups; ++g)
        work.groupTable[g] = {"GRUPP" + std::to_string(g), "Lärare", "30", "Sal",
                              std::to_string(1 + g % 10)};
    work.studentCount = MaxStudents;
    for (int i = 1; i <= MaxStudents; ++i) {
        work.studentTable[i] = {"Elev " + std::to_string(i), std::to_string(1000 + i).substr(0, 4),
                                "7A", "GRUPP1\r\nGRUPP2\r\nGRUPP3\r\nGRUPP4\r\nGRUPP5"};
        for (int p = 1; p <= MaxPeriods; ++p)
            work.placement[p][i] = static_cast<std::int16_t>(1 + (i + p) % MaxGroups);
    }
}

TEST(KilledSaves, LeaveTheOldOrTheNewFileAndNoTemporaryAfterTheNextSave) {
    TempFolder folder;
    const fs::path path = folder.path("val.pel");
    ScriptedDesktop desktop(gtestFailure());
    App app(desktop);
    fillToTheLimits(app.work);
    app.run.workFilePath = path;
    Arkiv_Spara(app);
    const std::string before = workFileBytes(app.work);
    app.work.start.activity = "Nytt val";
    const std::string after = workFileBytes(app.work);
    ASSERT_GT(before.size(), 60000u);
    ASSERT_EQ(fileBytes(path), before);

    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> moment(0, 4000);
    int cut = 0;
    for (int kill = 0; kill < 200; ++kill) {
        const pid_t saver = ::fork();
        ASSERT_GE(saver, 0);
        if (saver == 0) {
            // Saves the two versions in turn until it is killed.
            for (bool second = true;; second = !second) {
                app.work.start.activity = second ? "Nytt val" : "Val";
                Arkiv_Spara(app);
            }
        }
        ::usleep(static_cast<useconds_t>(moment(random)));
        ::kill(saver, SIGKILL);
        int status = 0;
        ::waitpid(saver, &status, 0);
        const std::string now = fileBytes(path);
        if (now != before && now != after) ++cut;
    }
    EXPECT_EQ(cut, 0);

    Arkiv_Spara(app);
    EXPECT_EQ(fs::directory_iterator(folder.native())->path(), path);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.native()), {}), 1);
}

}  // namespace
}  // namespace pelora::test
