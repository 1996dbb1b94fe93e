#include "commands/overview.h"

#include "base/codec.h"
#include "base/numbers.h"
#include "display/currentpupil.h"
#include "display/overview.h"

namespace pelora {

void SearchOverview(App& app) {
    const std::string search = "Enligt sökbegrepp"_cp;
    if (app.screen.Combo3.text != search) app.screen.Combo3.text = search;
    RefreshOverview(app);
}

void PickFromOverview(App& app, int line) {
    MainScreen& screen = app.screen;
    const ListBox& list = screen.List2;
    if (line >= 0 && line < static_cast<int>(list.lines.size())) {
        const int i = list.lines[static_cast<std::size_t>(line)].itemData;
        if (i > 0 && i <= MaxStudents) {
            app.run.currentStudent = i;
            app.run.overviewPickGuard = true;
            ShowCurrentStudent(app);
            app.run.overviewPickGuard = false;
        }
    }
    screen.Label11.caption = plainNumber(static_cast<int>(list.lines.size())) + " elev(er), " +
                             plainNumber(list.markedCount()) + " markerad(e)";
}

}  // namespace pelora
