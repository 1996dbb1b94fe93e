// The proposal for the pupils not yet placed: optimal by wishes on small random works, checked
// against trying every assignment; what it never does; and taking it back.
#include "commands/proposal.h"

#include <random>

#include "base/text.h"
#include "core_fixture.h"

namespace pelora::test {
namespace {

// How good an assignment is: pupils placed (more is better), then the sum of squared ranks.
struct Score {
    int placed = 0;
    long long cost = 0;
    bool betterThan(const Score& other) const {
        return placed != other.placed ? placed > other.placed : cost < other.cost;
    }
};

class Proposal : public CoreTest {
protected:
    // A random work of up to 8 pupils and 4 groups in period 1, some pupils placed already.
    void randomWork(std::mt19937& random) {
        Work& w = app.work;
        w = Work{};
        const char* names[] = {"DANS", "KOR", "BILD", "SLOJD", "TENNIS"};
        w.groupCount = 1 + static_cast<int>(random() % 4);
        for (int g = 1; g <= w.groupCount; ++g) {
            const int capacity = static_cast<int>(random() % 4);  // 0: no limit
            w.groupTable[g] = {names[g - 1], "", capacity ? std::to_string(capacity) : "", "", "1"};
        }
        w.studentCount = 1 + static_cast<int>(random() % 8);
        for (int i = 1; i <= w.studentCount; ++i) {
            Student& pupil = w.studentTable[i];
            pupil = {"ELEV " + std::to_string(i), "", "7A", ""};
            const int wishes = static_cast<int>(random() % 4);
            for (int k = 0; k < wishes; ++k)
                pupil.wishes += std::string(k ? "\r\n" : "") + names[random() % 5];
            if (random() % 4 == 0)
                w.placement[1][i] = static_cast<std::int16_t>(1 + random() % w.groupCount);
        }
        w.start.ignoreWishes = random() % 5 == 0 ? 1 : 0;
        RecountGroupMembers(w);
    }

    // The rank of group g in pupil i's wishes: the first line naming it, 0 for none.
    int rank(int i, int g) const {
        const std::string& wishes = app.work.studentTable[i].wishes;
        const int pos = FindWish(wishes, app.work.groupTable[g].name);
        return pos == 0 ? 0
                        : 1 + static_cast<int>(
                                  std::count(wishes.begin(), wishes.begin() + pos - 1, '\n'));
    }

    // Every assignment of the unplaced pupils tried: the best score.
    Score bestByTrying() const {
        const Work& w = app.work;
        std::vector<int> unplaced;
        int longest = 0;
        for (int i = 1; i <= w.studentCount; ++i) {
            if (w.placement[1][i] == 0) unplaced.push_back(i);
            if (w.placement[1][i] == 0 && !w.studentTable[i].wishes.empty())
                longest = std::max(longest, 1 + static_cast<int>(std::count(
                                                    w.studentTable[i].wishes.begin(),
                                                    w.studentTable[i].wishes.end(), '\n')));
        }
        std::vector<int> choice(unplaced.size(), 0);
        Score best{-1, 0};
        for (;;) {
            std::array<int, MaxGroups + 1> members = w.groupMemberCount;
            Score score;
            bool possible = true;
            for (std::size_t k = 0; k < unplaced.size() && possible; ++k) {
                const int g = choice[k];
                if (g == 0) continue;
                const int r = rank(unplaced[k], g);
                if (r == 0 && w.start.ignoreWishes != 1) possible = false;
                const double capacity = groupCapacity(w, g);
                if (capacity > 0 && ++members[g] > capacity) possible = false;
                ++score.placed;
                const long long place = r > 0 ? r : longest + 1;
                score.cost += place * place;
            }
            if (possible && score.betterThan(best)) best = score;
            std::size_t k = 0;
            while (k < choice.size() && ++choice[k] > w.groupCount)
                choice[k++] = 0;
            if (k == choice.size()) break;
        }
        return best;
    }

    Score scoreOf(const std::vector<ProposedPlacement>& proposal) const {
        Score score;
        int longest = 0;
        for (const ProposedPlacement& p : proposal) {
            const std::string& wishes = app.work.studentTable[p.pupil].wishes;
            if (!wishes.empty())
                longest = std::max(
                    longest, 1 + static_cast<int>(std::count(wishes.begin(), wishes.end(), '\n')));
        }
        for (const ProposedPlacement& p : proposal) {
            if (p.group == 0) continue;
            ++score.placed;
            const long long place = p.rank > 0 ? p.rank : longest + 1;
            score.cost += place * place;
        }
        return score;
    }
};

TEST_F(Proposal, IsAsGoodAsTheBestOfEveryAssignmentAndKeepsTheRules) {
    std::mt19937 random(1252);
    for (int n = 0; n < 400; ++n) {
        randomWork(random);
        const Work& w = app.work;
        const std::vector<ProposedPlacement> proposal = proposeForPeriod(w, 1);
        const Score best = bestByTrying(), got = scoreOf(proposal);
        ASSERT_EQ(got.placed, best.placed) << "case " << n;
        ASSERT_EQ(got.cost, best.cost) << "case " << n;

        std::array<int, MaxGroups + 1> members = w.groupMemberCount;
        for (const ProposedPlacement& p : proposal) {
            ASSERT_EQ(w.placement[1][p.pupil], 0) << "a placed pupil was proposed again";
            if (p.group == 0) continue;
            ASSERT_EQ(p.rank, rank(p.pupil, p.group));
            if (w.start.ignoreWishes != 1) ASSERT_GT(p.rank, 0) << "an unwished group, case " << n;
            const double capacity = groupCapacity(w, p.group);
            ASSERT_TRUE(capacity == 0 || ++members[p.group] <= capacity) << "over full, case " << n;
        }
        // The same work, the same proposal.
        const std::vector<ProposedPlacement> again = proposeForPeriod(w, 1);
        for (std::size_t k = 0; k < proposal.size(); ++k)
            ASSERT_EQ(again[k].group, proposal[k].group);
    }
}

// Two pupils each get their 2nd wish rather than one its 1st and the other its 3rd; equal
// proposals go the earlier pupil's way; a pupil without a wished group, or whose groups are full,
// stays unplaced and is told apart.
TEST_F(Proposal, PrefersTwoSecondWishesToAFirstAndAThird) {
    Work& w = app.work;
    w.groupTable[1] = {"A", "", "1", "", "1"};
    w.groupTable[2] = {"B", "", "1", "", "1"};
    w.groupTable[3] = {"C", "", "1", "", "1"};
    w.groupTable[4] = {"D", "", "", "", "2"};
    w.groupCount = 4;
    w.start.periodCount = 2;
    const char* wishes[] = {"A\r\nB\r\nC", "B\r\nA\r\nC", "A", "D", "X"};
    for (int i = 1; i <= 5; ++i)
        w.studentTable[i] = {"E" + std::to_string(i), "", "7A", wishes[i - 1]};
    w.studentCount = 5;
    w.placement[1][3] = 3;  // a hand placement in C
    w.placement[2][3] = 4;
    RecountGroupMembers(w);
    const std::vector<ProposedPlacement> proposal = proposeForPeriod(w, 1);
    ASSERT_EQ(proposal.size(), 4u);
    EXPECT_EQ(proposal[0].group * 10 + proposal[0].rank, 11);  // the earlier pupil: its 1st
    EXPECT_EQ(proposal[1].group * 10 + proposal[1].rank, 21);
    EXPECT_EQ(proposal[2].unplaced, ProposedPlacement::Unplaced::NoWishedGroup);  // D is period 2
    EXPECT_EQ(proposal[3].unplaced, ProposedPlacement::Unplaced::NoWishedGroup);

    w.studentTable[2].wishes = "A\r\nC";
    w.studentTable[1].wishes = "A\r\nC";
    const std::vector<ProposedPlacement> crowded = proposeForPeriod(w, 1);
    EXPECT_EQ(crowded[0].group, 1);
    EXPECT_EQ(crowded[1].unplaced, ProposedPlacement::Unplaced::WishedGroupsFull);

    // Without wishes, any group of the period, wished ones first.
    w.start.ignoreWishes = 1;
    const std::vector<ProposedPlacement> any = proposeForPeriod(w, 1);
    EXPECT_EQ(any[1].group, 2);
    EXPECT_EQ(any[1].rank, 0);
}

TEST_F(Proposal, ThePreviewChangesNothingUntilPlaceraAndAngraTakesItBack) {
    Work& w = app.work;
    w.groupTable[1] = {"DANS", "", "", "", "1"};
    w.groupCount = 1;
    w.studentTable[1] = {"Anna", "", "7A", "DANS"};
    w.studentTable[2] = {"Bo", "", "7A", "KOR"};
    w.studentTable[3] = {"Cy", "", "7A", "DANS"};
    w.studentCount = 3;
    w.placement[1][3] = 1;
    RecountGroupMembers(w);
    const PlacementTable before = w.placement;

    desktop.expectDialog(Dialog::Proposal, [&] { form8::Command2_Click(app); });
    Arkiv_forslag(app);
    EXPECT_EQ(w.placement, before);
    EXPECT_FALSE(app.run.dirty);
    EXPECT_EQ(app.form8.summary.caption,
              "Förslaget placerar 1 av 2 oplacerade elever: 1 får sitt 1:a önskemål, 0 sitt 2:a, 0 "
              "sitt 3:e och 0 ett senare.\r\n1 förblir oplacerade: 1 har inget önskemål som är en "
              "grupp i perioden och 0 har bara önskat grupper som är fulla."_cp);
    std::vector<std::string> lines;
    for (const ListLine& line : app.form8.List1.lines)
        lines.push_back(line.text);
    EXPECT_EQ(lines,
              (std::vector<std::string>{"DANS: 1 elev(er)", "     7A  Anna – 1:a önskemål"_cp,
                                        "Förblir oplacerade:"_cp,
                                        "     7A  Bo – inget önskemål är en grupp i perioden"_cp}));

    desktop.expectDialog(Dialog::Proposal, [&] { form8::Command1_Click(app); });
    Arkiv_forslag(app);
    EXPECT_EQ(w.placement[1][1], 1);
    EXPECT_EQ(w.groupMemberCount[1], 2);
    EXPECT_EQ(app.screen.Label1[1].caption, "DANS\r\n 2");
    EXPECT_TRUE(app.run.dirty);
    ASSERT_TRUE(proposalCanBeUndone(app));
    Arkiv_angra_forslag(app);
    EXPECT_EQ(w.placement, before);
    EXPECT_EQ(w.groupMemberCount[1], 1);
    EXPECT_FALSE(proposalCanBeUndone(app));

    // Any change of a placement after the proposal makes it final.
    desktop.expectDialog(Dialog::Proposal, [&] { form8::Command1_Click(app); });
    Arkiv_forslag(app);
    w.placement[1][3] = 0;
    EXPECT_FALSE(proposalCanBeUndone(app));
}

}  // namespace
}  // namespace pelora::test
