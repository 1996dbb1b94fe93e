#include <benchmark/benchmark.h>

#include "base/codec.h"
#include "bench_work.h"
#include "commands/board.h"
#include "commands/overview.h"
#include "commands/wishes.h"
#include "display/board.h"
#include "display/currentpupil.h"
#include "display/overview.h"

namespace pelora::bench {
namespace {

void runOverview(benchmark::State& state, const std::string& criterion, bool namedWishes) {
    QuietDesktop desktop;
    auto app = std::make_unique<App>(desktop);
    fillWork(*app, namedWishes);
    app->screen.Combo3.text = criterion;
    app->screen.Text1.text = "anna";
    app->screen.Check2.value = 1;
    for (auto _ : state) {
        RefreshOverview(*app);
        benchmark::DoNotOptimize(app->screen.List2.lines.data());
    }
    state.counters["lines"] = static_cast<double>(app->screen.List2.lines.size());
}

void NoChoiceNobodyNamesAGroup(benchmark::State& state) {
    runOverview(state, "Ej gjort val", false);
}
void NoChoiceEveryoneNamesGroups(benchmark::State& state) {
    runOverview(state, "Ej gjort val", true);
}
void FirstChoiceMissed(benchmark::State& state) {
    runOverview(state, "Ej fått 1:a-val"_cp, true);
}
void SearchWholeWords(benchmark::State& state) {
    runOverview(state, "Enligt sökbegrepp"_cp, true);
}

void ShowPupil(benchmark::State& state) {
    QuietDesktop desktop;
    auto app = std::make_unique<App>(desktop);
    fillWork(*app, true);
    int i = 0;
    for (auto _ : state) {
        app->run.currentStudent = i % MaxStudents + 1;
        ShowCurrentStudent(*app);
        ++i;
    }
}

}  // namespace

BENCHMARK(NoChoiceNobodyNamesAGroup)->Unit(benchmark::kMicrosecond);
BENCHMARK(NoChoiceEveryoneNamesGroups)->Unit(benchmark::kMicrosecond);
BENCHMARK(FirstChoiceMissed)->Unit(benchmark::kMicrosecond);
BENCHMARK(SearchWholeWords)->Unit(benchmark::kMicrosecond);
BENCHMARK(ShowPupil)->Unit(benchmark::kMicrosecond);

}  // namespace pelora::bench
