// What a display routine is given: the work to read, and the run state and the screen to write.
// The work is const, so a routine that shows the work cannot change it; the desktop is there only
// to report an unexpected error.
#pragma once

#include "base/desktop.h"
#include "base/model.h"
#include "base/screen.h"

namespace pelora {

struct View {
    const Work& work;
    RunState& run;
    MainScreen& screen;
    Desktop& desktop;
};

}  // namespace pelora
