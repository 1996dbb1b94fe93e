#include "ui/proposalpreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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
    m_periods = bind(new QComboBox, "Combo1", s.Combo1);
    m_minimum = bind(new QLineEdit, "Text1", s.Text1);
    // Empty for no least size; the core refuses anything else that is no whole number.
    m_minimum->setValidator(new QIntValidator(1, MaxStudents, m_minimum));
    m_minimum->setMaxLength(3);
    m_minimum->setFixedWidth(m_minimum->fontMetrics().horizontalAdvance(QStringLiteral("0000")) +
                             16);
    m_minimum->installEventFilter(this);
    auto* Check1 =
        bind(new QCheckBox(QStringLiteral(
                 "Placera även elever utan möjligt önskemål i grupper med &lediga platser")),
             "Check1", s.Check1);
    auto* summary = bind(plainLabel(), "summary", s.summary);
    summary->setWordWrap(true);
    auto* List1 = bind(new QListWidget, "List1", s.List1);
    // Lines to read, not to mark; the pupils' lines are indented under their group. The list
    // takes the focus so that the keyboard can scroll it.
    List1->setSelectionMode(QAbstractItemView::NoSelection);
    List1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    fitRowsToCapitals(List1);
    describe(List1, QStringLiteral("Förslaget"),
             QStringLiteral("Per period grupperna med sina föreslagna elever, de grupper som "
                            "stängs och de elever som förblir oplacerade"));
    auto* Command1 = bind(new QPushButton(QStringLiteral("&Placera")), "Command1", s.Command1);
    auto* Command2 = named(new QPushButton(QStringLiteral("Avbryt")), "Command2");
    Command1->setDefault(true);

    m_periodsLabel = plainLabel(QStringLiteral("P&erioder:"));
    m_periodsLabel->setBuddy(m_periods);
    auto* minimumLabel = plainLabel(QStringLiteral("&Minst antal elever per grupp:"));
    minimumLabel->setBuddy(m_minimum);
    auto* options = new QGridLayout;
    options->addWidget(m_periodsLabel, 0, 0);
    options->addWidget(m_periods, 0, 1, Qt::AlignLeft);
    options->addWidget(minimumLabel, 1, 0);
    options->addWidget(m_minimum, 1, 1, Qt::AlignLeft);
    options->addWidget(Check1, 2, 0, 1, 2);
    options->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(summary);
    layout->addWidget(List1, 1);
    layout->addLayout(buttons);
    setTabChain({m_periods, m_minimum, Check1, List1, Command1, Command2});
    resize(760, 560);

    on(m_periods, &QComboBox::activated, [this](App& a) {
        a.form8.Combo1.listIndex = m_periods->currentIndex();
        remake(a);
    });
    on(m_minimum, &QLineEdit::editingFinished, [this](App& a) {
        // Only a changed least size makes the proposal again.
        if (a.form8.Text1.text != m_shownMinimum) remake(a);
    });
    on(Check1, &QCheckBox::clicked, [this](App& a) { remake(a); });
    on(Command1, &QPushButton::clicked, form8::Command1_Click);
    on(Command2, &QPushButton::clicked, form8::Command2_Click);
}

std::string ProposalPreview::caption() const {
    return kProposalTitle;
}

void ProposalPreview::showEvent(QShowEvent* event) {
    // The periods are a choice only where the work has more than one.
    m_periods->setVisible(m_app.form8.periodsShown);
    m_periodsLabel->setVisible(m_app.form8.periodsShown);
    m_shownMinimum = m_app.form8.Text1.text;
    DialogView::showEvent(event);
}

void ProposalPreview::remake(App& app) {
    form8::Options_Change(app);
    m_shownMinimum = app.form8.Text1.text;
}

bool ProposalPreview::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the least size makes the proposal for it, and does not place the one shown
    // before it.
    if (watched == m_minimum && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            handle([this](App& a) { remake(a); });
            return true;
        }
    }
    return DialogView::eventFilter(watched, event);
}

}  // namespace pelora::ui
