// Placing pupils in groups by hand: the marked pupils of the overview (or all of them) in the
// current group, one pupil by a double-click on a group's label, and taking the marked pupils of
// the member list out of the current group. Each asks before a pupil changes group, is placed
// where the pupil did not wish, or goes into a full group.
#pragma once

#include "commands/app.h"

namespace pelora {

// "Placera i aktuell grupp". The capacity question counts the pupils placed earlier in the same
// run, so a user placing 30 pupils in a group of 20 is asked from the 21st on. An error at one
// pupil is shown under the command's title and the walk goes on with the next; whatever was
// placed is counted, shown and marked as changed.
void PlaceInCurrentGroup(App& app);

// A double-click on group g's label: the shown pupil out of the group when placed there,
// otherwise into it. Nothing without a shown pupil, and nothing in wish mode (where the press
// already wrote the group into the wishes).
void ToggleByDoubleClick(App& app, int g);

// "Ta bort markerade": the marked pupils of the member list out of the current group.
void RemoveMarkedFromGroup(App& app);

// After placements changed: the counts, group g's members (when g is a group), the board, the
// status, the shown pupil and the overview.
void refreshAfterPlacement(App& app, int g);

}  // namespace pelora
