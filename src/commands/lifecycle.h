// The main window's life: start-up, activation, a new work, and the ways out with the question
// about unsaved changes.
#pragma once

#include <filesystem>
#include <string>

#include "commands/app.h"

namespace pelora {

// Everything a work holds in memory reset before New and Open; group and pupil rows, the
// placements, the start data texts, showAllPeriods, ignoreWishes and currentPeriod are left.
void ClearWork(App& app);

// Program start. The window opens maximized unless 1.1 times its designed width fits the screen;
// a non-empty command line is the work file to open.
void Form_Load(App& app, int designedWidth, int screenWidth,
               const std::filesystem::path& commandLine);

// Each time the main window becomes the active window of the program.
void Form_Activate(App& app);

// The work, the run state, the main window and the edit history as they are, to be brought back
// whole when a command that replaces the work fails halfway. Meanwhile the work has an empty
// history of its own. (The tables are large, so they live on the heap.)
class WorkSnapshot {
public:
    explicit WorkSnapshot(App& app);
    // Everything as it was, but the name the file dialogs start with.
    void restore();

private:
    App& m_app;
    std::unique_ptr<const Work> m_work;
    std::unique_ptr<const RunState> m_run;
    std::unique_ptr<const MainScreen> m_screen;
    History m_history;
};

// "Vill du spara ändringarna?" while the work has unsaved changes, under the command's title:
// Yes saves, No goes on, Cancel returns false.
bool askToSaveChanges(App& app, const std::string& title, Desktop::Answer* given = nullptr);

// The shown period kept within the work's periods (1 when it was outside), and the period
// stepper's display with it.
void keepShownPeriod(App& app);

void Arkiv_Nytt(App& app);

// "Avsluta": true when the program is to end.
bool Arkivavsluta(App& app);

// A request to close the main window: cancel is set when the program goes on.
void Form_QueryUnload(App& app, bool& cancel);

}  // namespace pelora
