// The group board: one label per group with its short name, member count and free places,
// coloured for the pupil shown; the member list of the current group.
#pragma once

#include <string>

#include "work/app.h"

namespace pelora {

// The two-line caption of group g's label.
std::string labelCaption(const Work& work, int g);

// Captions and visibility of every label for the shown period, then ColourBoard.
void RefreshBoard(App& app);

// Green where the shown pupil is placed, light red where the pupil wished, white elsewhere.
void ColourBoard(App& app);

// The member list for group g, then RefreshOverview.
void ShowMemberList(App& app, int g);

}  // namespace pelora
