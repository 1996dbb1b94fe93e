#include "ui/form7.h"

#include <QVBoxLayout>

#include "commands/help.h"
#include "ui/richtextview.h"

namespace pelora::ui {

Form7::Form7(App& app, Runner run, QWidget* parent)
    : DialogView(app, std::move(run), Dialog::HelpPopup, app.form7.visible, form7::Form_Unload,
                 "Form7", parent) {
    auto* RTF = bind(new RichTextView, "RTF", app.form7.RTF);
    describe(RTF, QStringLiteral("Om programmet"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RTF);
    resize(720, 560);
}

}  // namespace pelora::ui
