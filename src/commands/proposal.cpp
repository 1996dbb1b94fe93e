#include "commands/proposal.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "base/assignment.h"
#include "base/codec.h"
#include "base/numbers.h"
#include "base/text.h"
#include "commands/edit.h"
#include "commands/placement.h"

namespace pelora {

const std::string kProposalTitle = "Föreslå placering"_cp;

namespace {

// A wish further down than this costs as much as this one: the costs stay within 64 bits.
constexpr long long kLowestRank = 100;

int lineCount(const std::string& wishes) {
    return wishes.empty() ? 0
                          : static_cast<int>(std::count(wishes.begin(), wishes.end(), '\n')) + 1;
}

std::string ordinal(int rank) {
    return plainNumber(rank) + (rank == 1 || rank == 2 ? ":a" : ":e");
}

std::vector<int> periodsProposed(const App& app) {
    const StartData& start = app.work.start;
    if (start.periodCount > 1 && start.showAllPeriods == 1) {
        std::vector<int> all;
        for (int p = 1; p <= start.periodCount && p <= MaxPeriods; ++p)
            all.push_back(p);
        return all;
    }
    const int p = app.run.currentPeriod;
    return p >= 1 && p <= start.periodCount ? std::vector<int>{p} : std::vector<int>{};
}

// The preview: per group the pupils it would get, then those who stay unplaced and why; and the
// totals.
void showPreview(App& app, const std::vector<ProposedPlacement>& proposal,
                 const std::vector<int>& periods) {
    const Work& work = app.work;
    ProposalScreen& preview = app.form8;
    preview.List1.clear();
    auto pupilLine = [&](const ProposedPlacement& placed, const std::string& why) {
        const Student& pupil = work.studentTable[placed.pupil];
        preview.List1.addItem("     " + pupil.className + "  " + pupil.name + " – "_cp + why,
                              placed.pupil);
    };
    std::array<int, 5> byRank{};  // not wished, 1st, 2nd, 3rd, later
    int placedCount = 0, noWish = 0, full = 0;
    for (int p : periods) {
        if (periods.size() > 1) preview.List1.addItem("Period " + plainNumber(p));
        for (int g = 1; g <= work.groupCount; ++g) {
            if (groupPeriod(work, g) != p) continue;
            std::vector<const ProposedPlacement*> members;
            for (const ProposedPlacement& placed : proposal) {
                if (placed.period == p && placed.group == g) members.push_back(&placed);
            }
            if (members.empty()) continue;
            preview.List1.addItem(work.groupTable[g].name + ": " +
                                  plainNumber(static_cast<int>(members.size())) + " elev(er)");
            for (const ProposedPlacement* placed : members) {
                pupilLine(*placed, placed->rank > 0 ? ordinal(placed->rank) + " önskemål"_cp
                                                    : "ej önskad grupp"_cp);
                ++byRank[static_cast<std::size_t>(std::min(placed->rank, 4))];
                ++placedCount;
            }
        }
        bool heading = false;
        for (const ProposedPlacement& placed : proposal) {
            if (placed.period != p || placed.group != 0) continue;
            if (!heading) preview.List1.addItem("Förblir oplacerade:"_cp);
            heading = true;
            const bool none = placed.unplaced == ProposedPlacement::Unplaced::NoWishedGroup;
            pupilLine(placed, none ? "inget önskemål är en grupp i perioden"_cp
                                   : "alla önskade grupper är fulla"_cp);
            ++(none ? noWish : full);
        }
    }
    const int total = static_cast<int>(proposal.size());
    std::string text = "Förslaget placerar "_cp + plainNumber(placedCount) + " av " +
                       plainNumber(total) + " oplacerade elever: " + plainNumber(byRank[1]) +
                       " får sitt 1:a önskemål, "_cp + plainNumber(byRank[2]) + " sitt 2:a, " +
                       plainNumber(byRank[3]) + " sitt 3:e och " + plainNumber(byRank[4]) +
                       " ett senare.";
    if (byRank[0] > 0)
        text += " " + plainNumber(byRank[0]) + " placeras i en grupp de inte önskat."_cp;
    if (noWish + full > 0) {
        text += "\r\n" + plainNumber(noWish + full) + " förblir oplacerade: "_cp +
                plainNumber(noWish) + " har inget önskemål som är en grupp i perioden och "_cp +
                plainNumber(full) + " har bara önskat grupper som är fulla."_cp;
    }
    preview.summary.caption = text;
}

}  // namespace

std::vector<ProposedPlacement> proposeForPeriod(const Work& work, int period) {
    std::vector<ProposedPlacement> proposal;
    if (period < 1 || period > work.start.periodCount || period > MaxPeriods) return proposal;
    std::vector<int> groups;
    for (int g = 1; g <= work.groupCount; ++g) {
        if (groupPeriod(work, g) == period) groups.push_back(g);
    }
    int longest = 0;
    for (int i = 1; i <= work.studentCount; ++i) {
        if (work.placement[period][i] == 0) {
            proposal.push_back({period, i, 0, 0, ProposedPlacement::Unplaced::NoWishedGroup});
            longest = std::max(longest, lineCount(work.studentTable[i].wishes));
        }
    }
    const long long pupils = static_cast<long long>(proposal.size());
    const long long groupCount = static_cast<long long>(groups.size());
    const long long lowest = std::min<long long>(longest + 1, kLowestRank + 1);

    // The cost of a pair is its rank squared, times a scale above all tie-breaking amounts
    // together. Among proposals equally good by rank, the tie-breaker places earlier pupils
    // first, gives earlier pupils the better wish, and takes the lower group number.
    auto tieBreak = [&](long long k, long long place, long long h) {
        return ((lowest + 1) * (k + 1) + (pupils - k) * place) * (groupCount + 1) + h;
    };
    const long long tieLimit = pupils * tieBreak(pupils, lowest, groupCount) + 1;
    AssignmentProblem problem;
    problem.pupils = static_cast<int>(pupils);
    for (int g : groups) {
        const double capacity = groupCapacity(work, g);
        problem.freePlaces.push_back(
            capacity > 0
                ? std::max(0, static_cast<int>(std::floor(capacity)) - work.groupMemberCount[g])
                : -1);
    }
    std::vector<std::vector<int>> ranks(proposal.size(), std::vector<int>(groups.size(), 0));
    for (std::size_t k = 0; k < proposal.size(); ++k) {
        const std::string& wishes = work.studentTable[proposal[k].pupil].wishes;
        for (std::size_t h = 0; h < groups.size(); ++h) {
            const int rank = wishRank(wishes, work.groupTable[groups[h]].name);
            ranks[k][h] = rank;
            if (rank == 0 && work.start.ignoreWishes != 1) continue;
            if (rank > 0) proposal[k].unplaced = ProposedPlacement::Unplaced::WishedGroupsFull;
            const long long place = rank > 0 ? std::min<long long>(rank, kLowestRank) : lowest;
            const long long tie =
                tieBreak(static_cast<long long>(k), place, static_cast<long long>(h));
            problem.allowed.push_back(
                {static_cast<int>(k), static_cast<int>(h), place * place * tieLimit + tie});
        }
    }
    const std::vector<int> chosen = solveAssignment(problem);
    for (std::size_t k = 0; k < proposal.size(); ++k) {
        if (chosen[k] < 0) continue;
        proposal[k].group = groups[static_cast<std::size_t>(chosen[k])];
        proposal[k].rank = ranks[k][static_cast<std::size_t>(chosen[k])];
        proposal[k].unplaced = ProposedPlacement::Unplaced::No;
    }
    return proposal;
}

void Arkiv_forslag(App& app) {
    const std::vector<int> periods = periodsProposed(app);
    std::vector<ProposedPlacement> proposal;
    for (int p : periods) {
        const std::vector<ProposedPlacement> part = proposeForPeriod(app.work, p);
        proposal.insert(proposal.end(), part.begin(), part.end());
    }
    if (proposal.empty()) {
        app.desktop.MsgBox("Alla elever är redan placerade i perioden."_cp, Desktop::Buttons::Ok,
                           Desktop::Icon::Information, kProposalTitle);
        return;
    }
    showPreview(app, proposal, periods);
    app.form8.accepted = false;
    app.form8.visible = true;
    app.desktop.ShowDialog(Dialog::Proposal);
    if (!app.form8.accepted) return;

    // One step of the history: "Ångra Föreslå placering" takes back just these placements.
    Edit edit(app, kProposalTitle, {.placements = true});
    edit.changed();
    for (const ProposedPlacement& placed : proposal) {
        if (placed.group == 0) continue;
        app.work.placement[placed.period][placed.pupil] = static_cast<std::int16_t>(placed.group);
    }
    refreshAfterPlacement(app, app.run.currentGroup);
}

namespace form8 {

void Command1_Click(App& app) {
    app.form8.accepted = true;
    app.form8.visible = false;
}

void Command2_Click(App& app) {
    app.form8.accepted = false;
    app.form8.visible = false;
}

}  // namespace form8

}  // namespace pelora
