// ProposalPreview (Form8), the preview of a proposal for the pupils not yet placed: a thin modal
// view of App::form8. It shows who would go where and why someone stays unplaced; "Placera"
// accepts.
#pragma once

#include "ui/dialogview.h"

namespace pelora::ui {

class ProposalPreview : public DialogView {
    Q_OBJECT

public:
    ProposalPreview(App& app, Runner run, QWidget* parent = nullptr);

protected:
    std::string caption() const override;
};

}  // namespace pelora::ui
