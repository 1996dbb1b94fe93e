// How the program's heap gives memory back to the system.
#pragma once

namespace pelora {

// While one lives, the heap grows and shrinks in steps of many megabytes instead of returning
// every freed page at once. A print run allocates and frees large buffers for every sheet; with
// the system's default, each of them is handed back and faulted in again. When the last one
// goes, the default comes back and what is free is returned.
class LargeHeapSteps {
public:
    LargeHeapSteps();
    ~LargeHeapSteps();
    LargeHeapSteps(const LargeHeapSteps&) = delete;
    LargeHeapSteps& operator=(const LargeHeapSteps&) = delete;
};

}  // namespace pelora
