// The help viewer: the manual (pel.rtf) cut into sections by its headings, shown in the help
// window or in the modal help popup.
#pragma once

#include <string>

#include "commands/app.h"

namespace pelora {

// Shows the part of the manual from the heading `startHeading` up to `endHeading`; with
// show = 1 the section is shown at once.
void ShowHelpSection(App& app, const std::string& startHeading, const std::string& endHeading,
                     int show);

}  // namespace pelora
