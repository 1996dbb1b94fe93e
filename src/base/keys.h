// Pupils who share a key. The key holds digits 2-9 of the identity number only, so pupils whose
// numbers differ in the first or last digit, pupils with temporary numbers of one birth date and
// pupils without a number share one. A file that lists pupils by key lists them in pupil order, so
// the k-th line with a key belongs to the k-th pupil with that key.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "base/model.h"

namespace pelora {

// Hands out the pupils of one roster by key: the first call with a key gives the first pupil with
// it, the next call the second, and 0 once they are used up.
class PupilsByKey {
public:
    explicit PupilsByKey(const Work& work);
    int next(const std::string& key);
    bool left(const std::string& key) const;  // whether next would give a pupil

private:
    std::unordered_map<std::string, std::vector<int>> m_pupils;
    std::unordered_map<std::string, std::size_t> m_used;
};

// The pupils who share their key with another, in groups of one key each, every group in pupil
// order and the groups in the order of their first pupil.
std::vector<std::vector<int>> sharedKeyGroups(const Work& work);

}  // namespace pelora
