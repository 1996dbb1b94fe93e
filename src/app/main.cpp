// Pelora: the application, the Qt desktop and the main window; the command line names a work.
#if !defined(_WIN32)
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>
#endif
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QStringList>

#include <cstdio>
#include <vector>

#include "app/commandline.h"
#include "base/codec.h"
#include "base/text.h"
#include "commands/app.h"
#include "commands/help.h"
#include "commands/lifecycle.h"
#include "commands/opensave.h"
#include "commands/version.h"
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

#if defined(_WIN32)
// Windows ends a program through its session (the commit-data request below), not by a signal.
void endOnTermination(pelora::ui::Form1&) {}
#else
// SIGTERM is turned into a byte on a socket, read in the event loop, where the window may end the
// program the way it should (a handler may do next to nothing itself).
int terminationSockets[2] = {-1, -1};

void onTermination(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(terminationSockets[0], &byte, 1);
}

void endOnTermination(pelora::ui::Form1& window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, terminationSockets) != 0) return;
    auto* notifier = new QSocketNotifier(terminationSockets[1], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [notifier, &window] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(terminationSockets[1], &byte, 1);
        notifier->setEnabled(false);
        window.endForTheSystem();
    });
    struct sigaction action {};
    action.sa_handler = onTermination;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
}
#endif

}  // namespace

int main(int argc, char* argv[]) {
    // "--help" and "--version" need no display, and no Qt application is made for them.
    if (const std::optional<int> code = pelora::app::runWithoutWindow(argc, argv)) return *code;
    QApplication application(argc, argv);
    pelora::ui::introduceTheProgram();

    pelora::ui::QtDesktop desktop;
    pelora::App app(desktop);
    app.manualPlaces = manualPlaces();
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
    endOnTermination(window);
    // Logging out asks nothing of the program; the unsaved changes are copied for the next start.
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.copyBeforeLogout(); });
    const int screenWidth = window.screen() ? window.screen()->availableGeometry().width() : 1920;
    window.run("Pelora",
               [&] { pelora::Form_Load(app, window.designedWidth(), screenWidth, commandLine); });
    if (ended) return 0;

    window.showAtStart();
    return QApplication::exec();
}
