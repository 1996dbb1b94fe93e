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

#include "base/desktop.h"
#include "recording_printer.h"

namespace pelora::test {

class ScriptedDesktop : public Desktop {
public:
    using FailHandler = std::function<void(const std::string& utf8Description)>;
    using Path = std::filesystem::path;

    explicit ScriptedDesktop(FailHandler fail) : fail_(std::move(fail)) {}
    ~ScriptedDesktop() override { verify(); }

    // With `defaultAnswer`, the message box must name that button its default. `user`, when
    // given, runs as the box is answered: it can change what the program sees, or throw as a
    // failing window system would.
    ScriptedDesktop& expectMsgBox(const std::string& text, Buttons buttons, Icon icon,
                                  const std::string& title, Answer answer,
                                  std::optional<Answer> defaultAnswer = std::nullopt,
                                  std::function<void()> user = {});
    ScriptedDesktop& expectMsgBox(const std::string& text, Buttons buttons, Icon icon,
                                  const std::string& title, Answer answer,
                                  std::function<void()> user) {
        return expectMsgBox(text, buttons, icon, title, answer, std::nullopt, std::move(user));
    }
    ScriptedDesktop& expectInputBox(const std::string& prompt, const std::string& title,
                                    const std::string& defaultText, const std::string& answer);
    // A dialog that returns `answer` (nothing for Cancel); `expected` checks the request.
    ScriptedDesktop& expectOpenFile(std::optional<Path> answer,
                                    std::optional<FileDialogRequest> expected = std::nullopt);
    ScriptedDesktop& expectSaveFile(std::optional<Path> answer,
                                    std::optional<FileDialogRequest> expected = std::nullopt);
    ScriptedDesktop& expectPrinterSetup() { return expect({"printer set-up"}); }
    ScriptedDesktop& expectFolderDialog(std::optional<Path> answer) {
        return expect({"folder dialog", "", Answer::Ok, "", answer});
    }
    // The dialog is shown; `user` does what the user does in it (fill fields, press "OK").
    ScriptedDesktop& expectDialog(Dialog dialog, std::function<void()> user) {
        return expect({"dialog", std::to_string(static_cast<int>(dialog)), Answer::Ok, "",
                       std::nullopt, std::move(user)});
    }

    // Reports every expectation left over and forgets them.
    void verify();
    bool done() const { return script_.empty(); }

    Answer MsgBox(const std::string& text, Buttons buttons, Icon icon, const std::string& title,
                  std::optional<Answer> defaultAnswer = std::nullopt) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::optional<Path> OpenFileDialog(const FileDialogRequest& request) override;
    std::optional<Path> SaveFileDialog(const FileDialogRequest& request) override;
    std::optional<Path> FolderDialog(const Path& start) override;
    void ShowDialog(Dialog dialog) override;
    void PrinterSetup() override { ask("printer set-up", ""); }
    Printer& printer() override { return recordingPrinter; }
    Date today() override { return {2026, 12, 6, 10, 15}; }

    RecordingPrinter recordingPrinter;

private:
    struct Step {
        std::string kind;
        std::string question;  // how the expected question reads; empty: any of its kind
        Answer answer = Answer::Cancel;
        std::string text;            // an input box's answer
        std::optional<Path> path;    // a file dialog's answer
        std::function<void()> user;  // what the user does in a dialog or at a message box
    };

    ScriptedDesktop& expect(Step step) {
        script_.push_back(std::move(step));
        return *this;
    }
    // The expected step for a question as it was asked, or nothing when it was not expected.
    std::optional<Step> ask(const std::string& kind, const std::string& question);
    static std::optional<Path> pathOf(const std::optional<Step>& step);

    FailHandler fail_;
    std::deque<Step> script_;
};

}  // namespace pelora::test
