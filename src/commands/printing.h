// Printing: the print dialog (Form4), which is not modal and keeps its fields while the program
// runs, its commands, and the printer set-up. The selection a run prints is in printselection.h,
// the engine that lays out its pages in printengine.h and printearlier.h.
#pragma once

#include <string>

#include "commands/app.h"

namespace pelora {

// "Skrivare": the printer set-up; later runs go to the printer chosen there.
void Arkiv_skrivare(App& app);

// "Skriv ut": shows the print dialog and returns at once.
void Arkivskrivut(App& app);

// "Skriv ut" in the board's pop-up menu: asks, then prints the current group's list.
void H_klick_skrivut(App& app);

// One print run from the print dialog's fields.
void PrintLists(App& app);

namespace form4 {

// Each time the dialog is shown: the focus in the group field, the file list of the folder.
void Form_Activate(App& app);
// "OK": prints.
void Command1_Click(App& app);
// "Avbryt", also the window's close box and Esc: hides the dialog, the fields kept.
void Command2_Click(App& app);
// "Hjälp"
void Command3_Click(App& app);
// "Töm": every field emptied, every box unticked.
void Command4_Click(App& app);
// "Bläddra...": another folder for the earlier work files.
void Command5_Click(App& app);

}  // namespace form4

}  // namespace pelora
