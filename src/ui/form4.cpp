#include "ui/form4.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/printing.h"

namespace pelora::ui {

Form4::Form4(App& app, Runner run, QWidget* parent)
    : DialogView(app, std::move(run), Dialog::PrintDialog, app.form4.visible, form4::Command2_Click,
                 "Form4", parent) {
    PrintScreen& s = app.form4;
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    int row = 0;
    // A caption above its field, the field's "Alla" box at its left.
    auto field = [&](QLabel* label, QCheckBox* all, QLineEdit* text) {
        label->setBuddy(text);
        grid->addWidget(label, row++, 0, 1, 2);
        grid->addWidget(all, row, 0);
        grid->addWidget(text, row++, 1);
        grid->setRowMinimumHeight(row++, 4);
    };
    auto alla = [](const char* name) { return named(new QCheckBox(QStringLiteral("Alla")), name); };

    auto* periodLabel = bind(plainLabel(), "periodLabel", s.periodLabel);
    auto* Check5 = bind(alla("Check5"), "Check5", s.Check5);
    auto* Text4 = bind(new QLineEdit, "Text4", s.Text4);
    field(periodLabel, Check5, Text4);
    describe(Text4, QStringLiteral("Period"), QStringLiteral("Perioderna att skriva ut"));
    auto* Check1 = bind(alla("Check1"), "Check1", s.Check1);
    auto* Text1 = bind(new QLineEdit, "Text1", s.Text1);
    field(plainLabel(QStringLiteral("Grupplistor, ange grupp(er):")), Check1, Text1);
    auto* Check2 = bind(alla("Check2"), "Check2", s.Check2);
    auto* Text2 = bind(new QLineEdit, "Text2", s.Text2);
    field(plainLabel(QStringLiteral("Klasslistor, ange klass(er):")), Check2, Text2);
    auto* Check4 = bind(alla("Check4"), "Check4", s.Check4);
    auto* Text3 = bind(new QLineEdit, "Text3", s.Text3);
    field(plainLabel(QStringLiteral("Önskemål, ange klass(er):")), Check4, Text3);
    auto* Check6 = bind(alla("Check6"), "Check6", s.Check6);
    auto* Text5 = bind(new QLineEdit, "Text5", s.Text5);
    field(plainLabel(QStringLiteral("Tidigare terminers placeringar, ange klass(er):")), Check6,
          Text5);
    for (QLineEdit* text : {Text4, Text1, Text2, Text3, Text5})
        text->setMinimumWidth(text->fontMetrics().averageCharWidth() * 40);

    // The folder of the earlier work files and the work files in it.
    auto* Dir1 = bind(plainLabel(), "Dir1", s.Dir1);
    Dir1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Dir1->setWordWrap(true);
    describe(Dir1, QStringLiteral("Filerna finns i mappen"),
             QStringLiteral("Mappen med tidigare arbetsfiler"));
    auto* Command5 = named(new QPushButton(QStringLiteral("Bläddra...")), "Command5");
    Command5->setAutoDefault(false);
    auto* File1 = bind(new QListWidget, "File1", s.File1);
    File1->setSelectionMode(QAbstractItemView::NoSelection);
    File1->setFocusPolicy(Qt::NoFocus);
    fitRowsToCapitals(File1);
    File1->setMinimumHeight(fullTextHeight(File1->fontMetrics(), 4) + 2 * File1->frameWidth());
    auto* folder = new QHBoxLayout;
    folder->addWidget(Dir1, 1);
    folder->addWidget(Command5, 0, Qt::AlignTop);
    grid->addWidget(plainLabel(QStringLiteral("Filerna finns i mappen:")), row++, 0, 1, 2);
    grid->addLayout(folder, row++, 0, 1, 2);
    grid->addWidget(File1, row, 0, 1, 2);
    grid->setRowStretch(row++, 1);

    auto* Check3 = bind(new QCheckBox(QStringLiteral("Ej placerade")), "Check3", s.Check3);
    grid->setRowMinimumHeight(row++, 4);
    grid->addWidget(Check3, row++, 0, 1, 2);

    auto* Command1 = named(new QPushButton(QStringLiteral("OK")), "Command1");
    auto* Command4 = named(new QPushButton(QStringLiteral("Töm")), "Command4");
    auto* Command2 = named(new QPushButton(QStringLiteral("Avbryt")), "Command2");
    auto* Command3 = named(new QPushButton(QStringLiteral("Hjälp")), "Command3");
    Command1->setDefault(true);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {Command1, Command4, Command2, Command3})
        buttons->addWidget(button);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    focusOn(Focus::PrintGroups, Text1);
    // Down the rows, each box before its field, then the buttons.
    setTabChain({Check5, Text4, Check1, Text1, Check2, Text2, Check4, Text3, Check6, Text5,
                 Command5, Check3, Command1, Command4, Command2, Command3});

    on(Command1, &QPushButton::clicked, form4::Command1_Click);
    on(Command2, &QPushButton::clicked, form4::Command2_Click);
    on(Command3, &QPushButton::clicked, form4::Command3_Click);
    on(Command4, &QPushButton::clicked, form4::Command4_Click);
    on(Command5, &QPushButton::clicked, form4::Command5_Click);
}

}  // namespace pelora::ui
