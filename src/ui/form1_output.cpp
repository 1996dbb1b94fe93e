// Form1: printing, the export for Lumidor and help, with their windows: the print dialog and the
// help window, which stay open beside the main window, and the help popup.
#include <QAction>

#include "base/codec.h"
#include "commands/export.h"
#include "commands/help.h"
#include "commands/printing.h"
#include "ui/form1.h"
#include "ui/form4.h"
#include "ui/form6.h"
#include "ui/form7.h"

namespace pelora::ui {

void Form1::setupOutput() {
    connect(Arkiv_skrivare_, &QAction::triggered, this, &Form1::Arkiv_skrivare);
    connect(Arkivskrivut_, &QAction::triggered, this, &Form1::Arkivskrivut);
    connect(Arkiv_export_, &QAction::triggered, this, &Form1::Arkiv_export);
    connect(Arkiv_kalkylblad_, &QAction::triggered, this, &Form1::Arkiv_kalkylblad);
    connect(H_klick_skrivut_, &QAction::triggered, this, &Form1::H_klick_skrivut);
    connect(Helptext_, &QAction::triggered, this, &Form1::Helptext);
    connect(help_about_, &QAction::triggered, this, &Form1::help_about);
}

void Form1::Arkiv_skrivare() {
    run("Skrivare", [this] { pelora::Arkiv_skrivare(m_app); });
}

void Form1::Arkivskrivut() {
    run("Skriv ut", [this] { pelora::Arkivskrivut(m_app); });
}

void Form1::Arkiv_kalkylblad() {
    run("Exportera till kalkylblad", [this] { pelora::Arkiv_kalkylblad(m_app); });
}

void Form1::Arkiv_export() {
    run("Exportera grupplistor till Lumidor", [this] { pelora::Arkiv_export(m_app); });
}

void Form1::H_klick_skrivut() {
    run("Skriv ut", [this] { pelora::H_klick_skrivut(m_app); });
}

void Form1::Helptext() {
    run("Hjälpavsnitt"_cp, [this] { pelora::Helptext(m_app); });
}

void Form1::help_about() {
    run("Om programmet", [this] { pelora::help_about(m_app); });
}

void Form1::showOutputDialog(Dialog dialog) {
    auto runner = [this](const std::string& title, const std::function<void()>& operation) {
        run(title, operation);
    };
    switch (dialog) {
        case Dialog::PrintDialog:
            if (!m_form4) m_form4 = new Form4(m_app, runner, this);
            m_form4->present();
            break;
        case Dialog::HelpWindow:
            if (!m_form6) m_form6 = new Form6(m_app, runner, this);
            m_form6->present();
            break;
        case Dialog::HelpPopup:
            // Over the dialog whose "Hjälp" asked for it.
            if (!m_form7) m_form7 = new Form7(m_app, runner, this);
            m_form7->present();
            break;
        default:
            break;
    }
}

void Form1::readOpenWindows() {
    for (DialogView* window :
         {static_cast<DialogView*>(m_form4), static_cast<DialogView*>(m_form6)})
        if (window && window->isVisible()) window->readInput();
}

void Form1::renderOpenWindows() {
    for (DialogView* window :
         {static_cast<DialogView*>(m_form4), static_cast<DialogView*>(m_form6)})
        if (window) window->render();
}

}  // namespace pelora::ui
