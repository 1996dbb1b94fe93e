// How a command records its change of the work as one step of the edit history, and the menu
// "Redigera" that takes steps back and does them again.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "commands/app.h"

namespace pelora {

// One command's change of the work. It keeps the parts it is told of as they were when it began,
// and when it ends records what differs in them as one step; a command that changed nothing
// records nothing. Made where the command begins to change the work and left to end with it, so
// that a command that stops early or fails halfway still records what it did.
class Edit {
public:
    struct Parts {
        bool placements = false;
        bool groups = false;  // every group row, their count, and the labels' stacking
        int oneGroup = 0;     // or only this group's row
        bool startData = false;
        int wishesOf = 0;  // this pupil's wishes: typing joins the step while the pupil is shown
        bool allWishes = false;  // or every pupil's wishes
    };

    Edit(App& app, std::string name, Parts parts);
    ~Edit();
    Edit(const Edit&) = delete;
    Edit& operator=(const Edit&) = delete;

    // The step's name, where it depends on how the command went.
    void rename(std::string name) { m_name = std::move(name); }
    // The command counts as a change of the work even where nothing differs at its end.
    void changed() { m_changed = true; }

private:
    void finish();

    App& m_app;
    Edit* m_outer;
    std::string m_name;
    Parts m_parts;
    bool m_changed = false;
    std::unique_ptr<const PlacementTable> m_placements;
    int m_firstRow = 1;
    std::vector<Group> m_rows;
    std::vector<int> m_stack;
    int m_groupCount = 0;
    int m_currentGroup = 0;
    std::optional<StartData> m_start;
    std::string m_wishes;
    std::vector<std::string> m_allWishes;  // pupil 1 first
};

// The command counts as a change of the work: of the edit under way, or, with none, a change
// with no step to take back.
void workChanged(App& app);

// The menu's captions: "Ångra " and "Gör om " with the step's name, or alone with no step.
std::string undoCaption(const App& app);
std::string redoCaption(const App& app);

// "Ångra" and "Gör om": the work as before or after the step, the windows refreshed as after a
// placement, and the shown pupil's "Ångra" started again.
void Redigera_angra(App& app);
void Redigera_gorom(App& app);

}  // namespace pelora
