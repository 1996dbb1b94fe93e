// The overview: the pupils listed by the chosen criterion, the search, and the markers that
// show who is placed in the current group.
#pragma once

#include "work/app.h"

namespace pelora {

void RefreshOverview(App& app);
void SearchOverview(App& app);
void PickFromOverview(App& app, int line);

}  // namespace pelora
