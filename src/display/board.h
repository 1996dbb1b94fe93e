// The group board as it is shown: one label per group with its short name, member count and free
// places, coloured for the pupil shown; the group data panel; the member list of a group.
#pragma once

#include <string>
#include <vector>

#include "display/view.h"

namespace pelora {

// The two-line caption of group g's label.
std::string labelCaption(const Work& work, int g);

// What a screen reader says of group g's label for the shown pupil (0 for none): the whole name,
// the members, the free places where the group has a capacity, and "placerad här" or "önskad".
std::string labelReport(const Work& work, int g, int pupil);

// Captions and visibility of every label for the shown period, the group names the wish box
// offers, then ColourBoard.
void RefreshBoard(View view);

// The base names of the groups, each once, in group order: what a wish names.
std::vector<std::string> groupBaseNames(const Work& work);

// Green where the shown pupil is placed, light red where the pupil wished, white elsewhere; and
// under the wish box the first of the pupil's wishes that names no group.
void ColourBoard(View view);

// What is said of the first wish that names no group: "FOTBOL finns inte som grupp – menade du
// FOTBOLL?", with the group it most likely means where there is one; empty when every wish names
// a group, and where the work has no groups yet.
std::string wishHint(const Work& work, const std::string& wishes);

// The member list for group g, then RefreshOverview.
void ShowMemberList(View view, int g);

// The group data panel's three lines for group g.
std::string groupDataText(const Work& work, int g);

}  // namespace pelora
