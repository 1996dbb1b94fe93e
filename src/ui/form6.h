// Form6, the help window: the manual's chapters on the left, the chosen one on the right. Not
// modal; created on first use and afterwards only shown and hidden, so it keeps its chapter.
#pragma once

#include "base/codec.h"
#include "ui/dialogview.h"

namespace pelora::ui {

class Form6 : public DialogView {
    Q_OBJECT

public:
    Form6(App& app, Runner run, QWidget* parent = nullptr);

protected:
    std::string caption() const override { return "Hjälp"_cp; }
};

}  // namespace pelora::ui
