// Form3, the start data dialog: a thin modal view of App::form3. Created on first use and
// afterwards only hidden, so its ticks live on; it closes itself when a handler has hidden it.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "commands/app.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace pelora::ui {

class Form3 : public QDialog {
    Q_OBJECT

public:
    // Runs a core operation under the guard titled for it (the main window's run).
    using Runner = std::function<void(const std::string&, const std::function<void()>&)>;

    Form3(App& app, Runner run, QWidget* parent = nullptr);

    // Shows the dialog modally until a handler hides it.
    void showModal();

    // Copies the dialog's state into the widgets.
    void render();

public slots:
    // Esc and the close box: "Avbryt".
    void reject() override;

private:
    void readInput();
    void handle(const std::function<void(App&)>& handler);
    void closeWhenHidden();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Text6_Change();

    App& m_app;
    Runner m_run;

    QLineEdit* Text1 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text6 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
};

}  // namespace pelora::ui
