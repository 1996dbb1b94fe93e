// Reading the roster: 600 pupils from an .xlsx workbook made by a spreadsheet program, unpacked
// and parsed each time as when a work is opened.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

#include "formats/roster.h"

namespace pelora::bench {
namespace {

void RosterFromXlsx(benchmark::State& state) {
    std::ifstream file(PELORA_TEST_DATA "/rosters/kalkylblad/elever-600.xlsx", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    if (readRoster(bytes, "").pupils.size() != 600) state.SkipWithError("not 600 pupils");
    for (auto _ : state)
        benchmark::DoNotOptimize(readRoster(bytes, ""));
}

}  // namespace

BENCHMARK(RosterFromXlsx)->Unit(benchmark::kMillisecond);

}  // namespace pelora::bench
