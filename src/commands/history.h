// The edit history: every change of the work as one step that can be taken back and done again,
// and where in it the work was last saved. The work has unsaved changes exactly when it stands
// elsewhere than that saved position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/model.h"

namespace pelora {

// What one step changed: each changed cell, group row and pupil's wishes as it was before and
// after, and the start data when they changed. Nothing that stayed the same is kept.
struct EditStep {
    struct Cell {
        std::uint8_t period;
        std::int16_t pupil;
        std::int16_t before, after;
    };
    // A group row with its label's place in the stack. A row that exists on one side only holds
    // that side's group on both.
    struct Row {
        int group;
        Group before, after;
        int stackBefore, stackAfter;
    };
    struct Wishes {
        int pupil;
        std::string before, after;
    };

    std::string name;  // as the menu names it: "Ta bort gruppen DANS"
    std::vector<Cell> cells;
    std::vector<Row> rows;
    int groupCountBefore = 0, groupCountAfter = 0;
    // The current group where the numbers of the groups changed, so each side names its own.
    int currentGroupBefore = 0, currentGroupAfter = 0;
    std::vector<Wishes> wishes;
    std::optional<StartData> startBefore, startAfter;

    bool changesGroups() const { return !rows.empty() || groupCountBefore != groupCountAfter; }
    bool empty() const {
        return cells.empty() && !changesGroups() && wishes.empty() && !startBefore;
    }
    // About how much memory the step holds.
    std::size_t bytes() const;
};

class History {
public:
    // Steps always kept, and the memory beyond which older steps are dropped.
    static constexpr std::size_t kKeptSteps = 100;
    static constexpr std::size_t kMemoryLimit = 20u << 20;

    // Typing in the wish box of one pupil, while that pupil stays shown (the number counts the
    // times another pupil was shown).
    using TypingKey = std::pair<int, int>;

    // Whether the work differs from where it was last saved or opened.
    bool dirty() const { return !m_clean || *m_clean != m_position; }

    bool canUndo() const { return m_position > m_dropped; }
    bool canRedo() const { return m_position < end(); }
    // The step an undo or a redo would take; empty when there is none.
    std::string undoName() const;
    std::string redoName() const;

    // An empty history whose only position is saved: a new or opened work.
    void clear();
    // The work is saved where it stands.
    void markClean();
    // The work counts as changed without a step to take back: the saved position is out of
    // reach until the next save.
    void markModified();
    // The step that wish typing joins is ended; the next change is a step of its own.
    void endTyping() { m_typing.reset(); }

    // A new step after the current position; the steps that could be done again are gone. With
    // a typing key equal to the last step's, the change joins that step; a step that comes back
    // to where it started is removed, though the work stays changed.
    void record(EditStep step, std::optional<TypingKey> typing = std::nullopt);

    // The step to take back or do again, moving the position past it; nullptr when there is none.
    const EditStep* undo();
    const EditStep* redo();

    std::size_t steps() const { return m_steps.size(); }
    std::size_t bytes() const { return m_bytes; }

private:
    long long end() const { return m_dropped + static_cast<long long>(m_steps.size()); }
    void dropOldest();

    std::deque<EditStep> m_steps;
    long long m_dropped = 0;   // steps dropped from the front; positions count them
    long long m_position = 0;  // the steps done, the dropped ones included
    std::optional<long long> m_clean = 0;
    std::optional<TypingKey> m_typing;
    std::size_t m_bytes = 0;
};

}  // namespace pelora
