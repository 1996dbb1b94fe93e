// The commands that read and write the work file: "Spara", "Spara som..." and "Öppna", with the
// questions on the way. The file's format is formats/workfile.
#pragma once

#include "commands/app.h"

namespace pelora {

void Arkiv_Spara(App& app);
void Arkivsparasom(App& app);
// Opens the work named on the command line, or asks for one.
void Arkivoppna(App& app);

}  // namespace pelora
