// The one assignment problem of the program: pupils to groups, each pupil to at most one of the
// groups it may have, each group with a number of free places, at the lowest cost. Solved as a
// minimum-cost flow.
#pragma once

#include <vector>

namespace pelora {

struct AssignmentProblem {
    int pupils = 0;               // numbered 0..pupils-1
    std::vector<int> freePlaces;  // per group 0..; negative for no limit
    struct Pair {
        int pupil;
        int group;
        long long cost;  // not negative
    };
    std::vector<Pair> allowed;
    // Per group, or empty: the least pupils it must get.
    std::vector<int> leastPlaces;
    // Per group, or empty: where a group's list is not empty, its places one by one, each with
    // what taking it costs (not falling from one place to the next); they stand for its
    // freePlaces.
    std::vector<std::vector<long long>> placeCosts;
};

// The group each pupil gets, -1 for none: as many pupils as the free places and the allowed
// pairs let in, and of those assignments one with the lowest total cost. Where several have the
// lowest cost, the costs should tell them apart; the result is the same for the same problem.
// Empty when the least places cannot all be met.
std::vector<int> solveAssignment(const AssignmentProblem& problem);

}  // namespace pelora
