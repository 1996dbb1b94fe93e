// The group board as it is shown: one label per group with its short name, member count and free
// places, coloured for the pupil shown; the group data panel; the member list of a group.
#pragma once

#include <string>

#include "display/view.h"

namespace pelora {

// The two-line caption of group g's label.
std::string labelCaption(const Work& work, int g);

// Captions and visibility of every label for the shown period, then ColourBoard.
void RefreshBoard(View view);

// Green where the shown pupil is placed, light red where the pupil wished, white elsewhere.
void ColourBoard(View view);

// The member list for group g, then RefreshOverview.
void ShowMemberList(View view, int g);

// The group data panel's three lines for group g.
std::string groupDataText(const Work& work, int g);

}  // namespace pelora
