// The derived counts and texts: how many pupils each group holds, the window caption with the
// work file, and the status box (pupils, groups, average, first wishes met, not placed).
#pragma once

#include "work/app.h"

namespace pelora {

// groupMemberCount of groups 1..groupCount recomputed from the placements.
void RecountGroupMembers(App& app);

// The main window's caption and status box.
void ShowStatus(App& app);

}  // namespace pelora
