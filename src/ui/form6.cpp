#include "ui/form6.h"

#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

#include "commands/help.h"
#include "ui/richtextview.h"
#include "ui/widgetsync.h"

namespace pelora::ui {

Form6::Form6(App& app, Runner run, QWidget* parent)
    : DialogView(app, std::move(run), Dialog::HelpWindow, app.form6.visible, form6::Command3_Click,
                 "Form6", parent) {
    HelpScreen& s = app.form6;
    auto* List1 = bind(new QListWidget, "List1", s.List1);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    fitRowsToCapitals(List1);
    auto* Command3 = named(new QPushButton(QStringLiteral("Stäng")), "Command3");
    Command3->setAutoDefault(false);
    auto* RTF2 = bind(new RichTextView, "RTF2", s.RTF2);
    describe(List1, QStringLiteral("Innehåll"), QStringLiteral("Hjälpens avsnitt"));
    describe(RTF2, QStringLiteral("Hjälptext"), QStringLiteral("Det valda avsnittet"));

    // The list as wide as its longest chapter and as high as all nine.
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->setFixedWidth(
        List1->fontMetrics().horizontalAdvance(QStringLiteral(" 3. Inskrivning av önskemål")) +
        List1->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * List1->frameWidth() + 12);
    List1->setMinimumHeight(fullTextHeight(List1->fontMetrics(), 1) * 9 + 2 * List1->frameWidth() +
                            18);

    auto* layout = new QGridLayout(this);
    layout->addWidget(List1, 0, 0);
    layout->addWidget(Command3, 1, 0, Qt::AlignLeft);
    layout->addWidget(RTF2, 0, 1, 3, 1);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(1, 1);
    resize(900, 640);

    // The mouse and the arrow keys alike choose a chapter.
    connect(List1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) handle([row](App& a) { form6::List1_Click(a, row); });
    });
    on(Command3, &QPushButton::clicked, form6::Command3_Click);
}

}  // namespace pelora::ui
