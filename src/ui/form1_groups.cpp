// Form1: the group editor's commands, placing pupils by the buttons of the overview and the
// member list, and the proposal for the pupils not yet placed.
#include <QAction>
#include <QListWidget>
#include <QPushButton>

#include "base/codec.h"
#include "commands/groups.h"
#include "commands/placement.h"
#include "commands/proposal.h"
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

    connect(Arkiv_forslag_, &QAction::triggered, this,
            [this] { run("Föreslå placering"_cp, [this] { pelora::Arkiv_forslag(m_app); }); });
    connect(Arkiv_angra_forslag_, &QAction::triggered, this, [this] {
        run("Ångra förslag"_cp, [this] { pelora::Arkiv_angra_forslag(m_app); });
    });
}

void Form1::renderGroups() {
    // The proposal can be taken back only while no placement has changed since.
    Arkiv_angra_forslag_->setEnabled(proposalCanBeUndone(m_app));
}

}  // namespace pelora::ui
