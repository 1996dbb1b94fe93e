// Fuzzes the work-file reader through Arkivoppna, with the roster read it triggers: the input is
// a work file, optionally followed by a NUL byte and the roster it names as "elever.txt". A work
// that was read completely is saved and read again, which must give the same work.
#include <cstdint>
#include <memory>

#include "base/files.h"
#include "base/keys.h"
#include "base/text.h"
#include "commands/app.h"
#include "commands/opensave.h"
#include "formats/roster.h"
#include "formats/workfile.h"
#include "fuzz_support.h"

using namespace pelora;

namespace {

const char* const kRoster =
    "Namn\tPersonnummer\tKlass\r\n"
    "Anna Ek\t19900101-1234\t7a\r\n"
    "Bjorn Aberg\t080303-4444\t7A\r\n"
    "Cecilia Komma\t112009-9057\t7B\r\n"
    "Dan Hogbit\t0969798990\t 7B \r\n"
    "Fredrik Lind\t20050505-5555\t8A\r\n"
    "Gustav Nio\t0912128888\t9A\r\n";

// The file with the wishes of the pupil lines cut out: the "//" between wishes cannot hold a
// wish that starts or ends with "/", so those may change once; everything else must not.
std::string withoutWishes(const Work& work, const std::string& bytes) {
    std::vector<std::string> lines = splitLines(bytes);
    std::string out;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        std::string line = lines[k];
        const std::size_t pupilLines = static_cast<std::size_t>(work.studentCount);
        if (k + pupilLines >= lines.size()) {
            const std::size_t tab = line.find('\t');
            if (tab != std::string::npos && tab >= 5) line.erase(5, tab - 5);
        }
        out += line + "\n";
    }
    return out;
}

bool keysUnique(const Work& work) {
    for (int i = 1; i <= work.studentCount; ++i) {
        for (int j = 1; j < i; ++j) {
            if (work.studentTable[i].key == work.studentTable[j].key) return false;
        }
    }
    return true;
}

void checkWork(const Work& work) {
    PELORA_CHECK(work.studentCount >= 0 && work.studentCount <= MaxStudents);
    PELORA_CHECK(work.groupCount >= 0 && work.groupCount <= MaxGroups);
    PELORA_CHECK(work.classCount >= 0 && work.classCount <= MaxClasses);
    PELORA_CHECK(work.start.periodCount >= 1 && work.start.periodCount <= MaxPeriods);
    for (int p = 1; p <= work.start.periodCount; ++p) {
        for (int i = 1; i <= work.studentCount; ++i) {
            PELORA_CHECK(work.placement[p][i] >= 0 && work.placement[p][i] <= MaxGroups);
        }
    }
    for (int g = 1; g <= MaxGroups; ++g)
        PELORA_CHECK(work.groupMemberCount[g] >= 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string file = input;
    std::string roster = kRoster;
    if (const std::size_t nul = input.find('\0'); nul != std::string::npos) {
        file = input.substr(0, nul);
        roster = input.substr(nul + 1);
    }
    fuzz::writeFuzzFile("elever.txt", roster);
    const std::filesystem::path path = fuzz::writeFuzzFile("arbete.pel", file);

    fuzz::FuzzDesktop desktop;
    desktop.cancelAt = static_cast<int>(size % 4);
    desktop.rosterAnswer = "elever.txt";
    auto app = std::make_unique<App>(desktop);
    try {
        app->run.commandLineFile = path;
        Arkivoppna(*app);
    } catch (const ProgramEnd&) {
        return 0;
    }
    const Work& first = app->work;
    checkWork(first);
    PELORA_CHECK(!app->history.dirty());

    // Read to the end, with the roster of this folder and a class filter that was not changed
    // after the roster was read (a later "KLASSER:" line): save and read again.
    if (app->run.workFilePath != path || first.start.studentListPath != "elever.txt") return 0;
    const Roster reference = readRoster(roster, first.start.classFilter);
    if (reference.error) return 0;
    if (static_cast<int>(reference.pupils.size()) != first.studentCount) return 0;
    for (int i = 1; i <= first.studentCount; ++i) {
        if (reference.pupils[static_cast<std::size_t>(i - 1)].key != first.studentTable[i].key) {
            return 0;
        }
    }
    const std::string saved = workFileBytes(first);
    const std::filesystem::path again = fuzz::writeFuzzFile("igen.pel", saved);

    fuzz::FuzzDesktop quiet;
    auto second = std::make_unique<App>(quiet);
    second->run.commandLineFile = again;
    Arkivoppna(*second);
    const Work& work = second->work;
    checkWork(work);
    // What the program wrote it reads asking nothing; only pupils who share a key are named.
    PELORA_CHECK(quiet.questions == (sharedKeyGroups(work).empty() ? 0 : 1));
    PELORA_CHECK(second->run.workFilePath == again);
    PELORA_CHECK(work.studentCount == first.studentCount);
    PELORA_CHECK(work.groupCount == first.groupCount);

    // The member counts of a file in the writer's order are the placements' counts exactly.
    for (int g = 1; g <= MaxGroups; ++g) {
        int members = 0;
        for (int p = 1; p <= work.start.periodCount; ++p) {
            for (int i = 1; i <= work.studentCount; ++i)
                members += work.placement[p][i] == g;
        }
        PELORA_CHECK(work.groupMemberCount[g] == members);
    }

    if (keysUnique(first)) {
        const std::string savedAgain = workFileBytes(work);
        PELORA_CHECK(withoutWishes(work, savedAgain) == withoutWishes(first, saved));
        for (int i = 1; i <= work.studentCount; ++i) {
            const std::string& wishes = first.studentTable[i].wishes;
            if (wishes.find('/') == std::string::npos) {
                PELORA_CHECK(CleanLines(work.studentTable[i].wishes) == CleanLines(wishes));
            }
        }
        if (saved.find('/') == std::string::npos) PELORA_CHECK(savedAgain == saved);
    }
    return 0;
}
