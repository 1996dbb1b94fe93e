// Form7, the help popup: the section of the manual a dialog's "Hjälp" asks for, shown modally
// over that dialog until the user closes it.
#pragma once

#include "base/codec.h"
#include "ui/dialogview.h"

namespace pelora::ui {

class Form7 : public DialogView {
    Q_OBJECT

public:
    Form7(App& app, Runner run, QWidget* parent = nullptr);

protected:
    std::string caption() const override { return "Hjälp"_cp; }
};

}  // namespace pelora::ui
