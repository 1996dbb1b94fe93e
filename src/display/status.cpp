#include "display/status.h"

#include "base/files.h"
#include "base/numbers.h"
#include "base/text.h"

namespace pelora {

void ShowStatus(View view) {
    const Work& work = view.work;
    const RunState& run = view.run;
    view.screen.caption = run.workFilePath.empty() ? std::string("Pelora")
                                                   : "Pelora:    " + displayPath(run.workFilePath);

    const int periodCount = work.start.periodCount;
    const int shown =
        run.currentPeriod >= 1 && run.currentPeriod <= MaxPeriods ? run.currentPeriod : 0;
    int notPlaced = 0;
    int firstWish = 0;
    for (int i = 1; i <= work.studentCount; ++i) {
        if (shown == 0 || work.placement[shown][i] == 0) ++notPlaced;
        if (periodCount == 1) {
            const int g = work.placement[1][i];
            if (g > 0 && g <= MaxGroups &&
                FindWish(work.studentTable[i].wishes, work.groupTable[g].name) == 1) {
                ++firstWish;
            }
        }
    }

    std::string text =
        plainNumber(work.studentCount) + " elever, " + plainNumber(work.groupCount) + " grupper";
    if (work.studentCount > 0 && work.groupCount > 0) {
        const int average = toInteger(static_cast<double>(work.studentCount) / work.groupCount);
        text += "   (snitt:" + withSignSpace(average) + " el/gr)";
    }
    text += CRLF;
    if (periodCount == 1) {
        text += withSignSpace(firstWish) + " elev(er) placerade enl 1:a-handsval" + CRLF;
    }
    if (periodCount == 1 || work.start.showAllPeriods == 0) {
        text += withSignSpace(notPlaced) + " elev(er) ej placerad(e)";
        if (periodCount > 1) text += " vald period";
    }
    view.screen.status.caption = text;
}

}  // namespace pelora
