// The context of one running Pelora: the work, the run state, what the windows show, the desktop
// through which the core asks the user, and the file system. Every command takes it; tests make
// as many as they like. A display routine gets only its View.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/desktop.h"
#include "base/files.h"
#include "base/model.h"
#include "base/screen.h"
#include "commands/history.h"
#include "commands/proposalmodel.h"
#include "display/view.h"

namespace pelora {

// This program's automatic copy of the work: its own file, named after a number drawn when it is
// first written, and a lock beside it held while the program runs, so that no other program
// offers, reads or removes it.
struct RecoveryCopy {
    std::string id;                  // "kopia-<id>.pel"; empty until the first copy
    std::unique_ptr<FileLock> lock;  // on "kopia-<id>.lock"
    std::string copied;              // what the copy holds (its path line and the work)
    std::string seen;                // the same, as the work stood at the last look
    std::optional<std::chrono::steady_clock::time_point> firstChange, lastChange;  // not copied
    bool failureTold = false;  // a copy that could not be written, said once per run
};

class Edit;

struct App {
    explicit App(Desktop& desktopToUse, FileSystem& filesToUse = systemFileSystem())
        : desktop(desktopToUse), files(filesToUse) {}
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    Work work;
    RunState run;
    MainScreen screen;
    GroupEditorScreen form2;
    StartDataScreen form3;
    PrintScreen form4;
    HelpScreen form6;
    HelpPopupScreen form7;
    ProposalScreen form8;
    Proposal proposal;                                   // what the proposal's preview shows
    IntegerSolver proposalSolver = solveIntegerProgram;  // the proposal's; tests put their own
    WishImportScreen form9;
    Desktop& desktop;
    FileSystem& files;

    std::vector<std::filesystem::path> recentFiles;  // the last works opened or saved, newest first
    std::filesystem::path recoveryFolder;  // where the automatic copies are kept; empty for none
    RecoveryCopy recovery;                 // this program's own copy there
    // The start data typed for a New whose roster could not be read, for the next New dialog.
    std::optional<StartData> startDataForNextNew;

    // Every change of the work since it was new or opened, and where it was saved; whether it
    // has unsaved changes.
    History history;
    Edit* openEdit = nullptr;  // the change a command is recording now

    // pel.rtf as found at start-up, and as read into text when help first needs it.
    std::string manualBytes;
    std::optional<RichText> manual;
    std::vector<std::filesystem::path> manualPlaces;  // where pel.rtf is looked for, in order

    // What a display routine may see and change.
    View view() { return {work, run, screen, desktop}; }
    operator View() { return view(); }  // NOLINT(google-explicit-constructor): display calls
};

}  // namespace pelora
