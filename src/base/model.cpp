#include "base/model.h"

#include <algorithm>

#include "base/numbers.h"

namespace pelora {

int groupPeriod(const Work& work, int g) {
    if (g < 1 || g > MaxGroups) return 0;
    const int p = numericInteger(work.groupTable[g].periodText);
    return p >= 1 && p <= MaxPeriods ? p : 0;
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
