// Shared libraries of the system loaded when first needed, so that a start-up does not pay for
// what most runs never use.
#pragma once

namespace pelora {

// The library by its file name as the system finds it ("libX.so.3"), loaded once and kept for
// the rest of the run; nullptr when it is not there.
void* openSharedLibrary(const char* name);

// What the library holds under `symbol`; nullptr when it holds nothing by that name.
void* sharedLibrarySymbol(void* library, const char* symbol);

}  // namespace pelora
