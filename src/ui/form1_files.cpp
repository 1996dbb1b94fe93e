// Form1: the menu items that replace, save or describe the whole work, the recent works and the
// automatic copy of unsaved changes.
#include <QAction>
#include <QMenu>
#include <QTimer>

#include "base/codec.h"
#include "commands/lifecycle.h"
#include "commands/opensave.h"
#include "commands/recovery.h"
#include "commands/startdata.h"
#include "formats/workfile.h"
#include "ui/form1.h"
#include "ui/recentworks.h"
#include "ui/textconv.h"

namespace pelora::ui {

void Form1::setupFiles() {
    connect(Arkiv_Nytt_, &QAction::triggered, this, &Form1::Arkiv_Nytt);
    connect(Arkivoppna_, &QAction::triggered, this, &Form1::Arkivoppna);
    connect(Arkiv_Spara_, &QAction::triggered, this, &Form1::Arkiv_Spara);
    connect(Arkivsparasom_, &QAction::triggered, this, &Form1::Arkivsparasom);
    connect(red_startdata_, &QAction::triggered, this, &Form1::red_startdata);
    for (std::size_t k = 0; k < Arkiv_senaste_.size(); ++k) {
        connect(Arkiv_senaste_[k], &QAction::triggered, this, [this, k] {
            run(kOpenTitle, [this, k] { Arkiv_senaste(m_app, static_cast<int>(k)); });
        });
    }

    // The settings hold what the program started with.
    m_recentKept = m_app.recentFiles;
    m_autosave = new QTimer(this);
    m_autosave->setSingleShot(true);
    connect(m_autosave, &QTimer::timeout, this, &Form1::autosaveTimeout);
}

void Form1::renderFiles() {
    const std::vector<std::filesystem::path>& recent = m_app.recentFiles;
    recentSeparator->setVisible(!recent.empty());
    for (std::size_t k = 0; k < Arkiv_senaste_.size(); ++k) {
        QAction* action = Arkiv_senaste_[k];
        const bool listed = k < recent.size();
        if (action->isVisible() != listed) action->setVisible(listed);
        if (!listed) continue;
        const QString path = fromPath(recent[k]);
        QString name = fromPath(recent[k].filename());
        name.replace(QLatin1Char('&'), QLatin1String("&&"));
        const QString caption = QStringLiteral("&%1 %2").arg(k + 1).arg(name);
        if (action->text() != caption) action->setText(caption);
        if (action->toolTip() != path) {
            action->setToolTip(path);
            action->setStatusTip(path);
        }
    }
}

void Form1::keepRecentWorks() {
    if (m_app.recentFiles == m_recentKept) return;
    m_recentKept = m_app.recentFiles;
    saveRecentWorks(m_recentKept);
}

std::optional<std::chrono::milliseconds> Form1::copyDueIn() const {
    if (!m_autosave->isActive()) return std::nullopt;
    return std::chrono::milliseconds(m_autosave->remainingTime());
}

void Form1::scheduleCopy() {
    std::optional<std::chrono::milliseconds> wait;
    runGuarded(m_app.desktop, "Pelora",
               [this, &wait] { wait = copyWhenDue(m_app, std::chrono::steady_clock::now()); });
    if (wait) {
        m_autosave->start(*wait);
    } else {
        m_autosave->stop();
    }
}

// The copy waits while a command is under way: the work may be half changed while it asks its
// questions.
void Form1::autosaveTimeout() {
    if (m_running == 0) {
        scheduleCopy();
    } else {
        m_autosave->start(std::chrono::seconds(1));
    }
}

void Form1::endForTheSystem() {
    if (m_ending) return;
    // What is unsaved is copied as it is now, to be offered at the next start.
    runGuarded(m_app.desktop, "Pelora", [this] {
        if (m_app.history.dirty()) {
            autosave(m_app);
        } else {
            endRecovery(m_app);
        }
    });
    endProgram();
}

void Form1::copyBeforeLogout() {
    runGuarded(m_app.desktop, "Pelora", [this] { autosave(m_app); });
}

void Form1::Arkiv_Nytt() {
    run("Nytt", [this] { pelora::Arkiv_Nytt(m_app); });
}

void Form1::Arkivoppna() {
    run(kOpenTitle, [this] { pelora::Arkivoppna(m_app); });
}

void Form1::Arkiv_Spara() {
    run("Spara", [this] { pelora::Arkiv_Spara(m_app); });
}

void Form1::Arkivsparasom() {
    run("Spara som", [this] { pelora::Arkivsparasom(m_app); });
}

void Form1::red_startdata() {
    run("Redigera startdata", [this] { pelora::red_startdata(m_app); });
}

}  // namespace pelora::ui
