// The proposal at the limits: 600 unplaced pupils with six wishes each, over 10 groups whose
// places sum to 600, and over 100 groups in one period.
#include <benchmark/benchmark.h>

#include "bench_work.h"
#include "commands/proposal.h"

namespace pelora::bench {
namespace {

void propose(benchmark::State& state, int groups) {
    QuietDesktop desktop;
    auto app = std::make_unique<App>(desktop);
    Work& work = app->work;
    for (int g = 1; g <= groups; ++g)
        work.groupTable[g] = {"GRUPP " + std::to_string(g), "", std::to_string(600 / groups), "",
                              "1"};
    work.groupCount = groups;
    for (int i = 1; i <= MaxStudents; ++i) {
        Student& pupil = work.studentTable[i];
        pupil = {"ELEV " + std::to_string(i), "", "7A", ""};
        for (int k = 0; k < 6; ++k)
            pupil.wishes += (k ? "\r\n" : "") + std::string("GRUPP ") +
                            std::to_string((i * 7 + k * k * 3) % groups + 1);
    }
    work.studentCount = MaxStudents;
    RecountGroupMembers(work);
    std::size_t placed = 0;
    for (auto _ : state) {
        const std::vector<ProposedPlacement> proposal = proposeForPeriod(work, 1);
        placed = static_cast<std::size_t>(
            std::count_if(proposal.begin(), proposal.end(),
                          [](const ProposedPlacement& p) { return p.group > 0; }));
    }
    state.counters["placed"] = static_cast<double>(placed);
}

void ProposalTenGroups(benchmark::State& state) {
    propose(state, 10);
}
void ProposalHundredGroups(benchmark::State& state) {
    propose(state, 100);
}

}  // namespace

BENCHMARK(ProposalTenGroups)->Unit(benchmark::kMillisecond);
BENCHMARK(ProposalHundredGroups)->Unit(benchmark::kMillisecond);

}  // namespace pelora::bench
