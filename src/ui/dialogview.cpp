#include "ui/dialogview.h"

#include "ui/textconv.h"

namespace pelora::ui {

void Bindings::render() const {
    for (const Field& field : m_fields)
        field.render();
}

void Bindings::readInput() const {
    for (const Field& field : m_fields)
        if (field.read) field.read();
}

void setTabChain(std::initializer_list<QWidget*> order) {
    const auto* widgets = order.begin();
    for (std::size_t k = 0; k + 1 < order.size(); ++k)
        QWidget::setTabOrder(widgets[k], widgets[k + 1]);
}

DialogView::DialogView(App& app, Runner run, Dialog kind, bool& visible, Handler cancel,
                       const char* name, QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_run(std::move(run)),
      m_kind(kind),
      m_visible(visible),
      m_cancel(cancel) {
    setObjectName(QString::fromLatin1(name));
    setModal(pelora::isModal(kind));
}

void DialogView::present() {
    render();
    if (!m_visible) return;
    if (pelora::isModal(m_kind) && !isVisible()) {
        exec();
    } else {
        show();
        raise();
        activateWindow();
    }
}

void DialogView::render() {
    const QString title = toQt(caption());
    if (windowTitle() != title) setWindowTitle(title);
    m_fields.render();
    for (const auto& [request, widget] : m_focusTargets) {
        if (m_app.screen.focusRequest == request) {
            widget->setFocus();
            m_app.screen.focusRequest = Focus::None;
        }
    }
    if (!m_visible && isVisible()) QDialog::done(QDialog::Accepted);
}

void DialogView::readInput() {
    m_fields.readInput();
}

void DialogView::handle(Handler handler) {
    readInput();
    m_run(caption(), [this, handler] { handler(m_app); });
    render();
}

void DialogView::reject() {
    // A close box whose handler keeps the dialog shown is refused: QDialog ignores a close that
    // leaves the window visible.
    if (isVisible()) handle(m_cancel);
}

}  // namespace pelora::ui
