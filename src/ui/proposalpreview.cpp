#include "ui/proposalpreview.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/codec.h"
#include "commands/proposal.h"

namespace pelora::ui {

ProposalPreview::ProposalPreview(App& app, Runner run, QWidget* parent)
    : DialogView(app, std::move(run), Dialog::Proposal, app.form8.visible, form8::Command2_Click,
                 "Form8", parent) {
    ProposalScreen& s = app.form8;
    auto* summary = bind(plainLabel(), "summary", s.summary);
    summary->setWordWrap(true);
    auto* List1 = bind(new QListWidget, "List1", s.List1);
    // Lines to read, not to mark; the pupils' lines are indented under their group.
    List1->setSelectionMode(QAbstractItemView::NoSelection);
    List1->setFocusPolicy(Qt::NoFocus);
    List1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    fitRowsToCapitals(List1);
    auto* Command1 = named(new QPushButton(QStringLiteral("Placera")), "Command1");
    auto* Command2 = named(new QPushButton(QStringLiteral("Avbryt")), "Command2");
    Command1->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(List1, 1);
    layout->addLayout(buttons);
    resize(760, 560);

    on(Command1, &QPushButton::clicked, form8::Command1_Click);
    on(Command2, &QPushButton::clicked, form8::Command2_Click);
}

std::string ProposalPreview::caption() const {
    return kProposalTitle;
}

}  // namespace pelora::ui
