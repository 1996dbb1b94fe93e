// Fuzzes the roster reader through Hamta_elever: the input is a roster file, optionally preceded
// by a class filter and a NUL byte.
#include <cstdint>
#include <memory>

#include "base/files.h"
#include "commands/app.h"
#include "commands/readroster.h"
#include "formats/roster.h"
#include "fuzz_support.h"

using namespace pelora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string filter;
    std::string roster = input;
    if (const std::size_t nul = input.find('\0'); nul != std::string::npos) {
        filter = input.substr(0, nul);
        roster = input.substr(nul + 1);
    }
    const std::string path = displayPath(fuzz::writeFuzzFile("elever.txt", roster));

    fuzz::FuzzDesktop desktop;
    auto app = std::make_unique<App>(desktop);
    Work& work = app->work;
    work.start.classFilter = filter;
    // Now and then the roster is not where the work says, and the user names it.
    if (size % 5 == 0) {
        work.start.studentListPath = path + ".borta";
        desktop.rosterAnswer = path;
    } else {
        work.start.studentListPath = path;
    }
    work.placement[1][1] = 7;

    bool read = false;
    try {
        read = Hamta_elever(*app);
    } catch (const ProgramEnd&) {
        return 0;  // a roster that is not a pupil list ends the program
    }

    PELORA_CHECK(work.studentCount >= 0 && work.studentCount <= MaxStudents);
    PELORA_CHECK(work.classCount >= 0 && work.classCount <= MaxClasses);
    PELORA_CHECK(work.placement[1][1] == 0);
    PELORA_CHECK(app->screen.Combo1.items.size() == static_cast<std::size_t>(work.classCount));
    if (!read) PELORA_CHECK(work.studentCount == 0 && work.classCount == 0);
    for (int c = 1; c <= work.classCount; ++c) {
        PELORA_CHECK(app->screen.Combo1.items[c - 1] == work.classList[c]);
        for (int d = 1; d < c; ++d)
            PELORA_CHECK(work.classList[d] != work.classList[c]);
    }
    for (int i = 1; i <= work.studentCount; ++i) {
        const Student& pupil = work.studentTable[i];
        PELORA_CHECK(pupil.key.size() == 4);
        PELORA_CHECK(pupil.wishes.empty());
        PELORA_CHECK(classInFilter(pupil.className, filter));
        int c = 1;
        while (c <= work.classCount && work.classList[c] != pupil.className)
            ++c;
        PELORA_CHECK(c <= work.classCount);
        for (char k : pupil.key) {
            const int code = static_cast<unsigned char>(k);
            PELORA_CHECK(code >= 23 && code <= 131);
        }
    }
    return 0;
}
