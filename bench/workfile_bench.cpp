// Saving: the whole work file built at the limits, and wishes joined for a pupil with very many
// wish lines (the join once took quadratic time: 200,000 lines took seconds on every save).
#include <benchmark/benchmark.h>

#include "bench_work.h"
#include "formats/workfile.h"

namespace pelora::bench {
namespace {

void JoinWishes(benchmark::State& state) {
    std::string wishes;
    for (int k = 0; k < state.range(0); ++k)
        wishes += " AKTIVITET " + std::to_string(k % 100) + " \r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(joinWishes(wishes));
    state.SetComplexityN(state.range(0));
}

void WorkFileAtTheLimits(benchmark::State& state) {
    QuietDesktop desktop;
    auto app = std::make_unique<App>(desktop);
    fillWork(*app, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(workFileBytes(app->work));
}

}  // namespace

BENCHMARK(JoinWishes)
    ->RangeMultiplier(10)
    ->Range(2000, 200000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WorkFileAtTheLimits)->Unit(benchmark::kMicrosecond);

}  // namespace pelora::bench
