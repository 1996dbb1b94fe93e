// The overview: the pupils listed by the chosen criterion or search, each marked by whether it is
// placed in the current group, in another group, or nowhere in the shown period.
#pragma once

#include <string>

#include "display/view.h"

namespace pelora {

// The title of the overview's commands and their messages.
extern const std::string kOverviewTitle;

void RefreshOverview(View view);

}  // namespace pelora
