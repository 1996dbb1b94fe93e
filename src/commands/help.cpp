#include "commands/help.h"

namespace pelora {

// The help viewer fills this in: it finds the section in the loaded manual and shows it.
void ShowHelpSection(App&, const std::string&, const std::string&, int) {}

}  // namespace pelora
