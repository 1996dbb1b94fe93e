// Form2, the group editor: a thin modal view of App::form2. "Ny grupp" creates groups one after
// another while it is open; "Redigera gruppdata" changes the current group and closes.
#pragma once

#include "ui/dialogview.h"

namespace pelora::ui {

class Form2 : public DialogView {
    Q_OBJECT

public:
    Form2(App& app, Runner run, QWidget* parent = nullptr);

protected:
    // "Ny grupp" or "Redigera gruppdata": the editor's mode.
    std::string caption() const override { return m_app.form2.caption; }
};

}  // namespace pelora::ui
