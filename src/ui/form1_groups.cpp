// Form1: the group editor's commands, placing pupils by the buttons of the overview and the
// member list, the proposal for the pupils not yet placed, and the edit history's menu.
#include <QAction>
#include <QListWidget>
#include <QPushButton>

#include "base/codec.h"
#include "commands/board.h"
#include "commands/edit.h"
#include "commands/groups.h"
#include "commands/placement.h"
#include "commands/proposal.h"
#include "commands/wishimport.h"
#include "ui/form1.h"
#include "ui/textconv.h"
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
            [this] { run(kProposalTitle, [this] { pelora::Arkiv_forslag(m_app); }); });
    connect(Arkiv_onskemal_, &QAction::triggered, this,
            [this] { run(kWishImportTitle, [this] { pelora::Arkiv_onskemal(m_app); }); });
    connect(Redigera_angra_, &QAction::triggered, this,
            [this] { run("Ångra"_cp, [this] { pelora::Redigera_angra(m_app); }); });
    connect(Redigera_gorom_, &QAction::triggered, this,
            [this] { run("Gör om"_cp, [this] { pelora::Redigera_gorom(m_app); }); });
    connect(Redigera_ordna_, &QAction::triggered, this,
            [this] { run("Ordna etiketterna", [this] { pelora::Redigera_ordna(m_app); }); });
}

void Form1::renderGroups() {
    const History& history = m_app.history;
    // A group's name may hold "&", which a menu caption would take as a mnemonic.
    auto caption = [](const std::string& text) {
        return toQt(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
    };
    Redigera_angra_->setText(caption(undoCaption(m_app)));
    Redigera_angra_->setEnabled(history.canUndo());
    Redigera_gorom_->setText(caption(redoCaption(m_app)));
    Redigera_gorom_->setEnabled(history.canRedo());
}

}  // namespace pelora::ui
