#include "groups/status.h"

#include "pupils/text.h"
#include "work/numbers.h"

namespace pelora {

void RecountGroupMembers(App& app) {
    Work& work = app.work;
    for (int g = 1; g <= work.groupCount; ++g)
        work.groupMemberCount[g] = 0;
    for (int i = 1; i <= work.studentCount; ++i) {
        for (int p = 1; p <= work.start.periodCount; ++p) {
            int g = work.placement[p][i];
            if (g > 0 && g <= MaxGroups) ++work.groupMemberCount[g];
        }
    }
}

void ShowStatus(App& app) {
    const Work& work = app.work;
    app.screen.caption =
        work.workFilePath.empty() ? std::string("Pelora") : "Pelora:    " + work.workFilePath;

    const int periodCount = work.start.periodCount;
    int notPlaced = 0;
    int firstWish = 0;
    for (int i = 1; i <= work.studentCount; ++i) {
        if (work.placement[work.currentPeriod][i] == 0) ++notPlaced;
        if (periodCount == 1) {
            int g = work.placement[1][i];
            if (g > 0 && FindWish(work.studentTable[i].wishes, work.groupTable[g].name) == 1) {
                ++firstWish;
            }
        }
    }

    std::string text =
        plainNumber(work.studentCount) + " elever, " + plainNumber(work.groupCount) + " grupper";
    if (work.studentCount > 0 && work.groupCount > 0) {
        int average = toInteger(static_cast<double>(work.studentCount) / work.groupCount);
        text += "   (snitt:" + withSignSpace(average) + " el/gr)";
    }
    text += "\r\n";
    if (periodCount == 1) {
        text += withSignSpace(firstWish) + " elev(er) placerade enl 1:a-handsval\r\n";
    }
    if (periodCount == 1 || work.start.showAllPeriods == 0) {
        text += withSignSpace(notPlaced) + " elev(er) ej placerad(e)";
        if (periodCount > 1) text += " vald period";
    }
    app.screen.status.caption = text;
}

}  // namespace pelora
