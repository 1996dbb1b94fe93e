// The automatic copies that keep a work's unsaved changes through a power cut, a crash or a kill:
// each running program writes its own copy in the program's data folder while the work has
// unsaved changes, never over the work file. A copy whose program no longer runs is offered back
// at the next start; a program's own copy is removed when its work is saved or left without
// saving.
#pragma once

#include <chrono>
#include <optional>

#include "commands/app.h"

namespace pelora {

// Writes this program's copy now when the work has changes the copy does not hold. A copy that
// cannot be written is said once per run.
void autosave(App& app);

// After every command, and when the wait it gave ends: the copy is due 5 s after the last change,
// and at the latest 30 s after the first change it does not hold. Writes it when it is due, and
// gives how long to wait until it is; nothing while there is nothing to copy.
std::optional<std::chrono::milliseconds> copyWhenDue(App& app,
                                                     std::chrono::steady_clock::time_point now);

// This program's copy is no longer needed: the work was saved, or its changes were given up.
void removeRecoveryCopy(App& app);

// The program ends with nothing left to keep: its copy and its lock go.
void endRecovery(App& app);

// At start-up: offers, newest first, every copy whose program no longer runs. A copy that does
// not pass its own check is named and set aside; one that its work file holds whole is removed.
// Yes restores it as an unsaved work under the original name, No removes it and offers the next.
// True when a work was restored.
bool offerRecovery(App& app);

}  // namespace pelora
