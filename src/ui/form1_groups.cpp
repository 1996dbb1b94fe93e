// Form1: the group editor's commands, and placing pupils by the buttons of the overview and the
// member list.
#include <QAction>
#include <QListWidget>
#include <QPushButton>

#include "commands/groups.h"
#include "commands/placement.h"
#include "ui/form1.h"
#include "ui/widgetsync.h"

namespace pelora::ui {

void Form1::setupGroups() {
    connect(ny_grupp_, &QAction::triggered, this,
            [this] { run("Ny grupp", [this] { pelora::ny_grupp(m_app); }); });
    connect(h_klick_red_, &QAction::triggered, this,
            [this] { run("Redigera gruppdata", [this] { pelora::h_klick_red(m_app); }); });
    connect(H_klick_tabort_, &QAction::triggered, this,
            [this] { run("Ta bort grupp", [this] { pelora::H_klick_tabort(m_app); }); });

    // "Placera i aktuell grupp" and "Ta bort markerade" act on the lines marked in their list.
    connect(Command7, &QPushButton::clicked, this, [this] {
        readInput(List2, m_app.screen.List2);
        run("Placera valda elever", [this] { PlaceInCurrentGroup(m_app); });
    });
    connect(Command1, &QPushButton::clicked, this, [this] {
        readInput(List1, m_app.screen.List1);
        run("Ta bort elever ur grupp", [this] { RemoveMarkedFromGroup(m_app); });
    });
}

}  // namespace pelora::ui
