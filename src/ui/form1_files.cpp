// Form1: the menu items that replace, save or describe the whole work.
#include <QAction>

#include "base/codec.h"
#include "commands/lifecycle.h"
#include "commands/opensave.h"
#include "commands/startdata.h"
#include "formats/workfile.h"
#include "ui/form1.h"

namespace pelora::ui {

void Form1::setupFiles() {
    connect(Arkiv_Nytt_, &QAction::triggered, this, &Form1::Arkiv_Nytt);
    connect(Arkivoppna_, &QAction::triggered, this, &Form1::Arkivoppna);
    connect(Arkiv_Spara_, &QAction::triggered, this, &Form1::Arkiv_Spara);
    connect(Arkivsparasom_, &QAction::triggered, this, &Form1::Arkivsparasom);
    connect(red_startdata_, &QAction::triggered, this, &Form1::red_startdata);
}

void Form1::Arkiv_Nytt() {
    run("Nytt", [this] { pelora::Arkiv_Nytt(m_app); });
}

void Form1::Arkivoppna() {
    run("Öppna"_cp, [this] { pelora::Arkivoppna(m_app); });
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
