// A proposal for the pupils not yet placed: each placed, as well as the wishes allow and within
// the free places, in a group of the shown period (or of every period in turn, when all are
// shown), while every pupil already placed stays where the staff placed it. Nothing changes until
// the user accepts the preview; an accepted proposal is one step of the edit history.
#pragma once

#include <string>
#include <vector>

#include "commands/app.h"

namespace pelora {

// The title of the proposal's messages, its preview and its step in the history.
extern const std::string kProposalTitle;

// One pupil's part of a proposal.
struct ProposedPlacement {
    int period = 0;
    int pupil = 0;
    int group = 0;  // 0: stays unplaced
    int rank = 0;   // the wish line that names the group; 0 for a group the pupil did not wish
    enum class Unplaced { No, NoWishedGroup, WishedGroupsFull } unplaced = Unplaced::No;
};

// The proposal for one period's unplaced pupils, in pupil order. Optimal: as many pupils placed
// as possible, then the lowest sum of the squares of the wishes' ranks (1st wish 1, 2nd 4, ...);
// among equally good ones the earlier pupils get the better wishes.
std::vector<ProposedPlacement> proposeForPeriod(const Work& work, int period);

// "Föreslå placering...": the proposal in its preview; "Placera" places it in one step.
void Arkiv_forslag(App& app);

namespace form8 {

// "Placera"
void Command1_Click(App& app);
// "Avbryt", also the window's close box and Esc.
void Command2_Click(App& app);

}  // namespace form8

}  // namespace pelora
