#include "commands/export.h"

#include <set>

#include "base/codec.h"
#include "base/files.h"
#include "base/keys.h"
#include "base/text.h"
#include "formats/export.h"
#include "formats/sheetexport.h"

namespace pelora {

namespace {

constexpr const char* kTitle = "Exportera grupplistor till Lumidor";

// The exported groups that list a pupil who shares a key with another pupil, in group order.
std::vector<std::string> groupsWithSharedKeys(const Work& work) {
    std::set<int> groups;
    for (const std::vector<int>& pupils : sharedKeyGroups(work)) {
        for (const int i : pupils) {
            for (int p = 1; p <= work.start.periodCount; ++p) {
                const int g = work.placement[p][i];
                if (g > 0 && g <= work.groupCount && groupPeriod(work, g) == p) groups.insert(g);
            }
        }
    }
    std::vector<std::string> names;
    for (const int g : groups)
        names.push_back(work.groupTable[g].name);
    return names;
}

}  // namespace

void Arkiv_export(App& app) {
    if (app.work.studentCount == 0 || app.work.groupCount == 0) return;
    const std::optional<std::filesystem::path> chosen =
        app.desktop.SaveFileDialog({"*.grp|*.grp", "grp", ""});
    if (!chosen || chosen->empty()) return;
    const SaveResult saved = saveFile(app.files, *chosen, exportBytes(app.work));
    if (!saved) {
        app.desktop.MsgBox(cannotSave(*chosen, saved), Desktop::Buttons::Ok,
                           Desktop::Icon::Exclamation, kTitle);
        return;
    }
    const std::vector<std::string> groups = groupsWithSharedKeys(app.work);
    if (groups.empty()) return;
    app.desktop.MsgBox(
        "Grupplistorna har sparats. Elever med samma nyckel står i "_cp +
            (groups.size() == 1 ? "gruppen " : "grupperna ") + nameList(groups) +
            ". Lumidor kan inte skilja dem åt, så kontrollera närvarolistorna för "_cp +
            (groups.size() == 1 ? "den gruppen." : "de grupperna."),
        Desktop::Buttons::Ok, Desktop::Icon::Information, kTitle);
}

void Arkiv_kalkylblad(App& app) {
    const char* const title = "Exportera till kalkylblad";
    if (app.work.studentCount == 0 && app.work.groupCount == 0) return;
    const std::optional<std::filesystem::path> chosen = app.desktop.SaveFileDialog(
        {"Excel-arbetsbok|*.xlsx|CSV, semikolonavgränsad|*.csv"_cp, "xlsx", ""});
    if (!chosen || chosen->empty()) return;
    const std::vector<Sheet> sheets = exportSheets(app.work);
    const std::optional<std::string> bytes =
        chosen->extension() == ".csv" ? csvBytes(sheets.front()) : workbookBytes(sheets);
    if (!bytes) {
        app.desktop.MsgBox(
            "Kalkylbladet kunde inte skapas. Kontrollera att det finns plats på "
            "disken och försök igen."_cp,
            Desktop::Buttons::Ok, Desktop::Icon::Exclamation, title);
        return;
    }
    const SaveResult saved = saveFile(app.files, *chosen, *bytes);
    if (!saved)
        app.desktop.MsgBox(cannotSave(*chosen, saved), Desktop::Buttons::Ok,
                           Desktop::Icon::Exclamation, title);
}

}  // namespace pelora
