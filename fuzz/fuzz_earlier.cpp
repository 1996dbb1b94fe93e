// Fuzzes the reader of earlier work files: readEarlierFile on any bytes, then the page of earlier
// placements that a print run makes of the same bytes, for a class whose pupils have the keys of
// the file's first pupil lines (the second pupil sharing the first one's key now and then).
#include <cstdint>
#include <memory>

#include "base/files.h"
#include "commands/app.h"
#include "commands/printing.h"
#include "formats/earlier.h"
#include "fuzz_support.h"

using namespace pelora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const EarlierFile file = readEarlierFile(input);

    PELORA_CHECK(!file.groupNames.empty() && file.groupNames.size() <= MaxGroups + 1);
    PELORA_CHECK(file.groupNames[0].empty());
    for (const EarlierFile::Placement& pupil : file.pupils) {
        PELORA_CHECK(pupil.key.size() == 4);
        PELORA_CHECK(pupil.group >= 0 && pupil.group <= MaxGroups);
    }
    if (file.error) {
        PELORA_CHECK(file.error->line >= 1);
        PELORA_CHECK(static_cast<std::size_t>(file.error->line) <= splitLines(input).size());
        PELORA_CHECK(!file.error->problem.empty());
    }

    fuzz::writeFuzzFile("tidigare.pel", input);
    fuzz::FuzzDesktop desktop;
    auto app = std::make_unique<App>(desktop);
    Work& work = app->work;
    work.classList[1] = "7A";
    work.classCount = 1;
    work.studentCount = 3;
    for (int i = 1; i <= work.studentCount; ++i) {
        const std::size_t line = size % 2 == 0 && i == 2 ? 0 : static_cast<std::size_t>(i - 1);
        const std::string key = line < file.pupils.size() ? file.pupils[line].key : "    ";
        work.studentTable[i] = {"Elev " + std::to_string(i), key, "7A", ""};
    }
    app->form4.folder = fuzz::fuzzFolder();
    app->form4.Text5.text = "7A";
    PrintLists(*app);
    PELORA_CHECK(!app->form4.visible);
    return 0;
}
