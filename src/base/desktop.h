// What only the platform has: message boxes, the input box, file dialogs, the printer and
// today's date. The core asks every question through this interface; the Qt shell answers
// with real dialogs and the tests with scripted answers.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace pelora {

class Printer;

struct Date {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
};

struct FileDialogRequest {
    std::string filter;            // as "*.pel|*.pel": description, "|", pattern; empty for none
    std::string defaultExtension;  // "pel": added to a typed name without extension
    std::filesystem::path initialName;  // the file the dialog starts with
};

// The program's own dialogs. A modal one (the start data, the group editor, the help popup) is
// shown by ShowDialog until one of its handlers hides it, so the command that showed it goes on
// with what the user entered. A modeless one (the print dialog, the help window) is shown by
// ShowDialog, which returns at once: the command that shows it ends there, and what the user
// does in the window later reaches the core through the window's own handlers, each of them a
// command of its own.
enum class Dialog {
    StartData,
    GroupEditor,
    HelpPopup,
    PrintDialog,
    HelpWindow,
    Proposal,
    WishImport,
};

constexpr bool isModal(Dialog dialog) {
    return dialog != Dialog::PrintDialog && dialog != Dialog::HelpWindow;
}

class Desktop {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { None, Critical, Question, Exclamation, Information };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Desktop() = default;

    // `defaultAnswer` is the button Enter presses; without one, the first.
    virtual Answer MsgBox(const std::string& text, Buttons buttons, Icon icon,
                          const std::string& title,
                          std::optional<Answer> defaultAnswer = std::nullopt) = 0;
    // The typed text; empty when the user cancels.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    // The chosen path as the system names it, or nothing when the user cancels.
    virtual std::optional<std::filesystem::path> OpenFileDialog(
        const FileDialogRequest& request) = 0;
    virtual std::optional<std::filesystem::path> SaveFileDialog(
        const FileDialogRequest& request) = 0;
    // A folder chosen in the folder dialog, which starts in `start`; nothing when cancelled.
    virtual std::optional<std::filesystem::path> FolderDialog(
        const std::filesystem::path& start) = 0;
    // Shows one of the program's dialogs: a modal one until it is hidden again, a modeless one
    // returning at once.
    virtual void ShowDialog(Dialog dialog) = 0;
    // The printer set-up dialog; later print runs go to the printer chosen there.
    virtual void PrinterSetup() = 0;
    virtual Printer& printer() = 0;
    virtual Date today() = 0;
};

// Thrown where the program must end at once, without the save question.
struct ProgramEnd {};

// Runs a command; an unexpected error becomes a message box with the error's description under
// the command's title (exclamation icon, OK). ProgramEnd passes through.
void runGuarded(Desktop& desktop, const std::string& title, const std::function<void()>& command);

}  // namespace pelora
