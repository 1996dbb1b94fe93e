// Form1: the group board, the member list and the period stepper (frame "Grupper").
#include "ui/form1.h"

namespace pelora::ui {

void Form1::setupBoard() {}

void Form1::renderBoard() {}

}  // namespace pelora::ui
