// The automatic copy that keeps a work's unsaved changes through a power cut or a crash: written
// beside the user's configuration while the work has unsaved changes, never over the work file,
// offered back at the next start, and removed when the work is saved or left without saving.
#pragma once

#include "commands/app.h"

namespace pelora {

// Writes the copy when the work has changes the last copy does not hold. The shell calls it
// every two minutes.
void autosave(App& app);

// The copy is no longer needed: the work was saved, or its changes were given up.
void removeRecoveryCopy(App& app);

// At start-up: where a copy newer than its work file (or of a work never saved) is left, asks
// whether to restore it. Yes opens it as an unsaved work under the original name; No deletes it.
// True when a work was restored.
bool offerRecovery(App& app);

}  // namespace pelora
