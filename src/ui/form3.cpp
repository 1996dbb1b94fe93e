#include "ui/form3.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/startdata.h"

namespace pelora::ui {

Form3::Form3(App& app, Runner run, QWidget* parent)
    : DialogView(app, std::move(run), Dialog::StartData, app.form3.visible, form3::Command2_Click,
                 "Form3", parent) {
    StartDataScreen& s = app.form3;
    auto* Text1 = bind(new QLineEdit, "Text1", s.Text1);  // "Skola"
    auto* Text5 = bind(new QLineEdit, "Text5", s.Text5);  // "Aktivitet"
    auto* Text2 = bind(new QLineEdit, "Text2", s.Text2);  // "Period/läsår"
    auto* Text3 = bind(new QLineEdit, "Text3", s.Text3);  // "Elevlista"
    auto* Text4 = bind(new QLineEdit, "Text4", s.Text4);  // "Klasser"
    auto* Text6 = bind(new QLineEdit, "Text6", s.Text6);  // "Antal perioder"
    auto* Check2 =
        bind(new QCheckBox(QStringLiteral("Visa alla perioder samtidigt")), "Check2", s.Check2);
    auto* Check3 =
        bind(new QCheckBox(QStringLiteral("Gruppfördelning utan önskemål")), "Check3", s.Check3);
    auto* Check1 =
        bind(new QCheckBox(QStringLiteral("Behåll befintliga grupper")), "Check1", s.Check1);
    auto* Command1 = named(new QPushButton(QStringLiteral("OK")), "Command1");
    auto* Command2 = named(new QPushButton(QStringLiteral("Avbryt")), "Command2");
    auto* Command3 = named(new QPushButton(QStringLiteral("Hjälp")), "Command3");
    auto* Command4 = named(new QPushButton(QStringLiteral("Bläddra")), "Command4");
    Text3->setMinimumWidth(Text3->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
    Text6->setFixedWidth(Text6->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    Command1->setDefault(true);
    focusOn(Focus::StartDataSchool, Text1);

    auto* grid = new QGridLayout;
    int row = 0;
    auto field = [&](const QString& caption, QWidget* box) {
        auto* label = plainLabel(caption);
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
    auto* periodLabel = plainLabel(QStringLiteral("Antal perioder"));
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
    setTabChain({Text1, Text5, Text2, Text3, Text4, Text6, Command1, Command2, Command3, Check2,
                 Check3, Check1, Command4});

    on(Command1, &QPushButton::clicked, form3::Command1_Click);
    on(Command2, &QPushButton::clicked, form3::Command2_Click);
    on(Command3, &QPushButton::clicked, form3::Command3_Click);
    on(Command4, &QPushButton::clicked, form3::Command4_Click);
    on(Text6, &QLineEdit::textChanged, form3::Text6_Change);
}

}  // namespace pelora::ui
