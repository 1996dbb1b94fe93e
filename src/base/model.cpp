#include "base/model.h"

#include <algorithm>

#include "base/numbers.h"
#include "base/text.h"

namespace pelora {

int groupPeriod(const Work& work, int g) {
    if (g < 1 || g > MaxGroups) return 0;
    const int p = numericInteger(work.groupTable[g].periodText);
    return p >= 1 && p <= MaxPeriods ? p : 0;
}

bool namesAGroup(const Work& work, const std::string& wish) {
    for (int g = 1; g <= work.groupCount; ++g)
        if (FindWish(wish, work.groupTable[g].name) > 0) return true;
    return false;
}

int closestGroup(const Work& work, const std::string& wish) {
    if (namesAGroup(work, wish)) return 0;
    constexpr std::size_t kFarthest = 2;
    const std::string base = trimBlanks(BaseName(wish));
    if (base.empty()) return 0;
    int best = 0;
    std::size_t nearest = kFarthest + 1;
    for (int g = 1; g <= work.groupCount; ++g) {
        const std::string& name = work.groupTable[g].name;
        const std::string groupBase = trimBlanks(BaseName(name));
        if (groupBase.empty()) continue;
        const std::size_t d = editDistance(base, groupBase, kFarthest);
        if (d < nearest) {
            nearest = d;
            best = g;
        }
    }
    return best;
}

double groupCapacity(const Work& work, int g) {
    const double capacity = NumericValue(work.groupTable[g].maxText);
    return capacity > 0 ? capacity : 0;
}

void RecountGroupMembers(Work& work) {
    for (int g = 1; g <= MaxGroups; ++g)
        work.groupMemberCount[g] = 0;
    const int periods = std::min(work.start.periodCount, MaxPeriods);
    for (int i = 1; i <= work.studentCount; ++i) {
        for (int p = 1; p <= periods; ++p) {
            const int g = work.placement[p][i];
            if (g > 0 && g <= MaxGroups) ++work.groupMemberCount[g];
        }
    }
}

void keepPeriodInRange(const Work& work, RunState& run) {
    if (run.currentPeriod < 1 || run.currentPeriod > work.start.periodCount) run.currentPeriod = 1;
}

}  // namespace pelora
