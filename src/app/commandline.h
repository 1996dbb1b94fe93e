// What the command line asks for that needs no window: "--help", "--version" with or without a
// work, and the refusal of an option the program does not know. Run before any Qt application
// exists, so that it works where there is no display.
#pragma once

#include <optional>

namespace pelora::app {

// The exit code where the command line was one of these, nothing where the window should start.
std::optional<int> runWithoutWindow(int argc, char* argv[]);

}  // namespace pelora::app
