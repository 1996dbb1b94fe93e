#include "base/assignment.h"

#include <lemon/list_graph.h>
#include <lemon/network_simplex.h>

#include <algorithm>

namespace pelora {

std::vector<int> solveAssignment(const AssignmentProblem& problem) {
    using Graph = lemon::ListDigraph;
    std::vector<int> result(static_cast<std::size_t>(std::max(problem.pupils, 0)), -1);
    if (problem.pupils <= 0 || problem.allowed.empty()) {
        const bool needsSome = std::any_of(problem.leastPlaces.begin(), problem.leastPlaces.end(),
                                           [](int least) { return least > 0; });
        return needsSome ? std::vector<int>{} : result;
    }

    Graph graph;
    const Graph::Node source = graph.addNode();
    const Graph::Node sink = graph.addNode();
    std::vector<Graph::Node> pupils, groups;
    for (int i = 0; i < problem.pupils; ++i)
        pupils.push_back(graph.addNode());
    for (std::size_t g = 0; g < problem.freePlaces.size(); ++g)
        groups.push_back(graph.addNode());

    Graph::ArcMap<long long> lower(graph, 0), capacity(graph), cost(graph);
    long long highest = 0, dearestPlace = 0;
    for (const AssignmentProblem::Pair& pair : problem.allowed)
        highest = std::max(highest, pair.cost);
    for (const std::vector<long long>& places : problem.placeCosts) {
        for (long long price : places)
            dearestPlace = std::max(dearestPlace, price);
    }
    highest += dearestPlace;
    // Leaving a pupil out costs more than any assignment of everybody else could save, so the
    // flow places as many pupils as it can before it looks at their costs.
    const long long leftOut = (highest + 1) * (problem.pupils + 1);

    auto arc = [&](Graph::Node from, Graph::Node to, long long places, long long price) {
        const Graph::Arc a = graph.addArc(from, to);
        capacity[a] = places;
        cost[a] = price;
        return a;
    };
    arc(source, sink, problem.pupils, leftOut);
    for (int i = 0; i < problem.pupils; ++i)
        arc(source, pupils[static_cast<std::size_t>(i)], 1, 0);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (g < problem.placeCosts.size() && !problem.placeCosts[g].empty()) {
            for (long long price : problem.placeCosts[g])
                arc(groups[g], sink, 1, price);
            continue;
        }
        const int places = problem.freePlaces[g];
        const Graph::Arc a = arc(groups[g], sink, places < 0 ? problem.pupils : places, 0);
        if (g < problem.leastPlaces.size()) lower[a] = std::max(0, problem.leastPlaces[g]);
    }
    std::vector<Graph::Arc> pairArcs;
    for (const AssignmentProblem::Pair& pair : problem.allowed) {
        pairArcs.push_back(arc(pupils[static_cast<std::size_t>(pair.pupil)],
                               groups[static_cast<std::size_t>(pair.group)], 1, pair.cost));
    }

    Graph::NodeMap<long long> supply(graph, 0);
    supply[source] = problem.pupils;
    supply[sink] = -problem.pupils;
    lemon::NetworkSimplex<Graph, long long, long long> flow(graph);
    flow.lowerMap(lower).upperMap(capacity).costMap(cost).supplyMap(supply);
    if (flow.run() != decltype(flow)::OPTIMAL) return {};
    for (std::size_t k = 0; k < pairArcs.size(); ++k) {
        if (flow.flow(pairArcs[k]) > 0) {
            result[static_cast<std::size_t>(problem.allowed[k].pupil)] = problem.allowed[k].group;
        }
    }
    return result;
}

}  // namespace pelora
