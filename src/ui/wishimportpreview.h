// WishImportPreview (Form9), the preview of wishes read from a form's answers: a thin modal view
// of App::form9. It shows the columns read (the user may choose others), the rows that find no
// pupil or several, the pupils who have wishes already, and the misspelt wishes with the group
// each may mean; "Läs in" stores the wishes.
#pragma once

#include "ui/dialogview.h"

namespace pelora::ui {

class WishImportPreview : public DialogView {
    Q_OBJECT

public:
    WishImportPreview(App& app, Runner run, QWidget* parent = nullptr);

protected:
    std::string caption() const override;
};

}  // namespace pelora::ui
