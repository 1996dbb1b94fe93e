// Pelora: the application, the Qt desktop and the main window; the command line names a work.
#include <QApplication>
#include <QScreen>
#include <QStringList>

#include "commands/app.h"
#include "commands/lifecycle.h"
#include "ui/form1.h"
#include "ui/qtdesktop.h"
#include "ui/swedish.h"
#include "ui/textconv.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelora"));

    pelora::ui::speakSwedish();

    pelora::ui::QtDesktop desktop;
    pelora::App app(desktop);
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
