// The edit history at the limits: recording "Placera i aktuell grupp" for all 600 pupils as one
// step, taking it back with the refresh that follows, and the memory of a hundred such steps.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "bench_work.h"
#include "commands/edit.h"
#include "commands/placement.h"
#include "display/overview.h"

namespace pelora::bench {
namespace {

// The work at the limits with nobody placed and nothing asked about wishes or places.
std::unique_ptr<App> emptyWork(QuietDesktop& desktop) {
    auto app = std::make_unique<App>(desktop);
    fillWork(*app, true);
    app->work.start.ignoreWishes = 1;
    app->work.groupTable[1].maxText.clear();
    app->work.placement = {};
    RecountGroupMembers(app->work);
    app->screen.Combo3.text = "Alla";
    RefreshOverview(*app);
    return app;
}

// Only the recording: the step kept before and compared after all 600 pupils are placed.
void RecordPlacingSixHundred(benchmark::State& state) {
    QuietDesktop desktop;
    auto app = emptyWork(desktop);
    for (auto _ : state) {
        state.PauseTiming();
        app->work.placement = {};
        app->history.clear();
        state.ResumeTiming();
        Edit edit(*app, "Placera 600 elever i AKTIVITET 1-A", {.placements = true});
        for (int i = 1; i <= MaxStudents; ++i)
            app->work.placement[1][i] = 1;
    }
    state.counters["steps"] = static_cast<double>(app->history.steps());
}

// "Ångra" of the 600 placements, with the refresh of every display after it.
void UndoPlacingSixHundred(benchmark::State& state) {
    QuietDesktop desktop;
    auto app = emptyWork(desktop);
    PlaceInCurrentGroup(*app);
    for (auto _ : state) {
        Redigera_angra(*app);
        state.PauseTiming();
        Redigera_gorom(*app);
        state.ResumeTiming();
    }
    state.counters["members after redo"] = app->work.groupMemberCount[1];
}

// A hundred steps of 600 placements each, every pupil moving on to the next group: what the
// history says it holds, and what the allocator gave out for it.
void HundredStepsOfSixHundred(benchmark::State& state) {
    QuietDesktop desktop;
    auto app = emptyWork(desktop);
    for (auto _ : state) {
        state.PauseTiming();
        app->history.clear();
        const std::size_t before = mallinfo2().uordblks;
        state.ResumeTiming();
        for (int step = 1; step <= 100; ++step) {
            Edit edit(*app, "Placera 600 elever i " + groupName(step), {.placements = true});
            for (int i = 1; i <= MaxStudents; ++i)
                app->work.placement[1][i] = static_cast<std::int16_t>(step);
        }
        state.PauseTiming();
        state.counters["history MB"] = static_cast<double>(app->history.bytes()) / (1 << 20);
        state.counters["allocated MB"] =
            static_cast<double>(mallinfo2().uordblks - before) / (1 << 20);
        if (app->history.steps() != 100 || app->history.bytes() > History::kMemoryLimit)
            state.SkipWithError("a hundred steps were not kept within the limit");
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(RecordPlacingSixHundred)->Unit(benchmark::kMicrosecond);
BENCHMARK(UndoPlacingSixHundred)->Unit(benchmark::kMicrosecond);
BENCHMARK(HundredStepsOfSixHundred)->Unit(benchmark::kMillisecond);

}  // namespace pelora::bench
