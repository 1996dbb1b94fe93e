// The main window's caption with the work file, and the status box: pupils, groups, the average
// group size, first wishes met and pupils not placed.
#pragma once

#include "display/view.h"

namespace pelora {

void ShowStatus(View view);

}  // namespace pelora
