#include "commands/export.h"

#include "base/files.h"
#include "formats/export.h"

namespace pelora {

void Arkiv_export(App& app) {
    if (app.work.studentCount == 0 || app.work.groupCount == 0) return;
    const std::optional<std::filesystem::path> chosen =
        app.desktop.SaveFileDialog({"*.grp|*.grp", "grp", ""});
    if (!chosen || chosen->empty()) return;
    if (!saveFile(app.files, *chosen, exportBytes(app.work))) {
        app.desktop.MsgBox("Kan inte spara " + displayPath(*chosen), Desktop::Buttons::Ok,
                           Desktop::Icon::Exclamation, "Exportera grupplistor till Lumidor");
    }
}

}  // namespace pelora
