#include "commands/proposal.h"

#include <algorithm>
#include <array>
#include <optional>

#include "base/codec.h"
#include "base/numbers.h"
#include "base/text.h"
#include "commands/edit.h"
#include "commands/placement.h"

namespace pelora {

const std::string kProposalTitle = "Föreslå placering"_cp;

namespace {

std::string ordinal(int rank) {
    return plainNumber(rank) + (rank == 1 || rank == 2 ? ":a" : ":e");
}

// The periods the preview's box asks for: all of them, or the one shown.
std::vector<int> periodsProposed(const App& app) {
    const StartData& start = app.work.start;
    const ComboBox& box = app.form8.Combo1;
    const int chosen = box.listIndex >= 0 && box.listIndex < static_cast<int>(box.itemData.size())
                           ? box.itemData[static_cast<std::size_t>(box.listIndex)]
                           : 0;
    if (chosen >= 1 && chosen <= start.periodCount) return {chosen};
    std::vector<int> all;
    for (int p = 1; p <= start.periodCount && p <= MaxPeriods; ++p)
        all.push_back(p);
    return all;
}

// The least group size typed: 0 for none, or nullopt for a text that is no whole number.
std::optional<int> minimumTyped(const std::string& typed) {
    const std::string text = trimBlanks(typed);
    if (text.empty()) return 0;
    if (text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::min(std::stoi(text), MaxStudents);
}

std::string pupils(int n) {
    return plainNumber(n) + (n == 1 ? " elev" : " elever");
}

// The preview: per period the groups with the pupils they would get and the groups closed,
// then those who stay unplaced and why; and the totals.
void showPreview(App& app, const std::vector<int>& periods) {
    const Work& work = app.work;
    const Proposal& proposal = app.proposal;
    ProposalScreen& preview = app.form8;
    preview.List1.clear();
    auto pupilLine = [&](const ProposedPlacement& placed, const std::string& why) {
        const Student& pupil = work.studentTable[placed.pupil];
        preview.List1.addItem("     " + pupil.className + "  " + pupil.name + " – "_cp + why,
                              placed.pupil);
    };
    using U = ProposedPlacement::Unplaced;
    std::array<int, 5> byRank{};    // not wished, 1st, 2nd, 3rd, later
    std::array<int, 5> unplaced{};  // by U
    int placedCount = 0;
    for (int p : periods) {
        if (periods.size() > 1) preview.List1.addItem("Period " + plainNumber(p));
        for (int g = 1; g <= work.groupCount; ++g) {
            if (groupPeriod(work, g) != p) continue;
            std::vector<const ProposedPlacement*> members;
            for (const ProposedPlacement& placed : proposal.placements) {
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
        for (const ClosedGroup& closed : proposal.closed) {
            if (groupPeriod(work, closed.group) != p) continue;
            const std::string& name = work.groupTable[closed.group].name;
            const int minimum = minimumTyped(preview.Text1.text).value_or(0);
            preview.List1.addItem(
                closed.couldBePlaced < minimum
                    ? name + " stängs: bara "_cp + pupils(closed.couldBePlaced) +
                          " kan placeras där"_cp
                    : name + " stängs: "_cp + pupils(closed.couldBePlaced) +
                          " kan placeras där, men förslaget blir bättre utan gruppen"_cp);
        }
        bool heading = false;
        for (const ProposedPlacement& placed : proposal.placements) {
            if (placed.period != p || placed.group != 0) continue;
            if (!heading) preview.List1.addItem("Förblir oplacerade:"_cp);
            heading = true;
            pupilLine(placed, placed.unplaced == U::NoWishedGroup
                                  ? "inget önskemål är en grupp i perioden"_cp
                              : placed.unplaced == U::WishedGroupsClosed
                                  ? "önskade grupper stängs eller är fulla"_cp
                              : placed.unplaced == U::WishesMet
                                  ? "önskemålen uppfylls redan i andra perioder"_cp
                                  : "alla önskade grupper är fulla"_cp);
            ++unplaced[static_cast<std::size_t>(placed.unplaced)];
        }
    }
    const int total = static_cast<int>(proposal.placements.size());
    std::string text = "Förslaget placerar "_cp + plainNumber(placedCount) + " av " +
                       plainNumber(total) + " oplacerade elever: " + plainNumber(byRank[1]) +
                       " får sitt 1:a önskemål, "_cp + plainNumber(byRank[2]) + " sitt 2:a, " +
                       plainNumber(byRank[3]) + " sitt 3:e och " + plainNumber(byRank[4]) +
                       " ett senare.";
    if (byRank[0] > 0)
        text += " " + plainNumber(byRank[0]) + " placeras i en grupp de inte önskat."_cp;
    const int noWish = unplaced[static_cast<std::size_t>(U::NoWishedGroup)];
    const int full = unplaced[static_cast<std::size_t>(U::WishedGroupsFull)];
    const int closed = unplaced[static_cast<std::size_t>(U::WishedGroupsClosed)];
    const int met = unplaced[static_cast<std::size_t>(U::WishesMet)];
    if (noWish + full + closed + met > 0) {
        std::vector<std::string> parts{
            plainNumber(noWish) + " har inget önskemål som är en grupp i perioden"_cp,
            plainNumber(full) + " har bara önskat grupper som är fulla"_cp};
        if (closed > 0) parts.push_back(plainNumber(closed) + " har önskat grupper som stängs"_cp);
        if (met > 0) parts.push_back(plainNumber(met) + " får sina önskemål i andra perioder"_cp);
        text += "\r\n" + plainNumber(noWish + full + closed + met) + " förblir oplacerade: "_cp;
        for (std::size_t k = 0; k < parts.size(); ++k)
            text += (k == 0 ? "" : k + 1 == parts.size() ? " och " : ", ") + parts[k];
        text += ".";
    }
    if (!proposal.provenBest) text += "\r\nFörslaget är inte bevisat bäst (tidsgräns)"_cp;
    preview.summary.caption = text;
}

// The proposal for the options the preview shows, into the preview; false when there is
// nobody to propose for.
bool makeProposal(App& app) {
    ProposalScreen& preview = app.form8;
    const std::optional<int> minimum = minimumTyped(preview.Text1.text);
    if (!minimum) {
        app.desktop.MsgBox(
            "Minst antal elever per grupp ska vara ett heltal, eller tomt för inget minsta antal."_cp,
            Desktop::Buttons::Ok, Desktop::Icon::Exclamation, kProposalTitle);
        preview.Text1.text.clear();
    }
    ProposalOptions options;
    options.periods = periodsProposed(app);
    options.minimum = minimum.value_or(0);
    options.fillWithoutWish = preview.Check1.value == 1;
    options.solver = app.proposalSolver;
    app.proposal = propose(app.work, options);
    showPreview(app, options.periods);
    preview.Command1.enabled = !app.proposal.placements.empty();
    return !app.proposal.placements.empty();
}

}  // namespace

void Arkiv_forslag(App& app) {
    const StartData& start = app.work.start;
    ProposalScreen& preview = app.form8;
    preview.periodsShown = start.periodCount > 1;
    preview.Combo1.clear();
    preview.Combo1.addItem("Alla perioder", 0);
    const int shown = app.run.currentPeriod;
    if (start.periodCount > 1 && shown >= 1 && shown <= start.periodCount)
        preview.Combo1.addItem("Period " + plainNumber(shown), shown);
    preview.Combo1.listIndex = 0;
    preview.Combo1.text = preview.Combo1.items[0];
    if (!makeProposal(app)) {
        app.desktop.MsgBox(start.periodCount > 1 ? "Alla elever är redan placerade i perioderna."_cp
                                                 : "Alla elever är redan placerade i perioden."_cp,
                           Desktop::Buttons::Ok, Desktop::Icon::Information, kProposalTitle);
        return;
    }
    preview.accepted = false;
    preview.visible = true;
    app.desktop.ShowDialog(Dialog::Proposal);
    if (!preview.accepted) return;

    // One step of the history: "Ångra Föreslå placering" takes back just these placements.
    Edit edit(app, kProposalTitle, {.placements = true});
    edit.changed();
    for (const ProposedPlacement& placed : app.proposal.placements) {
        if (placed.group == 0) continue;
        app.work.placement[placed.period][placed.pupil] = static_cast<std::int16_t>(placed.group);
    }
    app.proposal = {};
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

void Options_Change(App& app) {
    makeProposal(app);
}

}  // namespace form8

}  // namespace pelora
