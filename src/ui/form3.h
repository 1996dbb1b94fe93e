// Form3, the start data dialog: a thin modal view of App::form3. Created on first use and
// afterwards only hidden, so its ticks live on; it closes itself when a handler has hidden it.
#pragma once

#include "ui/dialogview.h"

namespace pelora::ui {

class Form3 : public DialogView {
    Q_OBJECT

public:
    Form3(App& app, Runner run, QWidget* parent = nullptr);

protected:
    // "Nytt" or "Redigera startdata": the dialog's mode.
    std::string caption() const override { return m_app.form3.caption; }
};

}  // namespace pelora::ui
