// A second yardstick for the start-up: a Qt window with a menu bar and some text in common
// widgets, the least that any window with words must set up (the system's fonts among it).
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSize>
#include <QVBoxLayout>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Text"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&Arkiv"));
    file->addAction(QStringLiteral("&Öppna..."));
    file->addAction(QStringLiteral("&Spara"));
    window.menuBar()->addMenu(QStringLiteral("&Hjälp"));
    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->addWidget(new QLabel(QStringLiteral("Elever")));
    column->addWidget(new QLineEdit(QStringLiteral("Åsa Öberg")));
    auto* list = new QListWidget;
    list->addItems({QStringLiteral("7A"), QStringLiteral("7B"), QStringLiteral("8A")});
    column->addWidget(list);
    column->addWidget(new QPushButton(QStringLiteral("Placera")));
    window.setCentralWidget(central);
    // The size to show, "1280x780" on the command line: the same as the program's own window,
    // since painting the first picture costs by its size.
    const QStringList size = QApplication::arguments().value(1).split(QLatin1Char('x'));
    window.resize(size.size() == 2 ? QSize(size[0].toInt(), size[1].toInt()) : QSize(800, 600));
    window.show();
    return QApplication::exec();
}
