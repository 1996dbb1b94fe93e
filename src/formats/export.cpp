#include "formats/export.h"

#include "base/numbers.h"
#include "base/text.h"

namespace pelora {

std::string exportBytes(const Work& work) {
    std::string out;
    for (int g = 1; g <= work.groupCount; ++g) {
        // The count line tells the attendance program how many keys follow, so it counts the
        // keys written: the members in the group's own period. A work file may also place pupils
        // in the group in another period; they are not listed, and so not counted here.
        const int p = groupPeriod(work, g);
        std::string keys;
        int count = 0;
        for (int i = 1; p != 0 && i <= work.studentCount; ++i) {
            if (work.placement[p][i] != g) continue;
            keys += work.studentTable[i].key + CRLF;
            ++count;
        }
        out += "GRUPP:" + work.groupTable[g].name + CRLF + withSignSpace(count) + CRLF + keys;
    }
    return out;
}

}  // namespace pelora
