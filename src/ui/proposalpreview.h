// ProposalPreview (Form8), the preview of a proposal for the pupils not yet placed: a thin modal
// view of App::form8. Its options (all periods or the one shown, the least group size, the
// pupils no wish can place) make the proposal again; it shows who would go where, the groups
// closed and why someone stays unplaced; "Placera" accepts.
#pragma once

#include <string>

#include "ui/dialogview.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace pelora::ui {

class ProposalPreview : public DialogView {
    Q_OBJECT

public:
    ProposalPreview(App& app, Runner run, QWidget* parent = nullptr);

protected:
    std::string caption() const override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The proposal made again for the options shown.
    void remake(App& app);

    QComboBox* m_periods;
    QLabel* m_periodsLabel;
    QLineEdit* m_minimum;
    std::string m_shownMinimum;  // the least size the proposal shown was made for
};

}  // namespace pelora::ui
