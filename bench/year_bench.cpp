// The proposal for the whole year at the limits: 600 pupils, ten periods of ten groups, six
// wishes each, a least group size of 5. Apart, every group is an activity of its own: without a
// least size one flow per period keeps the rules, with it the flows leave groups too small.
// Shared, 25 activities run in four periods each, so a wish can be met in several periods.
#include <benchmark/benchmark.h>

#include <random>
#include <set>

#include "bench_work.h"
#include "commands/proposalmodel.h"
#include "year_solvers.h"

namespace pelora::bench {
namespace {

Work yearWork(bool shared) {
    Work work;
    work.start.periodCount = 10;
    const int activities = shared ? 25 : 100;
    for (int g = 1; g <= MaxGroups; ++g) {
        const int activity = shared ? g % activities : g;
        work.groupTable[g] = {"AKT" + std::to_string(activity) + "-" + std::to_string(g), "",
                              std::to_string(40 + (g * 37) % 41), "",
                              std::to_string((g - 1) / 10 + 1)};
    }
    work.groupCount = MaxGroups;
    // Some activities are wanted more than others.
    std::mt19937 random(600);
    std::discrete_distribution<int> pick(static_cast<std::size_t>(activities), 0, activities,
                                         [](double a) { return 1 + static_cast<int>(a) % 7; });
    for (int i = 1; i <= MaxStudents; ++i) {
        Student& pupil = work.studentTable[i];
        pupil = {"ELEV " + std::to_string(i), "", "7A", ""};
        std::set<int> wished;
        while (wished.size() < 6) {
            const int activity = pick(random);
            if (!wished.insert(activity).second) continue;
            pupil.wishes += (pupil.wishes.empty() ? "" : "\r\n") + std::string("AKT") +
                            std::to_string(shared ? activity : activity + 1);
        }
    }
    work.studentCount = MaxStudents;
    RecountGroupMembers(work);
    return work;
}

void proposeYear(benchmark::State& state, bool shared, int minimum, const IntegerSolver& solver) {
    const Work work = yearWork(shared);
    ProposalOptions options;
    for (int p = 1; p <= 10; ++p)
        options.periods.push_back(p);
    options.minimum = minimum;
    options.solver = solver;
    Proposal proposal;
    for (auto _ : state)
        proposal = propose(work, options);
    int wished = 0;
    long long cost = 0;
    for (const ProposedPlacement& p : proposal.placements) {
        wished += p.rank > 0 ? 1 : 0;
        cost += static_cast<long long>(p.rank) * p.rank;
    }
    state.counters["wished"] = wished;
    state.counters["cost"] = static_cast<double>(cost);
    state.counters["closed"] = static_cast<double>(proposal.closed.size());
    state.counters["integer"] = proposal.integerProgram ? 1 : 0;
    state.counters["proven"] = proposal.provenBest ? 1 : 0;
}

// Without a least size the periods apart are one flow each.
void ProposalYearFlow(benchmark::State& state) {
    proposeYear(state, false, 0, solveIntegerProgram);
}
void ProposalYearApart(benchmark::State& state) {
    proposeYear(state, false, 5, solveIntegerProgram);
}
void ProposalYearShared(benchmark::State& state) {
    proposeYear(state, true, 5, solveIntegerProgram);
}

}  // namespace

BENCHMARK(ProposalYearFlow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(ProposalYearApart)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(ProposalYearShared)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

#ifdef PELORA_BENCH_GLPK
namespace {
void ProposalYearSharedGlpk(benchmark::State& state) {
    proposeYear(state, true, 5, solveWithGlpk);
}
}  // namespace
BENCHMARK(ProposalYearSharedGlpk)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
#endif

}  // namespace pelora::bench
