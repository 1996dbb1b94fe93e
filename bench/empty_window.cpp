// The yardstick for the program's start-up: an empty Qt window, shown as soon as it can be.
#include <QApplication>
#include <QSize>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Tom"));
    // The size to show, "1280x780" on the command line: the same as the program's own window,
    // since painting the first picture costs by its size.
    const QStringList size = QApplication::arguments().value(1).split(QLatin1Char('x'));
    window.resize(size.size() == 2 ? QSize(size[0].toInt(), size[1].toInt()) : QSize(800, 600));
    window.show();
    return QApplication::exec();
}
