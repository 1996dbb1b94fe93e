#include "ui/form3.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/startdata.h"
#include "ui/textconv.h"
#include "ui/widgetsync.h"

namespace pelora::ui {

namespace {

template <typename T>
T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

Form3::Form3(App& app, Runner run, QWidget* parent)
    : QDialog(parent), m_app(app), m_run(std::move(run)) {
    setObjectName(QStringLiteral("Form3"));
    setModal(true);

    Text1 = named(new QLineEdit, "Text1");
    Text5 = named(new QLineEdit, "Text5");
    Text2 = named(new QLineEdit, "Text2");
    Text3 = named(new QLineEdit, "Text3");
    Text4 = named(new QLineEdit, "Text4");
    Text6 = named(new QLineEdit, "Text6");
    Text3->setMinimumWidth(Text3->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
    Text6->setFixedWidth(Text6->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    Check2 = named(new QCheckBox(QStringLiteral("Visa alla perioder samtidigt")), "Check2");
    Check3 = named(new QCheckBox(QStringLiteral("Gruppfördelning utan önskemål")), "Check3");
    Check1 = named(new QCheckBox(QStringLiteral("Behåll befintliga grupper")), "Check1");
    Command1 = named(new QPushButton(QStringLiteral("OK")), "Command1");
    Command2 = named(new QPushButton(QStringLiteral("Avbryt")), "Command2");
    Command3 = named(new QPushButton(QStringLiteral("Hjälp")), "Command3");
    Command4 = named(new QPushButton(QStringLiteral("Bläddra")), "Command4");
    Command1->setDefault(true);

    auto* grid = new QGridLayout;
    int row = 0;
    auto field = [&](const QString& caption, QWidget* box) {
        auto* label = new QLabel(caption);
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        ++row;
    };
    field(QStringLiteral("Skola"), Text1);
    field(QStringLiteral("Aktivitet"), Text5);
    field(QStringLiteral("Period/läsår"), Text2);
    field(QStringLiteral("Elevlista"), Text3);
    grid->addWidget(Command4, row++, 1, Qt::AlignLeft);
    field(QStringLiteral("Klasser"), Text4);
    auto* periods = new QHBoxLayout;
    periods->addWidget(Text6);
    periods->addSpacing(12);
    periods->addWidget(Check2);
    periods->addStretch(1);
    auto* periodLabel = new QLabel(QStringLiteral("Antal perioder"));
    periodLabel->setBuddy(Text6);
    grid->addWidget(periodLabel, row, 0);
    grid->addLayout(periods, row++, 1);
    grid->addWidget(Check3, row++, 1);
    grid->addWidget(Check1, row++, 1);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);

    // The fields, then OK, Avbryt, Hjälp, the three check boxes and "Bläddra".
    QWidget* order[] = {Text1,    Text5,    Text2,  Text3,  Text4,  Text6,   Command1,
                        Command2, Command3, Check2, Check3, Check1, Command4};
    for (std::size_t k = 0; k + 1 < std::size(order); ++k)
        setTabOrder(order[k], order[k + 1]);

    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form3::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form3::Command4_Click);
    connect(Text6, &QLineEdit::textChanged, this, &Form3::Text6_Change);
}

void Form3::showModal() {
    render();
    if (m_app.screen.focusRequest == Focus::StartDataSchool) {
        Text1->setFocus();
        m_app.screen.focusRequest = Focus::None;
    }
    if (m_app.form3.visible) exec();
}

void Form3::render() {
    const StartDataScreen& s = m_app.form3;
    const QString caption = toQt(s.caption);
    if (windowTitle() != caption) setWindowTitle(caption);
    ui::render(Text1, s.Text1);
    ui::render(Text5, s.Text5);
    ui::render(Text2, s.Text2);
    ui::render(Text3, s.Text3);
    ui::render(Text4, s.Text4);
    ui::render(Text6, s.Text6);
    ui::render(Check2, s.Check2);
    ui::render(Check3, s.Check3);
    ui::render(Check1, s.Check1);
}

void Form3::readInput() {
    StartDataScreen& s = m_app.form3;
    ui::readInput(Text1, s.Text1);
    ui::readInput(Text5, s.Text5);
    ui::readInput(Text2, s.Text2);
    ui::readInput(Text3, s.Text3);
    ui::readInput(Text4, s.Text4);
    ui::readInput(Text6, s.Text6);
    ui::readInput(Check2, s.Check2);
    ui::readInput(Check3, s.Check3);
    ui::readInput(Check1, s.Check1);
}

void Form3::handle(const std::function<void(App&)>& handler) {
    readInput();
    m_run(m_app.form3.caption, [this, &handler] { handler(m_app); });
    render();
}

void Form3::closeWhenHidden() {
    if (!m_app.form3.visible && isVisible()) QDialog::done(QDialog::Accepted);
}

void Form3::Command1_Click() {
    handle(form3::Command1_Click);
    closeWhenHidden();
}

void Form3::Command2_Click() {
    handle(form3::Command2_Click);
    closeWhenHidden();
}

void Form3::reject() {
    handle(form3::Command2_Click);
    if (!m_app.form3.visible) QDialog::reject();
}

void Form3::Command3_Click() {
    handle(form3::Command3_Click);
}

void Form3::Command4_Click() {
    handle(form3::Command4_Click);
}

void Form3::Text6_Change() {
    handle(form3::Text6_Change);
}

}  // namespace pelora::ui
