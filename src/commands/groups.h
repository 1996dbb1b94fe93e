// The groups: the group editor (Form2) that creates a group or changes one, and deleting a group
// from the board's pop-up menu. The editor tells its two uses apart by its caption; its fields
// live in App::form2.
#pragma once

#include "commands/app.h"

namespace pelora {

// "Ny grupp": the editor in creation mode; the board shows the new groups when it closes.
void ny_grupp(App& app);

// "Redigera" in the pop-up menu: the editor for the current group.
void h_klick_red(App& app);

// "Ta bort" in the pop-up menu: deletes the current group after asking, renumbering the groups
// after it. There is no current group afterwards.
void H_klick_tabort(App& app);

namespace form2 {

// Fills the fields each time the editor is shown.
void Form_Activate(App& app);
// "OK": checks the fields in order and stores the group; creation mode stays open for the next.
void Command1_Click(App& app);
// "Stäng", also the window's close box and Esc.
void Command2_Click(App& app);
// "Hjälp"
void Command3_Click(App& app);

}  // namespace form2

}  // namespace pelora
