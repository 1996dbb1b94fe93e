// Pelora: the application, the Qt desktop and the main window; the command line names a work.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QScreen>
#include <QStandardPaths>
#include <QStringList>
#include <cstdio>
#include <vector>

#include "base/codec.h"
#include "base/text.h"
#include "commands/app.h"
#include "commands/help.h"
#include "commands/lifecycle.h"
#include "commands/opensave.h"
#include "ui/form1.h"
#include "ui/qtdesktop.h"
#include "ui/recentworks.h"
#include "ui/swedish.h"
#include "ui/textconv.h"

namespace {

// Where the manual is looked for: share/pelora beside the program's bin/ folder (installed, and in
// the build tree), then the program's own folder; never the current folder.
std::vector<std::filesystem::path> manualPlaces() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    return {pelora::ui::toPath(
                programFolder.absoluteFilePath(QStringLiteral("../share/pelora/pel.rtf"))),
            pelora::ui::toPath(programFolder.absoluteFilePath(QStringLiteral("pel.rtf")))};
}

// "pelora --version [arbetsfil]": the version and the manual the program uses, for the people
// who install it; with a work file, what the program reads of it, without showing a window.
int printVersion(pelora::App& app, const QStringList& arguments) {
    pelora::loadManual(app);
    std::string manual = "saknas";
    for (const std::filesystem::path& place : app.manualPlaces) {
        if (!app.run.manualMissing && QFileInfo::exists(pelora::ui::fromPath(place))) {
            manual = std::filesystem::weakly_canonical(place).string();
            break;
        }
    }
    std::printf("Pelora %s\nManual: %s\n", PELORA_VERSION, manual.c_str());
    if (arguments.size() > 2) {
        app.run.commandLineFile = pelora::ui::toPath(arguments.mid(2).join(QLatin1Char(' ')));
        pelora::Arkivoppna(app);
        std::printf(
            "Arbete: %s\n%s\n", app.run.workFilePath.string().c_str(),
            pelora::cp1252ToUtf8(pelora::replaceAll(app.screen.status.caption, "\r\n", "\n"))
                .c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Pelora"));
    QApplication::setApplicationName(QStringLiteral("Pelora"));
    // The installed desktop entry and icon name the windows of the running program too.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.pelora.Pelora"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("example.pelora.Pelora")));

    pelora::ui::speakSwedish();

    pelora::ui::QtDesktop desktop;
    pelora::App app(desktop);
    app.manualPlaces = manualPlaces();
    if (QApplication::arguments().value(1) == QStringLiteral("--version")) {
        return printVersion(app, QApplication::arguments());
    }
    // Where the copy of unsaved changes is kept, and the recent works, before the start-up that
    // offers the copy back and opens a work.
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!dataFolder.isEmpty() && QDir().mkpath(dataFolder))
        app.recoveryFolder = pelora::ui::toPath(dataFolder);
    app.recentFiles = pelora::ui::loadRecentWorks();
    pelora::ui::Form1 window(app);
    desktop.setParentWindow(&window);
    desktop.setDialogHandler([&window](pelora::Dialog dialog) { window.showDialog(dialog); });

    // The whole command line is the path of a work file; a path with blanks may come in parts.
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const std::filesystem::path commandLine = pelora::ui::toPath(arguments.join(QLatin1Char(' ')));

    bool ended = false;
    window.setProgramEnd([&ended] {
        ended = true;
        QApplication::closeAllWindows();
        QApplication::quit();
    });
    const int screenWidth = window.screen() ? window.screen()->availableGeometry().width() : 1920;
    window.run("Pelora",
               [&] { pelora::Form_Load(app, window.designedWidth(), screenWidth, commandLine); });
    if (ended) return 0;

    if (app.screen.startMaximized) {
        window.showMaximized();
    } else {
        window.show();
    }
    return QApplication::exec();
}
