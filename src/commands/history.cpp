#include "commands/history.h"

namespace pelora {

namespace {

// What a text holds beyond its own size, where it is too long to be kept inside it.
std::size_t heapBytes(const std::string& text) {
    return text.capacity() > std::string().capacity() ? text.capacity() + 1 : 0;
}

std::size_t groupBytes(const Group& group) {
    return sizeof group + heapBytes(group.name) + heapBytes(group.staff) +
           heapBytes(group.maxText) + heapBytes(group.comment) + heapBytes(group.periodText);
}

std::size_t startBytes(const StartData& start) {
    return sizeof start + heapBytes(start.activity) + heapBytes(start.school) +
           heapBytes(start.periodLabel) + heapBytes(start.classFilter) +
           heapBytes(start.studentListPath);
}

}  // namespace

std::size_t EditStep::bytes() const {
    std::size_t total = sizeof *this + heapBytes(name) + cells.capacity() * sizeof(Cell) +
                        (rows.capacity() - rows.size()) * sizeof(Row) +
                        (wishes.capacity() - wishes.size()) * sizeof(Wishes);
    for (const Row& row : rows)
        total += sizeof row - 2 * sizeof(Group) + groupBytes(row.before) + groupBytes(row.after);
    for (const Wishes& change : wishes)
        total += sizeof change + heapBytes(change.before) + heapBytes(change.after);
    if (startBefore) total += startBytes(*startBefore) + startBytes(*startAfter);
    return total;
}

std::string History::undoName() const {
    return canUndo() ? m_steps[static_cast<std::size_t>(m_position - m_dropped - 1)].name
                     : std::string();
}

std::string History::redoName() const {
    return canRedo() ? m_steps[static_cast<std::size_t>(m_position - m_dropped)].name
                     : std::string();
}

void History::clear() {
    m_steps.clear();
    m_dropped = 0;
    m_position = 0;
    m_clean = 0;
    m_typing.reset();
    m_bytes = 0;
}

void History::markClean() {
    m_clean = m_position;
    // A step the saved work holds must not take more typing.
    m_typing.reset();
}

void History::markModified() {
    m_clean.reset();
}

void History::record(EditStep step, std::optional<TypingKey> typing) {
    const bool joins = typing && m_typing == typing && canUndo() && !canRedo() &&
                       m_steps.back().wishes.size() == 1 && step.wishes.size() == 1 &&
                       m_clean != m_position;
    if (joins) {
        EditStep& last = m_steps.back();
        m_bytes -= last.bytes();
        last.wishes.front().after = std::move(step.wishes.front().after);
        last.name = std::move(step.name);
        if (last.wishes.front().before == last.wishes.front().after) {
            // Typed and taken back: no step is left, but the work was changed meanwhile.
            m_steps.pop_back();
            --m_position;
            m_typing.reset();
            markModified();
            return;
        }
        m_bytes += last.bytes();
        return;
    }
    // What could have been done again is gone; a saved position among it with it.
    while (canRedo()) {
        m_bytes -= m_steps.back().bytes();
        m_steps.pop_back();
    }
    if (m_clean && *m_clean > m_position) m_clean.reset();
    m_bytes += step.bytes();
    m_steps.push_back(std::move(step));
    ++m_position;
    m_typing = typing;
    while (m_steps.size() > kKeptSteps && m_bytes > kMemoryLimit)
        dropOldest();
}

void History::dropOldest() {
    m_bytes -= m_steps.front().bytes();
    m_steps.pop_front();
    // A saved position among the dropped steps can never be reached again.
    ++m_dropped;
}

const EditStep* History::undo() {
    m_typing.reset();
    if (!canUndo()) return nullptr;
    --m_position;
    return &m_steps[static_cast<std::size_t>(m_position - m_dropped)];
}

const EditStep* History::redo() {
    m_typing.reset();
    if (!canRedo()) return nullptr;
    ++m_position;
    return &m_steps[static_cast<std::size_t>(m_position - m_dropped - 1)];
}

}  // namespace pelora
