// "Exportera till Lumidor": the group lists written to a file the attendance program reads.
#pragma once

#include "commands/app.h"

namespace pelora {

// Asks for the file (no question about replacing one) and writes it the way a work file is
// saved, so a failed export never leaves half a file where a good one was.
void Arkiv_export(App& app);

}  // namespace pelora
