// A desktop for tests: every question the program asks must be expected, in order, and is
// answered from the script. An unexpected question, a question that differs from the expected
// one, and an expected question that was never asked are reported through the fail handler
// (the test framework's failure). All texts are Windows-1252, as the core holds them; write
// them with the _cp suffix.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/desktop.h"
#include "recording_printer.h"

namespace pelora::test {

class ScriptedDesktop : public Desktop {
public:
    using FailHandler = std::function<void(const std::string& utf8Description)>;

    explicit ScriptedDesktop(FailHandler fail) : fail_(std::move(fail)) {}
    ~ScriptedDesktop() override { verify(); }

    struct Message {
        std::string text;
        Buttons buttons;
        Icon icon;
        std::string title;
    };

    ScriptedDesktop& expectMsgBox(const std::string& text, Buttons buttons, Icon icon,
                                  const std::string& title, Answer answer);
    ScriptedDesktop& expectInputBox(const std::string& prompt, const std::string& title,
                                    const std::string& defaultText, const std::string& answer);
    // A dialog that returns `answer` (nothing for Cancel); `expected` checks the request.
    ScriptedDesktop& expectOpenFile(std::optional<std::filesystem::path> answer,
                                    std::optional<FileDialogRequest> expected = std::nullopt);
    ScriptedDesktop& expectSaveFile(std::optional<std::filesystem::path> answer,
                                    std::optional<FileDialogRequest> expected = std::nullopt);
    ScriptedDesktop& expectPrinterSetup();
    ScriptedDesktop& expectFolderDialog(std::optional<std::filesystem::path> answer);
    // The dialog is shown; `user` does what the user does in it (fill fields, press "OK").
    ScriptedDesktop& expectDialog(Dialog dialog, std::function<void()> user);

    // Reports every expectation left over and forgets them.
    void verify();
    bool done() const { return script_.empty(); }

    Answer MsgBox(const std::string& text, Buttons buttons, Icon icon,
                  const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::optional<std::filesystem::path> OpenFileDialog(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> SaveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> FolderDialog(const std::filesystem::path& start) override;
    void ShowDialog(Dialog dialog) override;
    void PrinterSetup() override { ask("printer set-up", ""); }
    Printer& printer() override { return recordingPrinter; }
    Date today() override { return date; }

    std::vector<Message> messages;               // every message box shown, in order
    std::vector<FileDialogRequest> fileDialogs;  // every file dialog shown, in order
    RecordingPrinter recordingPrinter;
    Date date{2026, 12, 6};

private:
    struct Step {
        std::string kind;
        std::string question;  // how the expected question reads; empty: any of its kind
        Answer answer = Answer::Cancel;
        std::string text;                           // an input box's answer
        std::optional<std::filesystem::path> path;  // a file dialog's answer
        std::function<void()> user;                 // what the user does in a dialog
    };

    ScriptedDesktop& expect(Step step);
    // The expected step for a question as it was asked, or nothing when it was not expected.
    std::optional<Step> ask(const std::string& kind, const std::string& question);

    FailHandler fail_;
    std::deque<Step> script_;
};

// A readable description of a message box, in UTF-8.
std::string describe(const ScriptedDesktop::Message& message);

}  // namespace pelora::test
