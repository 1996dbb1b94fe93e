#include "ui/wishimportpreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/codec.h"
#include "commands/wishimport.h"
#include "ui/textconv.h"

namespace pelora::ui {

namespace {

// The column picked in the box, as the core's state of it.
void readPick(const QComboBox* widget, ComboBox& combo) {
    const int index = widget->currentIndex();
    combo.listIndex = index;
    combo.text = index >= 0 ? fromQt(widget->itemText(index)) : std::string();
}

// A caption for the control after it, which takes its name and its Alt key from it.
QLabel* captionFor(QWidget* control, const char* text) {
    QLabel* label = plainLabel(QString::fromUtf8(text));
    label->setBuddy(control);
    return label;
}

}  // namespace

WishImportPreview::WishImportPreview(App& app, Runner run, QWidget* parent)
    : DialogView(app, std::move(run), Dialog::WishImport, app.form9.visible, form9::Command2_Click,
                 "Form9", parent) {
    WishImportScreen& s = app.form9;
    auto* Combo1 = bind(new QComboBox, "Combo1", s.Combo1);
    auto* Combo2 = bind(new QComboBox, "Combo2", s.Combo2);
    auto* Combo3 = bind(new QComboBox, "Combo3", s.Combo3);
    auto* Combo4 = bind(new QComboBox, "Combo4", s.Combo4);
    auto* summary = bind(plainLabel(), "summary", s.summary);
    summary->setWordWrap(true);
    auto* List1 = bind(new QListWidget, "List1", s.List1);
    auto* existing = bind(plainLabel(), "existing", s.existing);
    auto* List2 = bind(new QListWidget, "List2", s.List2);
    auto* Check1 = bind(new QCheckBox(QStringLiteral("&Ersätt deras önskemål med filens")),
                        "Check1", s.Check1);
    auto* List3 = bind(new QListWidget, "List3", s.List3);
    auto* Command1 = bind(new QPushButton(QStringLiteral("&Läs in")), "Command1", s.Command1);
    auto* Command2 = named(new QPushButton(QStringLiteral("Avbryt")), "Command2");
    Command1->setDefault(true);
    // Lines to read; only the corrections are marked, each on its own.
    for (QListWidget* list : {List1, List2})
        list->setSelectionMode(QAbstractItemView::NoSelection);
    List3->setSelectionMode(QAbstractItemView::MultiSelection);
    for (QComboBox* combo : {Combo1, Combo2, Combo3, Combo4}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(16);
        fitRowsToCapitals(combo);
    }
    for (QListWidget* list : {List1, List2, List3})
        fitRowsToCapitals(list);
    describe(List1, QStringLiteral("Rader som inte läses in"));
    describe(List2, QStringLiteral("Elever som redan har önskemål"));
    describe(List3, QStringLiteral("Önskemål som inte är någon grupp"),
             QStringLiteral("Markera de rättelser som ska göras"));

    auto* columns = new QGridLayout;
    columns->addWidget(captionFor(Combo1, "&Personnummer:"), 0, 0);
    columns->addWidget(Combo1, 0, 1);
    columns->addWidget(captionFor(Combo2, "&Namn:"), 0, 2);
    columns->addWidget(Combo2, 0, 3);
    columns->addWidget(captionFor(Combo3, "&Klass:"), 1, 0);
    columns->addWidget(Combo3, 1, 1);
    columns->addWidget(captionFor(Combo4, "&Önskemål:"), 1, 2);
    columns->addWidget(Combo4, 1, 3);
    columns->setColumnStretch(1, 1);
    columns->setColumnStretch(3, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(captionFor(List1, "&Rader som inte läses in:"));
    left->addWidget(List1, 1);
    left->addWidget(captionFor(List3,
                               "Önskemål som inte är någon grupp; &markera de rättelser "
                               "som ska göras:"));
    left->addWidget(List3, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(existing);
    existing->setBuddy(List2);
    right->addWidget(List2, 1);
    right->addWidget(Check1);
    auto* lists = new QHBoxLayout;
    lists->addLayout(left, 3);
    lists->addLayout(right, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(summary);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    setTabChain({Combo1, Combo2, Combo3, Combo4, List1, List3, List2, Check1, Command1, Command2});
    resize(900, 600);

    auto picked = [=](App& a) {
        readPick(Combo1, a.form9.Combo1);
        readPick(Combo2, a.form9.Combo2);
        readPick(Combo3, a.form9.Combo3);
        readPick(Combo4, a.form9.Combo4);
        form9::Combo_Click(a);
    };
    for (QComboBox* combo : {Combo1, Combo2, Combo3, Combo4})
        on(combo, &QComboBox::currentIndexChanged, picked);
    on(Command1, &QPushButton::clicked, form9::Command1_Click);
    on(Command2, &QPushButton::clicked, form9::Command2_Click);
}

std::string WishImportPreview::caption() const {
    return kWishImportTitle;
}

}  // namespace pelora::ui
