#include "commands/proposalmodel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <string>

#include "base/assignment.h"
#include "base/integerprogram.h"
#include "base/text.h"

namespace pelora {

namespace {

// A wish further down than this costs as much as this one: the costs stay within 64 bits.
constexpr long long kLowestRank = 100;

int lineCount(const std::string& wishes) {
    return wishes.empty() ? 0
                          : static_cast<int>(std::count(wishes.begin(), wishes.end(), '\n')) + 1;
}

// A pupil unplaced in one period, and the groups it may get there.
struct Slot {
    int period = 0;
    int pupil = 0;
    std::vector<int> candidates;  // into Proposer::m_candidates
};

struct Candidate {
    int slot = 0;
    int group = 0;
    int rank = 0;     // 0: not wished (wishes are ignored)
    long long place;  // the rank as it costs: capped, and one past the longest for no wish
};

class Proposer {
public:
    Proposer(const Work& work, const ProposalOptions& options) : m_work(work), m_options(options) {}

    Proposal run() {
        collect();
        closeTheTooSmall();
        m_choice.assign(m_slots.size(), -1);
        bool independent = true;
        for (int period : m_periods)
            independent = flowPeriod(period, Mode::Alone) && independent;
        if (!independent || !keepsTheRules()) {
            m_result.integerProgram = true;
            startFromFlows();
            solveIntegerProgram();
            for (int period : m_periods)
                flowPeriod(period, Mode::Polish);
        }
        if (m_options.fillWithoutWish) {
            for (int period : m_periods)
                fill(period);
        }
        report();
        return m_result;
    }

private:
    // How a period's flow stands to the others: solved as if no other were proposed; after the
    // earlier periods' choices, with no least size; or after all the others' choices, with the
    // least sizes and the closed groups as they are.
    enum class Mode { Alone, Start, Polish };

    const std::string& base(int g) const { return m_base[static_cast<std::size_t>(g)]; }

    // The free places of group g; -1 for no limit.
    int freePlaces(int g) const {
        const double capacity = groupCapacity(m_work, g);
        if (capacity <= 0) return -1;
        return std::max(0, static_cast<int>(std::floor(capacity)) - m_work.groupMemberCount[g]);
    }

    bool handPlaced(int g) const { return m_work.groupMemberCount[g] > 0; }

    // The slots, and for each the groups of its period the pupil may get: free, not of a base
    // name it has by hand, and wished (or any where wishes are ignored).
    void collect() {
        const Work& w = m_work;
        std::set<int> periods;
        for (int p : m_options.periods) {
            if (p >= 1 && p <= w.start.periodCount && p <= MaxPeriods) periods.insert(p);
        }
        m_periods.assign(periods.begin(), periods.end());
        m_base.assign(1, std::string());
        m_period.assign(1, 0);
        for (int g = 1; g <= w.groupCount; ++g) {
            m_base.push_back(NormalizeUpper(BaseName(w.groupTable[g].name)));
            m_period.push_back(groupPeriod(w, g));
        }
        m_held.assign(static_cast<std::size_t>(w.studentCount) + 1, {});
        for (int i = 1; i <= w.studentCount; ++i) {
            for (int p = 1; p <= MaxPeriods; ++p) {
                const int g = w.placement[p][i];
                if (g >= 1 && g <= w.groupCount) m_held[i].insert(base(g));
            }
        }
        int longest = 0;
        m_pupilSlots.assign(static_cast<std::size_t>(w.studentCount) + 1, {});
        for (int p : m_periods) {
            for (int i = 1; i <= w.studentCount; ++i) {
                if (w.placement[p][i] != 0) continue;
                m_pupilSlots[static_cast<std::size_t>(i)].push_back(
                    static_cast<int>(m_slots.size()));
                m_slots.push_back({p, i, {}});
                longest = std::max(longest, lineCount(w.studentTable[i].wishes));
            }
        }
        const long long lowest = std::min<long long>(longest + 1, kLowestRank + 1);
        m_lowest = lowest;
        for (std::size_t s = 0; s < m_slots.size(); ++s) {
            Slot& slot = m_slots[s];
            const std::string& wishes = w.studentTable[slot.pupil].wishes;
            for (int g = 1; g <= w.groupCount; ++g) {
                if (m_period[static_cast<std::size_t>(g)] != slot.period || freePlaces(g) == 0)
                    continue;
                if (m_held[slot.pupil].count(base(g)) > 0) continue;
                const int rank = wishRank(wishes, w.groupTable[g].name);
                if (rank == 0 && w.start.ignoreWishes != 1) continue;
                slot.candidates.push_back(static_cast<int>(m_candidates.size()));
                m_candidates.push_back(
                    {static_cast<int>(s), g, rank,
                     rank > 0 ? std::min<long long>(rank, kLowestRank) : lowest});
            }
        }
        for (int g = 0; g <= w.groupCount; ++g)
            m_byGroup.emplace_back();
        for (std::size_t c = 0; c < m_candidates.size(); ++c)
            m_byGroup[static_cast<std::size_t>(m_candidates[c].group)].push_back(
                static_cast<int>(c));
    }

    // The most pupils group g can get: those who may go there, within its free places.
    int reach(int g) const {
        const int candidates = static_cast<int>(m_byGroup[static_cast<std::size_t>(g)].size());
        const int places = freePlaces(g);
        return places < 0 ? candidates : std::min(places, candidates);
    }

    bool needsMinimum(int g) const { return m_options.minimum > 0 && !handPlaced(g); }

    // A group without hand placements that can never reach the least size is closed at once.
    void closeTheTooSmall() {
        m_closed.assign(static_cast<std::size_t>(m_work.groupCount) + 1, false);
        for (int g = 1; g <= m_work.groupCount; ++g) {
            if (!needsMinimum(g) || m_byGroup[static_cast<std::size_t>(g)].empty()) continue;
            if (reach(g) >= m_options.minimum) continue;
            m_closed[static_cast<std::size_t>(g)] = true;
            for (int c : m_byGroup[static_cast<std::size_t>(g)]) {
                std::vector<int>& list =
                    m_slots[static_cast<std::size_t>(m_candidates[c].slot)].candidates;
                list.erase(std::find(list.begin(), list.end(), c));
            }
        }
    }

    // The group slot s gets: chosen, filled in or 0.
    int groupOf(std::size_t s) const {
        if (m_choice[s] >= 0) return m_candidates[static_cast<std::size_t>(m_choice[s])].group;
        const auto f = m_filled.find(s);
        return f == m_filled.end() ? 0 : f->second;
    }

    // The base names the pupil of slot s gets in its other slots.
    std::set<std::string> basesElsewhere(std::size_t s) const {
        std::set<std::string> bases;
        for (int other : m_pupilSlots[static_cast<std::size_t>(m_slots[s].pupil)]) {
            const std::size_t o = static_cast<std::size_t>(other);
            if (o != s && groupOf(o) > 0) bases.insert(base(groupOf(o)));
        }
        return bases;
    }

    int count(int g) const {
        int n = 0;
        for (int c : m_byGroup[static_cast<std::size_t>(g)])
            n += m_choice[static_cast<std::size_t>(m_candidates[c].slot)] == c ? 1 : 0;
        return n;
    }

    // The best choices for one period's slots by a flow. Alone, the answer is whether no pupil
    // may get one base name there and in another period (so that the periods are independent);
    // otherwise whether the least sizes could be kept (when not, the choices stay as they were).
    bool flowPeriod(int period, Mode mode) {
        const bool alone = mode == Mode::Alone, polish = mode == Mode::Polish;
        std::vector<int> groups, slots;
        for (int g = 1; g <= m_work.groupCount; ++g) {
            if (m_period[static_cast<std::size_t>(g)] == period) groups.push_back(g);
        }
        for (std::size_t s = 0; s < m_slots.size(); ++s) {
            if (m_slots[s].period == period) slots.push_back(static_cast<int>(s));
        }
        const long long pupils = static_cast<long long>(slots.size());
        const long long groupCount = static_cast<long long>(groups.size());
        // The cost of a pair is its rank squared, times a scale above all tie-breaking amounts
        // together. Among proposals equally good by rank, the tie-breaker places earlier pupils
        // first, gives earlier pupils the better wish, and takes the lower group number.
        auto tieBreak = [&](long long k, long long place, long long h) {
            return ((m_lowest + 1) * (k + 1) + (pupils - k) * place) * (groupCount + 1) + h;
        };
        const long long tieLimit = pupils * tieBreak(pupils, m_lowest, groupCount) + 1;
        AssignmentProblem problem;
        problem.pupils = static_cast<int>(pupils);
        std::map<int, int> index;  // group: its index in the problem
        for (int g : groups) {
            index[g] = static_cast<int>(problem.freePlaces.size());
            const bool shut = m_closed[static_cast<std::size_t>(g)] ||
                              (polish && needsMinimum(g) && count(g) == 0);
            problem.freePlaces.push_back(shut ? 0 : freePlaces(g));
            int least = 0;
            if (polish && !shut && m_options.minimum > 0) {
                least = handPlaced(g)
                            ? std::min(count(g), m_options.minimum - m_work.groupMemberCount[g])
                            : m_options.minimum;
            }
            problem.leastPlaces.push_back(std::max(0, least));
        }
        bool independent = true;
        std::vector<std::pair<int, int>> pairSlot;  // the slot and candidate of each pair
        for (std::size_t k = 0; k < slots.size(); ++k) {
            const std::size_t s = static_cast<std::size_t>(slots[k]);
            const std::set<std::string> taken = alone ? std::set<std::string>{} : basesElsewhere(s);
            for (int c : m_slots[s].candidates) {
                const Candidate& candidate = m_candidates[static_cast<std::size_t>(c)];
                if (taken.count(base(candidate.group)) > 0) continue;
                if (alone) independent = independent && !sharedWithOtherPeriod(s, c);
                const long long h = index[candidate.group];
                problem.allowed.push_back(
                    {static_cast<int>(k), static_cast<int>(h),
                     candidate.place * candidate.place * tieLimit +
                         tieBreak(static_cast<long long>(k), candidate.place, h)});
                pairSlot.emplace_back(slots[k], c);
            }
        }
        const std::vector<int> chosen = solveAssignment(problem);
        if (chosen.empty()) return false;
        for (int s : slots)
            m_choice[static_cast<std::size_t>(s)] = -1;
        for (std::size_t k = 0; k < slots.size(); ++k) {
            if (chosen[k] < 0) continue;
            const int g = groups[static_cast<std::size_t>(chosen[k])];
            for (int c : m_slots[static_cast<std::size_t>(slots[k])].candidates) {
                if (m_candidates[static_cast<std::size_t>(c)].group == g)
                    m_choice[static_cast<std::size_t>(slots[k])] = c;
            }
        }
        return !alone || independent;
    }

    // Whether the pupil of slot s may get candidate c's base name in another period as well.
    bool sharedWithOtherPeriod(std::size_t s, int c) const {
        const std::string& name = base(m_candidates[static_cast<std::size_t>(c)].group);
        for (int slot : m_pupilSlots[static_cast<std::size_t>(m_slots[s].pupil)]) {
            const std::size_t o = static_cast<std::size_t>(slot);
            if (o == s) continue;
            for (int other : m_slots[o].candidates) {
                if (base(m_candidates[static_cast<std::size_t>(other)].group) == name) return true;
            }
        }
        return false;
    }

    // Whether the periods' own best choices already keep the least sizes, and leave each group
    // with hand placements as near the least size as it can ever come.
    bool keepsTheRules() const {
        if (m_options.minimum <= 0) return true;
        for (int g = 1; g <= m_work.groupCount; ++g) {
            if (m_closed[static_cast<std::size_t>(g)]) continue;
            const int n = count(g);
            if (!handPlaced(g)) {
                if (n > 0 && n < m_options.minimum) return false;
            } else if (n < std::min(reach(g), m_options.minimum - m_work.groupMemberCount[g])) {
                return false;
            }
        }
        return true;
    }

    // A start the integer program may improve on: the periods in turn, each pupil never given
    // a base name an earlier period gave it, and the groups left below the least size emptied.
    void startFromFlows() {
        m_choice.assign(m_slots.size(), -1);
        for (int period : m_periods)
            flowPeriod(period, Mode::Start);
        closeBelowMinimum();
    }

    // The groups left below the least size are emptied.
    void closeBelowMinimum() {
        for (int g = 1; g <= m_work.groupCount; ++g) {
            if (!needsMinimum(g) || count(g) >= m_options.minimum) continue;
            for (int c : m_byGroup[static_cast<std::size_t>(g)]) {
                int& choice = m_choice[static_cast<std::size_t>(m_candidates[c].slot)];
                if (choice == c) choice = -1;
            }
        }
    }

    // The whole proposal as one integer program, over the pupils' possible groups.
    void solveIntegerProgram() {
        const int minimum = m_options.minimum;
        IntegerProgram program;
        // Weights that make the objectives strictly ordered: no total cost outweighs one more
        // pupil placed, and nothing outweighs one place nearer the least size.
        long long costs = 0, placeable = 0;
        for (const Slot& slot : m_slots) {
            long long dearest = 0;
            for (int c : slot.candidates) {
                const long long place = m_candidates[static_cast<std::size_t>(c)].place;
                dearest = std::max(dearest, place * place);
            }
            costs += dearest;
            placeable += slot.candidates.empty() ? 0 : 1;
        }
        const double perPupil = static_cast<double>(costs + 1);
        const double perShortfall = perPupil * static_cast<double>(placeable + 1);

        std::vector<int> column(m_candidates.size(), -1);
        for (const Slot& slot : m_slots) {
            for (int c : slot.candidates) {
                const long long place = m_candidates[static_cast<std::size_t>(c)].place;
                column[static_cast<std::size_t>(c)] = static_cast<int>(program.columns.size());
                program.columns.push_back(
                    {0, 1, perPupil - static_cast<double>(place * place), true});
            }
        }
        auto atMostOne = [&](const std::vector<int>& candidates) {
            if (candidates.size() < 2) return;
            IntegerProgram::Row row{-kInfinity, 1, {}};
            for (int c : candidates)
                row.terms.emplace_back(column[static_cast<std::size_t>(c)], 1.0);
            program.rows.push_back(std::move(row));
        };
        std::map<std::pair<int, std::string>, std::vector<int>> byPupilAndBase;
        for (const Slot& slot : m_slots) {
            atMostOne(slot.candidates);
            for (int c : slot.candidates)
                byPupilAndBase[{slot.pupil, base(m_candidates[static_cast<std::size_t>(c)].group)}]
                    .push_back(c);
        }
        for (const auto& [key, candidates] : byPupilAndBase) {
            std::set<int> slots;
            for (int c : candidates)
                slots.insert(m_candidates[static_cast<std::size_t>(c)].slot);
            if (slots.size() > 1) atMostOne(candidates);
        }
        std::vector<std::pair<int, int>> opened;  // group, its column
        for (int g = 1; g <= m_work.groupCount; ++g) {
            if (m_closed[static_cast<std::size_t>(g)]) continue;
            IntegerProgram::Row members{-kInfinity, kInfinity, {}};
            for (int c : m_byGroup[static_cast<std::size_t>(g)])
                members.terms.emplace_back(column[static_cast<std::size_t>(c)], 1.0);
            if (members.terms.empty()) continue;
            const int places = freePlaces(g);
            const int size = static_cast<int>(members.terms.size());
            if (needsMinimum(g)) {
                // Open (1) or closed (0): between the least size and the reach when open.
                const int open = static_cast<int>(program.columns.size());
                program.columns.push_back({0, 1, 0, true});
                opened.emplace_back(g, open);
                IntegerProgram::Row upper = members, lower = members;
                upper.terms.emplace_back(open, -static_cast<double>(reach(g)));
                upper.upper = 0;
                lower.terms.emplace_back(open, -static_cast<double>(minimum));
                lower.lower = 0;
                program.rows.push_back(std::move(upper));
                program.rows.push_back(std::move(lower));
                continue;
            }
            if (places >= 0 && size > places) {
                IntegerProgram::Row row = members;
                row.upper = places;
                program.rows.push_back(std::move(row));
            }
            const int wanting = minimum - m_work.groupMemberCount[g];
            if (minimum > 0 && wanting > 0) {
                // What the group lacks of the least size, as little as can be.
                const int shortfall = static_cast<int>(program.columns.size());
                program.columns.push_back({0, static_cast<double>(wanting), -perShortfall, false});
                IntegerProgram::Row row = members;
                row.terms.emplace_back(shortfall, 1.0);
                row.lower = wanting;
                program.rows.push_back(std::move(row));
                m_shortfalls.emplace_back(g, shortfall);
            }
        }
        // The start: the flows' choices, with every group's open and shortfall columns to match.
        program.start.assign(program.columns.size(), 0.0);
        for (std::size_t s = 0; s < m_slots.size(); ++s) {
            if (m_choice[s] >= 0)
                program.start[static_cast<std::size_t>(
                    column[static_cast<std::size_t>(m_choice[s])])] = 1;
        }
        for (const auto& [g, open] : opened)
            program.start[static_cast<std::size_t>(open)] = count(g) > 0 ? 1 : 0;
        for (const auto& [g, shortfall] : m_shortfalls) {
            program.start[static_cast<std::size_t>(shortfall)] =
                std::max(0, minimum - m_work.groupMemberCount[g] - count(g));
        }

        const IntegerSolution solution = m_options.solver(program, m_options.seconds);
        m_result.provenBest = solution.status == IntegerSolution::Status::Optimal;
        if (solution.values.empty()) return;  // the start stands
        for (std::size_t s = 0; s < m_slots.size(); ++s) {
            m_choice[s] = -1;
            for (int c : m_slots[s].candidates) {
                if (solution.values[static_cast<std::size_t>(column[static_cast<std::size_t>(c)])] >
                    0.5)
                    m_choice[s] = c;
            }
        }
    }

    // The pupils of the period still unplaced go where the most places are free, in the groups
    // that are given, never twice to one base name.
    void fill(int period) {
        std::vector<int> slots;
        for (std::size_t s = 0; s < m_slots.size(); ++s) {
            if (m_slots[s].period == period && m_choice[s] < 0)
                slots.push_back(static_cast<int>(s));
        }
        if (slots.empty()) return;
        const int unlimited = static_cast<int>(slots.size()) + MaxStudents;
        std::vector<int> groups;
        std::vector<int> left;
        for (int g = 1; g <= m_work.groupCount; ++g) {
            if (m_period[static_cast<std::size_t>(g)] != period ||
                m_closed[static_cast<std::size_t>(g)])
                continue;
            const int n = count(g);
            if (m_options.minimum > 0 && !handPlaced(g) && n == 0) continue;  // not given
            const int places = freePlaces(g);
            const int free = places < 0 ? unlimited : places - n;
            if (free <= 0) continue;
            groups.push_back(g);
            left.push_back(free);
        }
        if (groups.empty()) return;
        const long long pupils = static_cast<long long>(slots.size());
        const long long groupCount = static_cast<long long>(groups.size());
        const long long scale = pupils * (pupils * (groupCount + 1) + groupCount) + 1;
        const int most = *std::max_element(left.begin(), left.end());
        AssignmentProblem problem;
        problem.pupils = static_cast<int>(pupils);
        for (std::size_t h = 0; h < groups.size(); ++h) {
            problem.freePlaces.push_back(left[h]);
            std::vector<long long> places;
            for (int j = 0; j < std::min<int>(left[h], static_cast<int>(pupils)); ++j)
                places.push_back((most + 1 - (left[h] - j)) * scale);
            problem.placeCosts.push_back(std::move(places));
        }
        for (std::size_t k = 0; k < slots.size(); ++k) {
            const std::size_t s = static_cast<std::size_t>(slots[k]);
            std::set<std::string> taken = basesElsewhere(s);
            taken.insert(m_held[m_slots[s].pupil].begin(), m_held[m_slots[s].pupil].end());
            for (std::size_t h = 0; h < groups.size(); ++h) {
                if (taken.count(base(groups[h])) > 0) continue;
                problem.allowed.push_back(
                    {static_cast<int>(k), static_cast<int>(h),
                     static_cast<long long>(k) * (groupCount + 1) + static_cast<long long>(h)});
            }
        }
        const std::vector<int> chosen = solveAssignment(problem);
        for (std::size_t k = 0; k < chosen.size(); ++k) {
            if (chosen[k] < 0) continue;
            const std::size_t s = static_cast<std::size_t>(slots[k]);
            const int g = groups[static_cast<std::size_t>(chosen[k])];
            m_filled[s] = g;
        }
    }

    void report() {
        const Work& w = m_work;
        for (std::size_t s = 0; s < m_slots.size(); ++s) {
            const Slot& slot = m_slots[s];
            ProposedPlacement placed{slot.period, slot.pupil, 0, 0,
                                     ProposedPlacement::Unplaced::No};
            const std::string& wishes = w.studentTable[slot.pupil].wishes;
            if (m_choice[s] >= 0) {
                const Candidate& c = m_candidates[static_cast<std::size_t>(m_choice[s])];
                placed.group = c.group;
                placed.rank = c.rank;
            } else if (const auto f = m_filled.find(s); f != m_filled.end()) {
                placed.group = f->second;
                placed.rank = wishRank(wishes, w.groupTable[f->second].name);
            } else {
                placed.unplaced = whyUnplaced(s);
            }
            m_result.placements.push_back(placed);
        }
        for (int g = 1; g <= w.groupCount; ++g) {
            if (m_byGroup[static_cast<std::size_t>(g)].empty() || !needsMinimum(g)) continue;
            if (m_closed[static_cast<std::size_t>(g)] || count(g) == 0)
                m_result.closed.push_back({g, reach(g)});
        }
    }

    ProposedPlacement::Unplaced whyUnplaced(std::size_t s) const {
        using U = ProposedPlacement::Unplaced;
        const Work& w = m_work;
        const Slot& slot = m_slots[s];
        std::set<std::string> taken = basesElsewhere(s);
        taken.insert(m_held[slot.pupil].begin(), m_held[slot.pupil].end());
        bool wished = false, unmet = false, closed = false;
        for (int g = 1; g <= w.groupCount; ++g) {
            if (m_period[static_cast<std::size_t>(g)] != slot.period) continue;
            if (wishRank(w.studentTable[slot.pupil].wishes, w.groupTable[g].name) == 0) continue;
            wished = true;
            if (taken.count(base(g)) > 0) continue;
            unmet = true;
            closed = closed || m_closed[static_cast<std::size_t>(g)] ||
                     (needsMinimum(g) && count(g) == 0 && freePlaces(g) != 0);
        }
        if (!wished) return U::NoWishedGroup;
        if (!unmet) return U::WishesMet;
        return closed ? U::WishedGroupsClosed : U::WishedGroupsFull;
    }

    static constexpr double kInfinity = std::numeric_limits<double>::infinity();

    const Work& m_work;
    const ProposalOptions& m_options;
    std::vector<int> m_periods;
    std::vector<std::string> m_base;             // per group: its base name as wishes match it
    std::vector<int> m_period;                   // per group: its period
    std::vector<std::set<std::string>> m_held;   // per pupil: the base names placed by hand
    std::vector<std::vector<int>> m_pupilSlots;  // per pupil: its slots
    std::vector<Slot> m_slots;
    std::vector<Candidate> m_candidates;
    std::vector<std::vector<int>> m_byGroup;  // per group: its candidates
    std::vector<bool> m_closed;               // closed before anything was chosen
    std::vector<int> m_choice;                // per slot: its candidate, -1 for none
    std::map<std::size_t, int> m_filled;      // slot: the group it was filled into
    std::vector<std::pair<int, int>> m_shortfalls;
    long long m_lowest = 1;
    Proposal m_result;
};

}  // namespace

Proposal propose(const Work& work, const ProposalOptions& options) {
    return Proposer(work, options).run();
}

std::vector<ProposedPlacement> proposeForPeriod(const Work& work, int period) {
    ProposalOptions options;
    options.periods = {period};
    return propose(work, options).placements;
}

}  // namespace pelora
