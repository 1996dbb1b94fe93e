#include "scripted_desktop.h"

#include "base/codec.h"
#include "base/files.h"

namespace pelora::test {

namespace {

std::string quoted(const std::string& cp1252) {
    return "\"" + cp1252ToUtf8(cp1252) + "\"";
}

std::string describe(const FileDialogRequest& r) {
    return "filter " + quoted(r.filter) + ", extension " + quoted(r.defaultExtension) + ", name " +
           quoted(displayPath(r.initialName));
}

std::string describeInput(const std::string& prompt, const std::string& title,
                          const std::string& defaultText) {
    return quoted(prompt) + " title " + quoted(title) + " default " + quoted(defaultText);
}

std::string describeMessage(const std::string& text, Desktop::Buttons buttons, Desktop::Icon icon,
                            const std::string& title,
                            std::optional<Desktop::Answer> defaultAnswer) {
    static const char* names[] = {"Ok", "OkCancel", "YesNo", "YesNoCancel"};
    static const char* icons[] = {"None", "Critical", "Question", "Exclamation", "Information"};
    static const char* answers[] = {"Ok", "Cancel", "Yes", "No"};
    return quoted(text) + " [" + names[static_cast<int>(buttons)] + ", " +
           icons[static_cast<int>(icon)] + ", title " + quoted(title) +
           (defaultAnswer ? std::string(", default ") + answers[static_cast<int>(*defaultAnswer)]
                          : std::string()) +
           "]";
}

}  // namespace

// A file dialog's answer, nothing when the dialog was not expected.
std::optional<ScriptedDesktop::Path> ScriptedDesktop::pathOf(const std::optional<Step>& step) {
    return step ? step->path : std::nullopt;
}

ScriptedDesktop& ScriptedDesktop::expectMsgBox(const std::string& text, Buttons buttons, Icon icon,
                                               const std::string& title, Answer answer,
                                               std::optional<Answer> defaultAnswer,
                                               std::function<void()> user) {
    return expect({"message box", describeMessage(text, buttons, icon, title, defaultAnswer),
                   answer, "", std::nullopt, std::move(user)});
}

ScriptedDesktop& ScriptedDesktop::expectInputBox(const std::string& prompt,
                                                 const std::string& title,
                                                 const std::string& defaultText,
                                                 const std::string& answer) {
    return expect({"input box", describeInput(prompt, title, defaultText), Answer::Ok, answer});
}

ScriptedDesktop& ScriptedDesktop::expectOpenFile(std::optional<Path> answer,
                                                 std::optional<FileDialogRequest> expected) {
    return expect({"open dialog", expected ? describe(*expected) : "", Answer::Ok, "", answer});
}

ScriptedDesktop& ScriptedDesktop::expectSaveFile(std::optional<Path> answer,
                                                 std::optional<FileDialogRequest> expected) {
    return expect({"save dialog", expected ? describe(*expected) : "", Answer::Ok, "", answer});
}

void ScriptedDesktop::verify() {
    for (const Step& step : script_)
        fail_("expected but never shown: " + step.kind + " " + step.question);
    script_.clear();
}

std::optional<ScriptedDesktop::Step> ScriptedDesktop::ask(const std::string& kind,
                                                          const std::string& question) {
    if (script_.empty()) {
        fail_("unexpected " + kind + ": " + question);
        return std::nullopt;
    }
    Step step = script_.front();
    script_.pop_front();
    if (step.kind != kind) {
        fail_("expected a " + step.kind + " but got a " + kind + ": " + question);
        return std::nullopt;
    }
    if (!step.question.empty() && step.question != question)
        fail_(kind + " differs\n  expected: " + step.question + "\n  shown:    " + question);
    return step;
}

Desktop::Answer ScriptedDesktop::MsgBox(const std::string& text, Buttons buttons, Icon icon,
                                        const std::string& title,
                                        std::optional<Answer> defaultAnswer) {
    std::optional<Step> step =
        ask("message box", describeMessage(text, buttons, icon, title, defaultAnswer));
    if (step && step->user) step->user();
    return step ? step->answer : buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

std::string ScriptedDesktop::InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) {
    std::optional<Step> step = ask("input box", describeInput(prompt, title, defaultText));
    return step ? step->text : std::string();
}

std::optional<ScriptedDesktop::Path> ScriptedDesktop::OpenFileDialog(const FileDialogRequest& r) {
    return pathOf(ask("open dialog", describe(r)));
}

std::optional<ScriptedDesktop::Path> ScriptedDesktop::SaveFileDialog(const FileDialogRequest& r) {
    return pathOf(ask("save dialog", describe(r)));
}

std::optional<ScriptedDesktop::Path> ScriptedDesktop::FolderDialog(const Path& start) {
    return pathOf(ask("folder dialog", quoted(displayPath(start))));
}

void ScriptedDesktop::ShowDialog(Dialog dialog) {
    std::optional<Step> step = ask("dialog", std::to_string(static_cast<int>(dialog)));
    if (step && step->user) step->user();
}

}  // namespace pelora::test
