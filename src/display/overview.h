// The overview: the pupils listed by the chosen criterion or search, each marked by whether it is
// placed in the current group, in another group, or nowhere in the shown period.
#pragma once

#include "display/view.h"

namespace pelora {

void RefreshOverview(View view);

}  // namespace pelora
