// The overview's commands: the search, and a pupil picked in the list.
#pragma once

#include "commands/app.h"

namespace pelora {

void SearchOverview(App& app);
void PickFromOverview(App& app, int line);

}  // namespace pelora
