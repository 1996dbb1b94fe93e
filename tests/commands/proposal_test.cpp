// The proposal for the pupils not yet placed: optimal by wishes on small random works, checked
// against trying every assignment; what it never does; and taking it back.
#include "commands/proposal.h"

#include <optional>
#include <random>

#include "base/text.h"
#include "commands/edit.h"
#include "commands/placement.h"
#include "core_fixture.h"
#include "display/overview.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

using Score = std::pair<int, long long>;  // pupils placed, minus the cost: more is better

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
            w.studentTable[i] = {"ELEV " + std::to_string(i), "", "7A", ""};
            for (int k = static_cast<int>(random() % 4); k > 0; --k)
                w.studentTable[i].wishes += names[random() % 5] + std::string(k > 1 ? "\r\n" : "");
            if (random() % 4 == 0)
                w.placement[1][i] = static_cast<std::int16_t>(1 + random() % w.groupCount);
            if (w.placement[1][i] == 0) unplaced.push_back(i);
        }
        w.start.ignoreWishes = random() % 5 == 0 ? 1 : 0;
        RecountGroupMembers(w);
    }

    // The rank of group g in pupil i's wishes: the number of the first line naming it, 0 for none.
    int rank(int i, int g) const {
        const std::string& wishes = app.work.studentTable[i].wishes;
        const int pos = FindWish(wishes, app.work.groupTable[g].name);
        return pos == 0
                   ? 0
                   : 1 + static_cast<int>(std::count(wishes.begin(), wishes.begin() + pos, '\n'));
    }

    // What the groups chosen for the unplaced pupils are worth: each placed pupil costs its rank
    // squared, a group not wished one more than the longest wish list; nothing where a choice
    // overfills a group (its members counted) or takes an unwished group while wishes count.
    std::optional<Score> score(const std::vector<int>& groups) const {
        const Work& w = app.work;
        long long longest = 0;
        for (int i : unplaced) {
            const std::string& wishes = w.studentTable[i].wishes;
            if (!wishes.empty())
                longest = std::max<long long>(longest,
                                              1 + std::count(wishes.begin(), wishes.end(), '\n'));
        }
        std::array<int, MaxGroups + 1> members = w.groupMemberCount;
        Score score{0, 0};
        for (std::size_t k = 0; k < groups.size(); ++k) {
            const int g = groups[k];
            if (g == 0) continue;
            const long long r = rank(unplaced[k], g);
            const double capacity = groupCapacity(w, g);
            if ((r == 0 && w.start.ignoreWishes != 1) || (capacity > 0 && ++members[g] > capacity))
                return std::nullopt;
            ++score.first;
            score.second -= (r > 0 ? r : longest + 1) * (r > 0 ? r : longest + 1);
        }
        return score;
    }

    // Every choice of groups tried: the best score.
    Score bestByTrying() const {
        std::vector<int> choice(unplaced.size(), 0);
        Score best{0, 0};
        for (;;) {
            if (const std::optional<Score> s = score(choice)) best = std::max(best, *s);
            std::size_t k = 0;
            while (k < choice.size() && ++choice[k] > app.work.groupCount)
                choice[k++] = 0;
            if (k == choice.size()) return best;
        }
    }

    std::vector<int> unplaced;
};

TEST_F(Proposal, IsAsGoodAsTheBestOfEveryAssignmentAndKeepsTheRules) {
    std::mt19937 random(1252);
    for (int n = 0; n < 400; ++n) {
        SCOPED_TRACE(n);
        unplaced.clear();
        randomWork(random);
        const std::vector<ProposedPlacement> proposal = proposeForPeriod(app.work, 1);
        ASSERT_EQ(proposal.size(), unplaced.size());
        std::vector<int> groups, again;
        for (std::size_t k = 0; k < proposal.size(); ++k) {
            ASSERT_EQ(proposal[k].pupil, unplaced[k]);  // a hand placement is never proposed
            const int g = proposal[k].group;
            ASSERT_EQ(proposal[k].rank, g ? rank(unplaced[k], g) : 0);
            groups.push_back(g);
        }
        ASSERT_EQ(score(groups), bestByTrying());
        for (const ProposedPlacement& p : proposeForPeriod(app.work, 1))
            again.push_back(p.group);
        ASSERT_EQ(again, groups);  // the same work, the same proposal
    }
}

// Pupil, group/rank and why unplaced: a group wished by two goes the earlier pupil's way; a pupil
// without a wished group, or whose groups are full, stays unplaced and is told apart.
TEST_F(Proposal, TiesGoTheEarlierPupilsWayAndTheUnplacedAreToldApart) {
    Work& w = app.work;
    for (const char* name : {"A", "B", "C"})
        w.groupTable[++w.groupCount] = {name, "", "1", "", "1"};
    w.groupTable[++w.groupCount] = {"D", "", "", "", "2"};
    w.start.periodCount = 2;
    for (const char* wishes : {"A\r\nB\r\nC", "B\r\nA\r\nC", "A", "D", "X"})
        w.studentTable[++w.studentCount] = {"E", "", "7A", wishes};
    w.placement[1][3] = 3;  // a hand placement in C
    w.placement[2][3] = 4;
    RecountGroupMembers(w);
    using U = ProposedPlacement::Unplaced;
    auto proposed = [&] {
        std::string text;
        for (const ProposedPlacement& p : proposeForPeriod(w, 1))
            text += std::to_string(p.pupil) + ":" + std::to_string(p.group) + "/" +
                    std::to_string(p.rank) +
                    (p.unplaced == U::No              ? " "
                     : p.unplaced == U::NoWishedGroup ? "n "
                                                      : "f ");
        return text;
    };
    EXPECT_EQ(proposed(), "1:1/1 2:2/1 4:0/0n 5:0/0n ");  // D is period 2
    w.studentTable[1].wishes = w.studentTable[2].wishes = "A\r\nC";
    EXPECT_EQ(proposed(), "1:1/1 2:0/0f 4:0/0n 5:0/0n ");
    // Without wishes, any group of the period, wished ones first.
    w.start.ignoreWishes = 1;
    EXPECT_EQ(proposed(), "1:1/1 2:2/0 4:0/0n 5:0/0n ");
}

// Period 1: A, B, C and D with one place each; period 2: E without a limit. Four pupils wish A, B,
// C, D in that order, the fifth E then A, the sixth a group there is none of. No group is current.
class ProposalPreview : public CoreTest {
protected:
    void SetUp() override {
        Work& w = app.work;
        w.start.periodCount = 2;
        for (const char* name : {"A", "B", "C", "D"})
            w.groupTable[++w.groupCount] = {name, "", "1", "", "1"};
        w.groupTable[++w.groupCount] = {"E", "", "", "", "2"};
        for (const char* wishes : {"A\r\nB\r\nC\r\nD", "A\r\nB\r\nC\r\nD", "A\r\nB\r\nC\r\nD",
                                   "A\r\nB\r\nC\r\nD", "E\r\nA", "X"}) {
            ++w.studentCount;
            w.studentTable[w.studentCount] = {"Elev " + std::to_string(w.studentCount), "", "7A",
                                              wishes};
        }
        app.screen.Combo3.items = {"Alla"};
        app.screen.Combo3.text = "Alla";
    }

    // The preview's lines and its summary, as the user reads them.
    std::string preview(bool accept) {
        desktop.expectDialog(Dialog::Proposal, [&] {
            accept ? form8::Command1_Click(app) : form8::Command2_Click(app);
        });
        Arkiv_forslag(app);
        desktop.verify();
        std::string text;
        for (const ListLine& line : app.form8.List1.lines)
            text += line.text + "\n";
        return cp1252ToUtf8(text + app.form8.summary.caption + "\n");
    }
};

// Each kind of line and of total: the ordinals, a wish further down, a group not wished, the
// unplaced told apart, and a heading per period where every period is shown.
TEST_F(ProposalPreview, ShowsWhoWouldGoWhereAndChangesNothingUntilPlacera) {
    const std::tuple<int, int, int, const char*> cases[] = {
        // every period shown, the shown period, wishes ignored, the expected preview
        {1, 1, 0, "alla-perioder.txt"},
        {0, 2, 1, "period-2-utan-onskemal.txt"},
    };
    for (const auto& [all, period, ignoreWishes, expected] : cases) {
        app.work.start.showAllPeriods = all;
        app.run.currentPeriod = period;
        app.work.start.ignoreWishes = ignoreWishes;
        EXPECT_EQ(preview(false), fileBytes(PELORA_TEST_DATA "/forslag/" + std::string(expected)));
        EXPECT_EQ(app.work.placement, PlacementTable{});
        EXPECT_FALSE(app.history.dirty());
    }
}

// "Placera" places the proposal of every period as one step; the overview shows it although no
// group is current. A later hand placement is a step of its own, undone first.
TEST_F(ProposalPreview, PlaceraIsOneStepOfTheHistory) {
    app.work.start.showAllPeriods = 1;
    RefreshOverview(app);
    preview(true);
    const Work& w = app.work;
    const int period1[] = {1, 2, 3, 4, 0, 0};
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(w.placement[1][i], period1[i - 1]) << i;
        EXPECT_EQ(w.placement[2][i], i == 5 ? 5 : 0) << i;
        EXPECT_EQ(app.screen.List2.lines.at(static_cast<std::size_t>(i - 1)).text.substr(0, 2),
                  period1[i - 1] ? "* " : "  ")
            << i;
    }
    EXPECT_EQ(w.groupMemberCount[5], 1);
    EXPECT_EQ(app.screen.Label1[1].caption, "A\r\n 1  (0)");
    EXPECT_EQ(undoCaption(app), "Ångra Föreslå placering"_cp);
    EXPECT_TRUE(app.history.dirty());

    app.run.currentStudent = 6;
    desktop.expectMsgBox("Eleven har ej önskat denna grupp. Skall eleven ändå placeras där?"_cp,
                         Buttons::YesNo, Icon::Question, "Placera elev i grupp", Answer::Yes);
    ToggleByDoubleClick(app, 5);
    EXPECT_EQ(undoCaption(app), "Ångra Placera Elev 6 i E"_cp);
    Redigera_angra(app);
    EXPECT_EQ(w.placement[2][6], 0);
    EXPECT_EQ(w.placement[1][1], 1);
    Redigera_angra(app);
    EXPECT_EQ(w.placement, PlacementTable{});
    EXPECT_EQ(w.groupMemberCount[1], 0);
    EXPECT_FALSE(app.history.dirty());
}

TEST_F(ProposalPreview, WithEveryonePlacedThereIsNothingToPropose) {
    for (int i = 1; i <= 6; ++i)
        app.work.placement[1][i] = 1;
    desktop.expectMsgBox("Alla elever är redan placerade i perioden."_cp, Buttons::Ok,
                         Icon::Information, "Föreslå placering"_cp, Answer::Ok);
    Arkiv_forslag(app);
    EXPECT_FALSE(app.history.dirty());
}

}  // namespace
}  // namespace pelora::test
