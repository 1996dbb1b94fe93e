// What only the platform has: message boxes, the input box, file dialogs, the printer and
// today's date. The core asks every question through this interface; the Qt shell answers
// with real dialogs and the tests with scripted answers.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace pelora {

class Printer;

struct Date {
    int year = 2000;
    int month = 1;
    int day = 1;
};

struct FileDialogRequest {
    std::string filter;            // as "*.pel|*.pel": description, "|", pattern; empty for none
    std::string defaultExtension;  // "pel": added to a typed name without extension
    std::string initialName;       // the file name the dialog starts with
};

// The program's own modal dialogs, which a command shows in its middle and reads afterwards.
enum class Dialog { StartData, GroupEditor, HelpPopup };

class Desktop {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { None, Critical, Question, Exclamation, Information };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Desktop() = default;

    virtual Answer MsgBox(const std::string& text, Buttons buttons, Icon icon,
                          const std::string& title) = 0;
    // The typed text; empty when the user cancels.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) = 0;
    // Shows one of the program's modal dialogs and returns when it is hidden again; what the
    // user does in it reaches the core through the dialog's own handlers.
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
