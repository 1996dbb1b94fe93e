// Form1: the wish entry (frame "Elever") and the overview (frame "Översikten").
#include "ui/form1.h"

namespace pelora::ui {

void Form1::setupPupils() {}

void Form1::renderPupils() {}

}  // namespace pelora::ui
