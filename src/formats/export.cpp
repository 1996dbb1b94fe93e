#include "formats/export.h"

#include "base/numbers.h"
#include "base/text.h"

namespace pelora {

std::string exportBytes(const Work& work) {
    std::string out;
    for (int g = 1; g <= work.groupCount; ++g) {
        out += "GRUPP:" + work.groupTable[g].name + CRLF;
        out += withSignSpace(work.groupMemberCount[g]) + CRLF;
        const int p = groupPeriod(work, g);
        if (p == 0) continue;
        for (int i = 1; i <= work.studentCount; ++i) {
            if (work.placement[p][i] == g) out += work.studentTable[i].key + CRLF;
        }
    }
    return out;
}

}  // namespace pelora
