// The shape every dialog of the program takes. Its controls are named once and each is bound once
// to its field of the dialog's screen state, so that showing the state and reading what the user
// typed come from one list. Each handler reads the input, runs its core operation under the guard
// and renders. Esc and the close box run the dialog's cancel handler; the window closes when the
// core hides the dialog (its state's `visible`). A modal dialog is shown until a handler hides it;
// a modeless one is shown, and the command that showed it goes on.
#pragma once

#include <QDialog>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "commands/app.h"
#include "ui/widgetsync.h"

namespace pelora::ui {

// Names the widget (or action) as the control it shows, for the tests and the keyboard.
template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The controls of a window, each named once and bound once to its field of the screen state,
// so that showing the state and reading what the user typed come from one list.
class Bindings {
public:
    // Names the widget and binds it to its field; returns the widget.
    template <typename Widget, typename State>
    Widget* bind(Widget* widget, const char* name, State& state) {
        named(widget, name);
        Field field;
        field.render = [widget, &state] { ui::render(widget, state); };
        if constexpr (requires { ui::readInput(widget, state); })
            field.read = [widget, &state] { ui::readInput(widget, state); };
        m_fields.push_back(std::move(field));
        return widget;
    }

    // Copies every bound field into its widget, in the order they were bound.
    void render() const;

    // Copies what the user typed and ticked in every bound widget into its field.
    void readInput() const;

private:
    struct Field {
        std::function<void()> render;
        std::function<void()> read;  // empty for a control the user cannot change
    };
    std::vector<Field> m_fields;
};

// Tab goes from each widget to the next in the order given.
void setTabChain(std::initializer_list<QWidget*> order);

class DialogView : public QDialog {
    Q_OBJECT

public:
    // Runs a core operation under the guard titled for it (the main window's run).
    using Runner = std::function<void(const std::string&, const std::function<void()>&)>;
    // A core handler of the dialog, as form3::Command1_Click, or one that passes on what the
    // event carries, as the row of a click.
    using Handler = std::function<void(App&)>;

    // `visible` is the dialog's state flag the core sets and clears; `cancel` is what Esc and
    // the close box stand for.
    DialogView(App& app, Runner run, Dialog kind, bool& visible, Handler cancel, const char* name,
               QWidget* parent);

    // Shows the dialog as the core asked: a modal one until a handler hides it, a modeless one
    // returning at once. Nothing shows while the state is hidden.
    void present();

    // Copies the dialog's state into the widgets; closes the window when the state is hidden.
    void render();

    // Copies what the user has typed and ticked into the dialog's state. A modeless dialog is
    // read before any command of the main window runs, since that command ends by rendering it.
    void readInput();

public slots:
    // Esc and the close box: the cancel handler.
    void reject() override;

protected:
    // The window's caption and the title its handlers' errors are shown under.
    virtual std::string caption() const = 0;

    // Names the widget as the control it shows and binds it to its field of the screen state.
    template <typename Widget, typename State>
    Widget* bind(Widget* widget, const char* name, State& state) {
        return m_fields.bind(widget, name, state);
    }

    // The handler runs on each emission of the signal.
    template <typename Sender, typename Signal>
    void on(Sender* sender, Signal signal, Handler handler) {
        connect(sender, signal, this, [this, handler] { handle(handler); });
    }

    // Where the focus goes when the core asks for `request`.
    void focusOn(Focus request, QWidget* widget) { m_focusTargets.emplace_back(request, widget); }

    // Reads the input, runs the handler under the guard and renders.
    void handle(Handler handler);

    App& m_app;

private:
    Runner m_run;
    Dialog m_kind;
    bool& m_visible;
    Handler m_cancel;
    Bindings m_fields;
    std::vector<std::pair<Focus, QWidget*>> m_focusTargets;
};

}  // namespace pelora::ui
