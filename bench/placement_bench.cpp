// Placing and deleting at the limits, each with the refresh sequence that follows it: all 600
// overview lines placed in one group with no question needed, and group 1 of 100 deleted with
// every pupil placed.
#include <benchmark/benchmark.h>

#include "bench_work.h"
#include "commands/groups.h"
#include "commands/placement.h"
#include "display/overview.h"

namespace pelora::bench {
namespace {

void PlaceAllSixHundred(benchmark::State& state) {
    QuietDesktop desktop;
    auto app = std::make_unique<App>(desktop);
    fillWork(*app, true);
    app->work.start.ignoreWishes = 1;
    app->work.groupTable[1].maxText.clear();
    app->screen.Combo3.text = "Alla";
    for (auto _ : state) {
        state.PauseTiming();
        app->work.placement = {};
        RecountGroupMembers(app->work);
        RefreshOverview(*app);
        desktop.questions = 0;
        state.ResumeTiming();
        PlaceInCurrentGroup(*app);
    }
    if (desktop.questions != 1) state.SkipWithError("a question beyond the first was asked");
    state.counters["placed"] = app->work.groupMemberCount[1];
}

void DeleteTheFirstOfAHundredGroups(benchmark::State& state) {
    QuietDesktop desktop;
    auto app = std::make_unique<App>(desktop);
    fillWork(*app, true);
    for (int i = 1; i <= MaxStudents; ++i)
        app->work.placement[1][i] = static_cast<std::int16_t>(i % MaxGroups + 1);
    RecountGroupMembers(app->work);
    const auto full = std::make_unique<const Work>(app->work);
    for (auto _ : state) {
        state.PauseTiming();
        app->work = *full;
        app->run.currentGroup = 1;
        state.ResumeTiming();
        H_klick_tabort(*app);
    }
    state.counters["groups"] = app->work.groupCount;
}

}  // namespace

BENCHMARK(PlaceAllSixHundred)->Unit(benchmark::kMicrosecond);
BENCHMARK(DeleteTheFirstOfAHundredGroups)->Unit(benchmark::kMicrosecond);

}  // namespace pelora::bench
