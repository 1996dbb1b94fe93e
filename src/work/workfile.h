// The work file (*.pel): start data, groups with their board positions, and per pupil the key,
// the wishes and the group in each period. Writer, reader and the commands Save, Save as, Open.
#pragma once

#include "work/app.h"

namespace pelora {

void Arkiv_Spara(App& app);
void Arkivsparasom(App& app);
void Arkivoppna(App& app);

}  // namespace pelora
