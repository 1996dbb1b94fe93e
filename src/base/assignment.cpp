#include "base/assignment.h"

#include <lemon/list_graph.h>
#include <lemon/network_simplex.h>

#include <algorithm>

namespace pelora {

std::vector<int> solveAssignment(const AssignmentProblem& problem) {
    using Graph = lemon::ListDigraph;
    std::vector<int> result(static_cast<std::size_t>(std::max(problem.pupils, 0)), -1);
    if (problem.pupils <= 0 || problem.allowed.empty()) return result;

    Graph graph;
    const Graph::Node source = graph.addNode();
    const Graph::Node sink = graph.addNode();
    std::vector<Graph::Node> pupils, groups;
    for (int i = 0; i < problem.pupils; ++i)
        pupils.push_back(graph.addNode());
    for (std::size_t g = 0; g < problem.freePlaces.size(); ++g)
        groups.push_back(graph.addNode());

    Graph::ArcMap<long long> capacity(graph), cost(graph);
    long long highest = 0;
    for (const AssignmentProblem::Pair& pair : problem.allowed)
        highest = std::max(highest, pair.cost);
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
        const int places = problem.freePlaces[g];
        arc(groups[g], sink, places < 0 ? problem.pupils : places, 0);
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
    flow.upperMap(capacity).costMap(cost).supplyMap(supply);
    if (flow.run() != decltype(flow)::OPTIMAL) return result;
    for (std::size_t k = 0; k < pairArcs.size(); ++k) {
        if (flow.flow(pairArcs[k]) > 0) {
            result[static_cast<std::size_t>(problem.allowed[k].pupil)] = problem.allowed[k].group;
        }
    }
    return result;
}

}  // namespace pelora
