#include "ui/form2.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/groups.h"

namespace pelora::ui {

Form2::Form2(App& app, Runner run, QWidget* parent)
    : DialogView(app, std::move(run), Dialog::GroupEditor, app.form2.visible, form2::Command2_Click,
                 "Form2", parent) {
    GroupEditorScreen& s = app.form2;
    auto* Text1 = bind(new QLineEdit, "Text1", s.Text1);  // "Gruppens namn"
    auto* Text2 = bind(new QLineEdit, "Text2", s.Text2);  // "Personal"
    auto* Text5 = bind(new QLineEdit, "Text5", s.Text5);  // "Period"
    auto* Text3 = bind(new QLineEdit, "Text3", s.Text3);  // "Max antal elever"
    auto* Text4 = bind(new QLineEdit, "Text4", s.Text4);  // "Kommentar"
    auto* periodCaption = bind(plainLabel(), "periodCaption", s.periodCaption);
    auto* Command1 = named(new QPushButton(QStringLiteral("OK")), "Command1");
    auto* Command2 = named(new QPushButton(QStringLiteral("Stäng")), "Command2");
    auto* Command3 = named(new QPushButton(QStringLiteral("Hjälp")), "Command3");
    // Enter stores the group; in creation mode the next one can be typed at once.
    Command1->setDefault(true);
    focusOn(Focus::GroupName, Text1);
    describe(Text5, QStringLiteral("Period"), QStringLiteral("Perioden gruppen hör till"));

    const QFontMetrics metrics = Text1->fontMetrics();
    Text1->setMinimumWidth(metrics.horizontalAdvance(QLatin1Char('M')) * 28);
    // A period is a digit or two, a capacity a few more.
    Text5->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("0000")) + 16);
    Text3->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("000000")) + 16);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    auto caption = [](const QString& text, QWidget* buddy) {
        QLabel* label = plainLabel(text);
        label->setBuddy(buddy);
        return label;
    };
    int row = 0;
    auto wide = [&](const QString& text, QWidget* field) {
        grid->addWidget(caption(text, field), row++, 0, 1, 3);
        grid->addWidget(field, row++, 0, 1, 3);
    };
    wide(QStringLiteral("Gruppens namn"), Text1);
    wide(QStringLiteral("Personal"), Text2);
    periodCaption->setBuddy(Text5);
    grid->addWidget(periodCaption, row, 0);
    grid->addWidget(caption(QStringLiteral("Max antal elever"), Text3), row++, 1);
    grid->addWidget(Text5, row, 0, Qt::AlignLeft);
    grid->addWidget(Text3, row++, 1, Qt::AlignLeft);
    wide(QStringLiteral("Kommentar"), Text4);
    grid->setColumnStretch(2, 1);

    // Three buttons of one width side by side, under the fields from their left edge.
    auto* buttons = new QHBoxLayout;
    int widest = 0;
    for (QPushButton* button : {Command1, Command2, Command3})
        widest = std::max(widest, button->sizeHint().width());
    for (QPushButton* button : {Command1, Command2, Command3}) {
        button->setMinimumWidth(widest);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        buttons->addWidget(button, 1);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->addStretch(1);

    setTabChain({Text1, Text2, Text3, Text5, Text4, Command1, Command2, Command3});

    on(Command1, &QPushButton::clicked, form2::Command1_Click);
    on(Command2, &QPushButton::clicked, form2::Command2_Click);
    on(Command3, &QPushButton::clicked, form2::Command3_Click);
}

}  // namespace pelora::ui
