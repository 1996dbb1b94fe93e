// Form4, the print dialog: a thin modeless view of App::form4. Created once and afterwards only
// shown and hidden, so what the user chose lives on; it closes itself after a print run.
#pragma once

#include "ui/dialogview.h"

namespace pelora::ui {

class Form4 : public DialogView {
    Q_OBJECT

public:
    Form4(App& app, Runner run, QWidget* parent = nullptr);

protected:
    std::string caption() const override { return "Skriv ut"; }
};

}  // namespace pelora::ui
