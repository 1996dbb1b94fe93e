// The context of one running Pelora: the work, what the windows show, and the desktop through
// which the core asks the user. Every operation takes it; tests make as many as they like.
#pragma once

#include "work/desktop.h"
#include "work/model.h"
#include "work/screen.h"

namespace pelora {

struct App {
    explicit App(Desktop& desktopToUse) : desktop(desktopToUse) {}
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    Work work;
    MainScreen screen;
    StartDataScreen form3;
    PrintScreen form4;
    Desktop& desktop;
};

}  // namespace pelora
