// The proposal itself: which group each pupil not yet placed would get, in the periods asked
// for, by the rules the staff place by: at most one group per period, never two groups of the
// same base name (a wish is met once), the hand placements where they stand and counted against
// both, the capacities kept, and groups below the least size closed.
#pragma once

#include <functional>
#include <vector>

#include "base/integerprogram.h"
#include "base/model.h"

namespace pelora {

// What solves the integer program where one flow per period cannot keep the rules.
using IntegerSolver = std::function<IntegerSolution(const IntegerProgram&, double)>;

struct ProposalOptions {
    std::vector<int> periods;      // the periods proposed together
    int minimum = 0;               // the least pupils of a group that is given; 0 for none
    bool fillWithoutWish = false;  // pupils no wish can place go where the most places are free
    double seconds = 5;            // the integer program's time limit
    IntegerSolver solver = solveIntegerProgram;
};

// One pupil's part of a proposal, one per period proposed and pupil unplaced there.
struct ProposedPlacement {
    int period = 0;
    int pupil = 0;
    int group = 0;  // 0: stays unplaced
    int rank = 0;   // the wish line that names the group; 0 for a group the pupil did not wish
    enum class Unplaced {
        No,
        NoWishedGroup,       // no wish names a group of the period
        WishedGroupsFull,    // the wished groups are full
        WishedGroupsClosed,  // the wished groups are closed or full
        WishesMet,           // every wished group's name the pupil gets in another period
    } unplaced = Unplaced::No;
};

// A group nobody is proposed into because it would stay below the least size.
struct ClosedGroup {
    int group = 0;
    int couldBePlaced = 0;  // the pupils who wished it and could go there, within its places
};

struct Proposal {
    std::vector<ProposedPlacement> placements;  // by period, then pupil
    std::vector<ClosedGroup> closed;            // by group
    bool provenBest = true;                     // false when the time limit stopped the search
    bool integerProgram = false;                // the rules needed more than one flow per period
};

// The best proposal: first every group with hand placements as near the least size as wishes
// allow; then the most pupils placed in a wished group; then the least sum of the squares of
// the wishes' ranks (1st wish 1, 2nd 4, ...); then, when asked, the most pupils placed at all.
// Among equally good ones, within a period, the earlier pupils get the better wishes and the
// lower group numbers.
Proposal propose(const Work& work, const ProposalOptions& options);

// The proposal for one period's unplaced pupils alone, without a least size.
std::vector<ProposedPlacement> proposeForPeriod(const Work& work, int period);

}  // namespace pelora
