#include "commands/edit.h"

#include <algorithm>

#include "base/codec.h"
#include "commands/lifecycle.h"
#include "display/board.h"
#include "display/currentpupil.h"
#include "display/overview.h"
#include "display/status.h"

namespace pelora {

Edit::Edit(App& app, std::string name, Parts parts)
    : m_app(app), m_outer(app.openEdit), m_name(std::move(name)), m_parts(parts) {
    const Work& work = app.work;
    if (parts.placements) m_placements = std::make_unique<const PlacementTable>(work.placement);
    m_groupCount = work.groupCount;
    m_currentGroup = app.run.currentGroup;
    if (parts.groups || parts.oneGroup > 0) {
        m_firstRow = parts.groups ? 1 : std::clamp(parts.oneGroup, 1, MaxGroups);
        const int last = parts.groups ? work.groupCount : m_firstRow;
        for (int g = m_firstRow; g <= last; ++g) {
            m_rows.push_back(work.groupTable[g]);
            m_stack.push_back(app.screen.Label1[g].stackOrder);
        }
    }
    if (parts.startData) m_start = work.start;
    if (parts.wishesOf > 0 && parts.wishesOf <= MaxStudents)
        m_wishes = work.studentTable[parts.wishesOf].wishes;
    if (parts.allWishes) {
        for (int i = 1; i <= work.studentCount; ++i)
            m_allWishes.push_back(work.studentTable[i].wishes);
    }
    app.openEdit = this;
}

Edit::~Edit() {
    m_app.openEdit = m_outer;
    try {
        finish();
    } catch (...) {
        // Without the memory for the step the change cannot be taken back, but it is unsaved.
        m_app.history.markModified();
    }
}

void Edit::finish() {
    const Work& work = m_app.work;
    EditStep step;
    step.name = m_name;
    if (m_placements) {
        for (int p = 1; p <= MaxPeriods; ++p) {
            const auto& before = (*m_placements)[p];
            const auto& after = work.placement[p];
            if (before == after) continue;
            for (int i = 1; i <= MaxStudents; ++i) {
                if (before[i] != after[i]) {
                    step.cells.push_back({static_cast<std::uint8_t>(p),
                                          static_cast<std::int16_t>(i), before[i], after[i]});
                }
            }
        }
    }
    const bool allGroups = m_parts.groups;
    step.groupCountBefore = m_groupCount;
    step.groupCountAfter = allGroups ? work.groupCount : m_groupCount;
    if (!m_rows.empty() || allGroups) {
        const int last = allGroups ? std::max(m_groupCount, work.groupCount) : m_firstRow;
        for (int g = m_firstRow; g <= last; ++g) {
            const std::size_t k = static_cast<std::size_t>(g - m_firstRow);
            const bool wasThere = k < m_rows.size();
            const bool isThere = allGroups ? g <= work.groupCount : wasThere;
            const Group& now = work.groupTable[g];
            const Group& before = wasThere ? m_rows[k] : now;
            const Group& after = isThere ? now : before;
            const int stackNow = m_app.screen.Label1[g].stackOrder;
            const int stackBefore = wasThere ? m_stack[k] : stackNow;
            if (wasThere == isThere && before == after && stackBefore == stackNow) continue;
            step.rows.push_back({g, before, after, stackBefore, stackNow});
        }
    }
    if (step.changesGroups()) {
        step.currentGroupBefore = m_currentGroup;
        step.currentGroupAfter = m_app.run.currentGroup;
    }
    if (m_start && !(*m_start == work.start)) {
        step.startBefore = m_start;
        step.startAfter = work.start;
    }
    const int pupil = m_parts.wishesOf;
    if (pupil > 0 && pupil <= MaxStudents && m_wishes != work.studentTable[pupil].wishes)
        step.wishes.push_back({pupil, m_wishes, work.studentTable[pupil].wishes});
    for (std::size_t k = 0; k < m_allWishes.size(); ++k) {
        const int i = static_cast<int>(k) + 1;
        if (m_allWishes[k] != work.studentTable[i].wishes)
            step.wishes.push_back({i, m_allWishes[k], work.studentTable[i].wishes});
    }

    if (step.empty()) {
        if (m_changed) m_app.history.markModified();
        return;
    }
    std::optional<History::TypingKey> typing;
    if (pupil > 0 && step.cells.empty() && !step.changesGroups() && !step.startBefore)
        typing = History::TypingKey{pupil, m_app.run.shownPupils};
    m_app.history.record(std::move(step), typing);
}

void workChanged(App& app) {
    if (app.openEdit) {
        app.openEdit->changed();
    } else {
        app.history.markModified();
    }
}

std::string undoCaption(const App& app) {
    const std::string name = app.history.undoName();
    return "Ångra"_cp + (name.empty() ? "" : " " + name);
}

std::string redoCaption(const App& app) {
    const std::string name = app.history.redoName();
    return "Gör om"_cp + (name.empty() ? "" : " " + name);
}

namespace {

// The work as it stood before the step (forward false) or after it, and the windows with it.
void apply(App& app, const EditStep& step, bool forward) {
    Work& work = app.work;
    RunState& run = app.run;
    for (const EditStep::Cell& cell : step.cells)
        work.placement[cell.period][cell.pupil] = forward ? cell.after : cell.before;
    for (const EditStep::Row& row : step.rows) {
        work.groupTable[row.group] = forward ? row.after : row.before;
        app.screen.Label1[row.group].stackOrder = forward ? row.stackAfter : row.stackBefore;
    }
    if (step.changesGroups()) {
        work.groupCount = forward ? step.groupCountAfter : step.groupCountBefore;
        run.currentGroup = forward ? step.currentGroupAfter : step.currentGroupBefore;
    }
    for (const EditStep::Wishes& change : step.wishes) {
        work.studentTable[change.pupil].wishes = forward ? change.after : change.before;
        // The pupil whose wishes come back is shown with them; a step of many pupils' wishes
        // leaves the shown pupil where it is.
        if (step.wishes.size() == 1 && change.pupil <= work.studentCount)
            run.currentStudent = change.pupil;
    }
    if (step.startBefore) work.start = forward ? *step.startAfter : *step.startBefore;
    keepShownPeriod(app);

    RecountGroupMembers(work);
    if (run.currentGroup >= 1 && run.currentGroup <= work.groupCount) {
        ShowMemberList(app, run.currentGroup);
    } else {
        run.currentGroup = 0;
        app.screen.List1.clear();
    }
    RefreshBoard(app);
    ShowStatus(app);
    ShowCurrentStudent(app);
    RefreshOverview(app);
    // "Ångra" of the wish box starts again from what the shown pupil's wishes are now.
    const int shown = run.currentStudent;
    run.undoWishes = shown >= 1 && shown <= MaxStudents ? work.studentTable[shown].wishes : "";
    app.screen.Command4.enabled = false;
    if (step.startBefore) Form_Activate(app);
}

}  // namespace

void Redigera_angra(App& app) {
    if (const EditStep* step = app.history.undo()) apply(app, *step, false);
}

void Redigera_gorom(App& app) {
    if (const EditStep* step = app.history.redo()) apply(app, *step, true);
}

}  // namespace pelora
