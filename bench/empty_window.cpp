// The yardstick for the program's start-up: an empty Qt window, shown as soon as it can be.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Tom"));
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
