// Fuzzes the RTF reader: any bytes give a text whose runs cover it exactly, in order, and a
// section cut anywhere keeps that.
#include <cstdint>

#include "formats/rtf.h"
#include "fuzz_support.h"

using namespace pelora;

namespace {

void checkRuns(const RichText& rich) {
    std::size_t at = 0;
    for (const TextRun& run : rich.runs) {
        PELORA_CHECK(run.start == at);
        PELORA_CHECK(run.length > 0);
        PELORA_CHECK(run.format.halfPoints >= 2 && run.format.halfPoints <= 2000);
        at += run.length;
    }
    PELORA_CHECK(at == rich.text.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const RichText rich = readRtf(input);
    checkRuns(rich);
    const std::size_t start = size > 0 ? data[0] % (rich.text.size() + 1) : 0;
    const std::size_t length = size > 1 ? data[1] : 0;
    checkRuns(rich.slice(start, length));
    const std::u32string what = rich.text.substr(0, std::min<std::size_t>(3, rich.text.size()));
    const std::size_t found = findIgnoringCase(rich.text, what, start);
    PELORA_CHECK(found == std::u32string::npos || found + what.size() <= rich.text.size());
    return 0;
}
