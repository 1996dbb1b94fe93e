#include "commands/recovery.h"

#include "base/codec.h"
#include "base/files.h"
#include "commands/opensave.h"
#include "display/status.h"
#include "formats/workfile.h"

namespace pelora {

namespace fs = std::filesystem;

namespace {

// The copy, and beside it the path of the work file it belongs to (empty for a work never saved).
fs::path copyPath(const App& app) {
    return app.recoveryFolder / "osparat-arbete.pel";
}

fs::path originPath(const App& app) {
    return app.recoveryFolder / "osparat-arbete-fil.txt";
}

}  // namespace

void autosave(App& app) {
    if (app.recoveryFolder.empty() || !app.run.dirty) return;
    const std::string bytes = workFileBytes(app.work);
    if (bytes == app.lastRecoveryCopy) return;
    // The origin first: a copy is never left without the name of its work.
    if (saveFile(app.files, originPath(app), app.run.workFilePath.string(), Sharing::Private) &&
        saveFile(app.files, copyPath(app), bytes, Sharing::Private)) {
        app.lastRecoveryCopy = bytes;
    }
}

void removeRecoveryCopy(App& app) {
    if (app.recoveryFolder.empty()) return;
    app.files.remove(copyPath(app));
    app.files.remove(originPath(app));
    app.lastRecoveryCopy.clear();
}

bool offerRecovery(App& app) {
    if (app.recoveryFolder.empty()) return false;
    const std::optional<std::string> bytes = app.files.read(copyPath(app));
    if (!bytes) return false;
    const fs::path origin = app.files.read(originPath(app)).value_or(std::string());

    // A work file saved after the copy was written holds everything the copy holds.
    const auto copied = app.files.modified(copyPath(app));
    const auto saved = origin.empty() ? std::nullopt : app.files.modified(origin);
    if (saved && copied && *saved > *copied) {
        removeRecoveryCopy(app);
        return false;
    }

    const std::string what =
        origin.empty() ? "ett nytt arbete som aldrig sparats" : displayPath(origin);
    const Desktop::Answer answer = app.desktop.MsgBox(
        "Pelora avslutades utan att ändringarna i "_cp + what +
            " sparades. Det finns en automatisk kopia av dem. Vill du återställa den?\r\n\r\n"
            "Svarar du Nej tas kopian bort."_cp,
        Desktop::Buttons::YesNo, Desktop::Icon::Question, "Återställ arbete"_cp);
    if (answer != Desktop::Answer::Yes) {
        removeRecoveryCopy(app);
        return false;
    }
    // Read as the work file it belongs to, so a roster named without a folder is found beside it.
    const bool restored = openWorkBytes(app, *bytes, origin);
    if (restored) {
        app.run.workFilePath = origin;
        app.run.dirty = true;
        app.lastRecoveryCopy = *bytes;
        ShowStatus(app);
    }
    return restored;
}

}  // namespace pelora
