// The proposal over two periods at once, with least group sizes, hand placements and pupils
// without wishes: as good as the best of every choice on small random works, and never against
// the rules the staff place by.
#include "commands/proposalmodel.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <tuple>

#include "base/text.h"

namespace pelora::test {
namespace {

// Nearer the least size for groups with hand placements, more pupils in a wished group, a lower
// sum of the ranks squared: larger is better.
using Score = std::tuple<int, int, long long>;

struct Year {
    Work work;
    int minimum = 0;

    // A random work over two periods: up to three groups in each, named after four activities
    // so that one activity may run in both; up to six pupils with up to three wishes, some
    // placed by hand.
    explicit Year(std::mt19937& random) {
        const char* bases[] = {"DANS", "KOR", "BILD", "SLOJD"};
        Work& w = work;
        w.start.periodCount = 2;
        for (int p = 1; p <= 2; ++p) {
            for (int n = 1 + static_cast<int>(random() % 3); n > 0; --n) {
                const int capacity = static_cast<int>(random() % 4);  // 0: no limit
                const int g = ++w.groupCount;
                w.groupTable[g] = {std::string(bases[random() % 4]) + "-" + std::to_string(g), "",
                                   capacity ? std::to_string(capacity) : "", "", std::to_string(p)};
            }
        }
        w.studentCount = 1 + static_cast<int>(random() % 6);
        for (int i = 1; i <= w.studentCount; ++i) {
            w.studentTable[i] = {"ELEV " + std::to_string(i), "", "7A", ""};
            for (int k = static_cast<int>(random() % 4); k > 0; --k)
                w.studentTable[i].wishes += bases[random() % 4] + std::string(k > 1 ? "\r\n" : "");
            for (int p = 1; p <= 2; ++p) {
                if (random() % 5 != 0) continue;
                const int g = 1 + static_cast<int>(random() % static_cast<unsigned>(w.groupCount));
                if (groupPeriod(w, g) == p) w.placement[p][i] = static_cast<std::int16_t>(g);
            }
        }
        minimum = random() % 2 == 0 ? 0 : 2 + static_cast<int>(random() % 2);
        RecountGroupMembers(w);
    }

    // The work as a failure shows it.
    std::string text() const {
        std::string t = "minimum " + std::to_string(minimum) + "\n";
        for (int g = 1; g <= work.groupCount; ++g) {
            const Group& group = work.groupTable[g];
            t += group.name + " period " + group.periodText + " places " + group.maxText + "\n";
        }
        for (int i = 1; i <= work.studentCount; ++i) {
            t += work.studentTable[i].name + ": " + work.studentTable[i].wishes + " hand " +
                 std::to_string(work.placement[1][i]) + "," + std::to_string(work.placement[2][i]) +
                 "\n";
        }
        return t;
    }

    // The unplaced pupil-periods, in the proposal's order.
    std::vector<std::pair<int, int>> slots() const {
        std::vector<std::pair<int, int>> all;
        for (int p = 1; p <= 2; ++p) {
            for (int i = 1; i <= work.studentCount; ++i) {
                if (work.placement[p][i] == 0) all.emplace_back(p, i);
            }
        }
        return all;
    }

    // Per pupil, the base names of its groups placed by hand.
    std::map<int, std::set<std::string>> handBases() const {
        std::map<int, std::set<std::string>> bases;
        for (int i = 1; i <= work.studentCount; ++i) {
            for (int p = 1; p <= 2; ++p) {
                if (work.placement[p][i] != 0) bases[i].insert(base(work.placement[p][i]));
            }
        }
        return bases;
    }

    std::string base(int g) const { return NormalizeUpper(BaseName(work.groupTable[g].name)); }

    // What a choice of group per slot is worth, or nothing where it breaks a rule: a group over
    // its places, a base name twice for a pupil, a group without hand placements below the
    // least size.
    std::optional<Score> score(const std::vector<std::pair<int, int>>& slots,
                               const std::vector<int>& groups) const {
        const Work& w = work;
        std::array<int, MaxGroups + 1> proposed{};
        std::map<int, std::set<std::string>> bases = handBases();
        Score s{0, 0, 0};
        for (std::size_t k = 0; k < slots.size(); ++k) {
            const int g = groups[k];
            if (g == 0) continue;
            const auto [period, pupil] = slots[k];
            const int rank = wishRank(w.studentTable[pupil].wishes, w.groupTable[g].name);
            if (groupPeriod(w, g) != period || rank == 0) return std::nullopt;
            const double capacity = groupCapacity(w, g);
            ++proposed[g];
            if (capacity > 0 && w.groupMemberCount[g] + proposed[g] > capacity) return std::nullopt;
            if (!bases[pupil].insert(base(g)).second) return std::nullopt;
            ++std::get<1>(s);
            std::get<2>(s) -= rank * rank;
        }
        for (int g = 1; g <= w.groupCount; ++g) {
            const int members = w.groupMemberCount[g] + proposed[g];
            if (w.groupMemberCount[g] == 0 && proposed[g] > 0 && members < minimum)
                return std::nullopt;
            if (w.groupMemberCount[g] > 0) std::get<0>(s) -= std::max(0, minimum - members);
        }
        return s;
    }

    // The number of choices there are to try: per slot, none or a wished group of its period.
    double choices() const {
        double n = 1;
        for (const auto& [period, pupil] : slots())
            n *= 1 + static_cast<double>(wishedGroups(period, pupil).size());
        return n;
    }

    std::vector<int> wishedGroups(int period, int pupil) const {
        std::vector<int> groups;
        for (int g = 1; g <= work.groupCount; ++g) {
            if (groupPeriod(work, g) == period &&
                wishRank(work.studentTable[pupil].wishes, work.groupTable[g].name) > 0)
                groups.push_back(g);
        }
        return groups;
    }

    // Every choice tried: the best score.
    Score bestByTrying() const {
        const std::vector<std::pair<int, int>> all = slots();
        std::vector<std::vector<int>> options;
        for (const auto& [period, pupil] : all) {
            options.push_back(wishedGroups(period, pupil));
            options.back().insert(options.back().begin(), 0);
        }
        std::vector<std::size_t> at(all.size(), 0);
        std::vector<int> groups(all.size(), 0);
        std::optional<Score> best;
        for (;;) {
            for (std::size_t k = 0; k < all.size(); ++k)
                groups[k] = options[k][at[k]];
            if (const std::optional<Score> s = score(all, groups); s && (!best || *s > *best))
                best = s;
            std::size_t k = 0;
            while (k < at.size() && ++at[k] == options[k].size())
                at[k++] = 0;
            if (k == at.size()) return *best;
        }
    }
};

TEST(YearProposal, IsAsGoodAsTheBestOfEveryChoiceAndKeepsTheRules) {
#if defined(_WIN32)
    // The Windows build of the core here has no CBC to load; the proposal then keeps the flows'
    // start, which this test would rightly fail.
    if (!integerProgramSolverPresent()) GTEST_SKIP() << "CBC (libCbcSolver-3.dll) finns inte";
#endif
    ASSERT_TRUE(integerProgramSolverPresent()) << "CBC (coinor-libcbc3) is not installed";
    std::mt19937 random(2026);
    int works = 0, integerPrograms = 0, closedGroups = 0, filled = 0;
    while (works < 400) {
        const Year year(random);
        if (year.choices() > 1e6) continue;
        ++works;
        SCOPED_TRACE(year.text());
        const Work& w = year.work;
        ProposalOptions options{{1, 2}, year.minimum, false, 5};
        const Proposal proposal = propose(w, options);
        const std::vector<std::pair<int, int>> slots = year.slots();
        ASSERT_EQ(proposal.placements.size(), slots.size());
        std::vector<int> groups;
        for (std::size_t k = 0; k < slots.size(); ++k) {
            const ProposedPlacement& p = proposal.placements[k];
            // Only the unplaced are proposed for: no hand placement moves.
            ASSERT_EQ(std::make_pair(p.period, p.pupil), slots[k]);
            ASSERT_EQ(
                p.rank,
                p.group ? wishRank(w.studentTable[p.pupil].wishes, w.groupTable[p.group].name) : 0);
            groups.push_back(p.group);
        }
        ASSERT_TRUE(proposal.provenBest);
        ASSERT_EQ(year.score(slots, groups), year.bestByTrying());
        for (const ClosedGroup& closed : proposal.closed) {
            ASSERT_EQ(w.groupMemberCount[closed.group], 0);
            ASSERT_EQ(std::count(groups.begin(), groups.end(), closed.group), 0);
        }
        integerPrograms += proposal.integerProgram ? 1 : 0;
        closedGroups += static_cast<int>(proposal.closed.size());

        // Those no wish can place go into the groups given, within the rules; the others stay.
        options.fillWithoutWish = true;
        const Proposal full = propose(w, options);
        std::array<int, MaxGroups + 1> members = w.groupMemberCount;
        std::map<int, std::set<std::string>> bases = year.handBases();
        for (std::size_t k = 0; k < slots.size(); ++k) {
            const ProposedPlacement& p = full.placements[k];
            if (groups[k] != 0) {
                ASSERT_EQ(p.group, groups[k]);
            } else if (p.group != 0) {
                ++filled;
                ASSERT_EQ(groupPeriod(w, p.group), p.period);
                ASSERT_GT(
                    w.groupMemberCount[p.group] + std::count(groups.begin(), groups.end(), p.group),
                    year.minimum > 0 ? 0 : -1);  // a group that is given
            }
            if (p.group == 0) continue;
            ++members[p.group];
            const double capacity = groupCapacity(w, p.group);
            ASSERT_TRUE(capacity <= 0 || members[p.group] <= capacity);
            ASSERT_TRUE(bases[p.pupil].insert(year.base(p.group)).second);
        }
    }
    // The works are varied enough to need the integer program, close groups and fill some in.
    EXPECT_GT(integerPrograms, 100);
    EXPECT_GT(closedGroups, 20);
    EXPECT_GT(filled, 50);
}

// The manual's example: DANS has three places and four pupils who wish it first; three of them
// wish BILD next, where ten pupils are placed already.
TEST(YearProposal, TheManualsExample) {
    Work w;
    w.groupTable[1] = {"DANS", "", "3", "", "1"};
    w.groupTable[2] = {"BILD", "", "20", "", "1"};
    w.groupCount = 2;
    for (const char* name : {"Ali", "Bea", "Cem", "Dana"})
        w.studentTable[++w.studentCount] = {name, "", "7A",
                                            std::string(name) == "Dana" ? "DANS" : "DANS\r\nBILD"};
    for (int n = 0; n < 10; ++n) {
        w.studentTable[++w.studentCount] = {"ELEV", "", "7B", ""};
        w.placement[1][w.studentCount] = 2;
    }
    RecountGroupMembers(w);
    const std::tuple<int, std::vector<int>, std::size_t> cases[] = {
        // least size, the groups of Ali, Bea, Cem and Dana, groups closed
        {0, {1, 1, 2, 1}, 0},
        {5, {2, 2, 2, 0}, 1},
    };
    for (const auto& [minimum, groups, closed] : cases) {
        const Proposal proposal = propose(w, {{1}, minimum, false, 5});
        std::vector<int> got;
        for (std::size_t k = 0; k < 4; ++k)
            got.push_back(proposal.placements[k].group);
        EXPECT_EQ(got, groups) << minimum;
        ASSERT_EQ(proposal.closed.size(), closed);
        if (closed > 0) {
            EXPECT_EQ(proposal.closed[0].group, 1);
            EXPECT_EQ(proposal.closed[0].couldBePlaced, 3);
        }
    }
}

}  // namespace
}  // namespace pelora::test
