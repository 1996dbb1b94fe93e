// The exports: the group lists written to a file the attendance program reads ("Exportera till
// Lumidor"), and the lists written to a spreadsheet.
#pragma once

#include "commands/app.h"

namespace pelora {

// Asks for the file (no question about replacing one) and writes it the way a work file is
// saved, so a failed export never leaves half a file where a good one was.
void Arkiv_export(App& app);

// "Exportera till kalkylblad...": the pupils with their groups, the groups, and each group's
// members, as an .xlsx workbook, or the pupils alone as CSV where the name chosen ends in .csv;
// saved the way a work file is.
void Arkiv_kalkylblad(App& app);

}  // namespace pelora
