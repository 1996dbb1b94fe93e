// "Föreslå placering...": a proposal for the pupils not yet placed, in all periods together or
// in the period shown, with a least group size and the pupils no wish can place filled in where
// asked. Nothing changes until the user accepts the preview; an accepted proposal is one step of
// the edit history.
#pragma once

#include <string>

#include "commands/app.h"
#include "commands/proposalmodel.h"

namespace pelora {

// The title of the proposal's messages, its preview and its step in the history.
extern const std::string kProposalTitle;

// "Föreslå placering...": the proposal in its preview; "Placera" places it in one step.
void Arkiv_forslag(App& app);

namespace form8 {

// "Placera"
void Command1_Click(App& app);
// "Avbryt", also the window's close box and Esc.
void Command2_Click(App& app);
// The periods, the least size or the box changed: the proposal made again.
void Options_Change(App& app);

}  // namespace form8

}  // namespace pelora
