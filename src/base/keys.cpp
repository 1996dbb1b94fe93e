#include "base/keys.h"

namespace pelora {

PupilsByKey::PupilsByKey(const Work& work) {
    for (int i = 1; i <= work.studentCount; ++i)
        m_pupils[work.studentTable[i].key].push_back(i);
}

int PupilsByKey::next(const std::string& key) {
    const auto found = m_pupils.find(key);
    if (found == m_pupils.end()) return 0;
    std::size_t& used = m_used[key];
    if (used >= found->second.size()) return 0;
    return found->second[used++];
}

bool PupilsByKey::left(const std::string& key) const {
    const auto found = m_pupils.find(key);
    if (found == m_pupils.end()) return false;
    const auto used = m_used.find(key);
    return used == m_used.end() || used->second < found->second.size();
}

std::vector<std::vector<int>> sharedKeyGroups(const Work& work) {
    std::unordered_map<std::string, std::size_t> slot;
    std::vector<std::vector<int>> groups;
    for (int i = 1; i <= work.studentCount; ++i) {
        const auto [at, added] = slot.try_emplace(work.studentTable[i].key, groups.size());
        if (added) groups.emplace_back();
        groups[at->second].push_back(i);
    }
    std::erase_if(groups, [](const std::vector<int>& pupils) { return pupils.size() < 2; });
    return groups;
}

}  // namespace pelora
