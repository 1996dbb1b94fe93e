// The desktop the core asks through, answered with Qt dialogs: message boxes with Swedish
// buttons, the input box, file dialogs, the printer and the date.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "base/desktop.h"

class QFileDialog;
class QInputDialog;
class QMessageBox;

namespace pelora::ui {

class QtPrinter;

class QtDesktop : public Desktop {
public:
    QtDesktop();
    ~QtDesktop() override;

    // Dialogs open over this window.
    void setParentWindow(QWidget* window) { m_parent = window; }
    // Who shows the program's own dialogs (the main window).
    void setDialogHandler(std::function<void(Dialog)> handler) { m_dialogs = std::move(handler); }

    Answer MsgBox(const std::string& text, Buttons buttons, Icon icon, const std::string& title,
                  std::optional<Answer> defaultAnswer = std::nullopt) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::optional<std::filesystem::path> OpenFileDialog(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> SaveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> FolderDialog(const std::filesystem::path& start) override;
    void ShowDialog(Dialog dialog) override;
    void PrinterSetup() override;
    Printer& printer() override;
    Date today() override;

    // The message box MsgBox shows, built but not shown: buttons "OK", "Ja", "Nej", "Avbryt",
    // the first one default unless `defaultAnswer` names another; Esc and the close box mean
    // Cancel, or No where there is no Cancel.
    static std::unique_ptr<QMessageBox> buildMessageBox(
        const std::string& text, Buttons buttons, Icon icon, const std::string& title,
        QWidget* parent, std::optional<Answer> defaultAnswer = std::nullopt);
    // The input box InputBox shows, built but not shown: "OK" and "Avbryt".
    static std::unique_ptr<QInputDialog> buildInputBox(const std::string& prompt,
                                                       const std::string& title,
                                                       const std::string& defaultText,
                                                       QWidget* parent);
    // The open or save dialog, built but not shown: Swedish throughout, in the detail view with
    // columns wide enough for what they show.
    static std::unique_ptr<QFileDialog> buildFileDialog(bool save, const FileDialogRequest& request,
                                                        QWidget* parent);
    // The answer a button of such a box stands for.
    static Answer answerOf(QMessageBox& box);

private:
    QPointer<QWidget> m_parent;
    std::function<void(Dialog)> m_dialogs;
    std::unique_ptr<QtPrinter> m_printer;
};

// "*.pel|*.pel" (descriptions and patterns in pairs) as a Qt name filter.
QString qtFilter(const std::string& filter);

// The chosen name with the default extension added when it has none.
QString withDefaultExtension(const QString& path, const std::string& extension);

}  // namespace pelora::ui
