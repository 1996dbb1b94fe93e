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

}  // namespace

std::string describe(const ScriptedDesktop::Message& m) {
    static const char* buttons[] = {"Ok", "OkCancel", "YesNo", "YesNoCancel"};
    static const char* icons[] = {"None", "Critical", "Question", "Exclamation", "Information"};
    return quoted(m.text) + " [" + buttons[static_cast<int>(m.buttons)] + ", " +
           icons[static_cast<int>(m.icon)] + ", title " + quoted(m.title) + "]";
}

ScriptedDesktop& ScriptedDesktop::expect(Step step) {
    script_.push_back(std::move(step));
    return *this;
}

ScriptedDesktop& ScriptedDesktop::expectMsgBox(const std::string& text, Buttons buttons, Icon icon,
                                               const std::string& title, Answer answer) {
    return expect({"message box", describe(Message{text, buttons, icon, title}), answer});
}

ScriptedDesktop& ScriptedDesktop::expectInputBox(const std::string& prompt,
                                                 const std::string& title,
                                                 const std::string& defaultText,
                                                 const std::string& answer) {
    return expect({"input box", describeInput(prompt, title, defaultText), Answer::Ok, answer});
}

ScriptedDesktop& ScriptedDesktop::expectOpenFile(std::optional<std::filesystem::path> answer,
                                                 std::optional<FileDialogRequest> expected) {
    return expect({"open dialog", expected ? describe(*expected) : "", Answer::Ok, "", answer});
}

ScriptedDesktop& ScriptedDesktop::expectSaveFile(std::optional<std::filesystem::path> answer,
                                                 std::optional<FileDialogRequest> expected) {
    return expect({"save dialog", expected ? describe(*expected) : "", Answer::Ok, "", answer});
}

ScriptedDesktop& ScriptedDesktop::expectFolderDialog(std::optional<std::filesystem::path> answer) {
    return expect({"folder dialog", "", Answer::Ok, "", answer});
}

std::optional<std::filesystem::path> ScriptedDesktop::FolderDialog(
    const std::filesystem::path& start) {
    std::optional<Step> step = ask("folder dialog", quoted(displayPath(start)));
    return step ? step->path : std::nullopt;
}

ScriptedDesktop& ScriptedDesktop::expectPrinterSetup() {
    return expect({"printer set-up"});
}

ScriptedDesktop& ScriptedDesktop::expectDialog(Dialog dialog, std::function<void()> user) {
    const std::string which = std::to_string(static_cast<int>(dialog));
    return expect({"dialog", which, Answer::Ok, "", std::nullopt, std::move(user)});
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
    if (!step.question.empty() && step.question != question) {
        fail_(kind + " differs\n  expected: " + step.question + "\n  shown:    " + question);
    }
    return step;
}

Desktop::Answer ScriptedDesktop::MsgBox(const std::string& text, Buttons buttons, Icon icon,
                                        const std::string& title) {
    messages.push_back({text, buttons, icon, title});
    std::optional<Step> step = ask("message box", describe(messages.back()));
    if (!step) return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    return step->answer;
}

std::string ScriptedDesktop::InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) {
    std::optional<Step> step = ask("input box", describeInput(prompt, title, defaultText));
    return step ? step->text : std::string();
}

std::optional<std::filesystem::path> ScriptedDesktop::OpenFileDialog(
    const FileDialogRequest& request) {
    fileDialogs.push_back(request);
    std::optional<Step> step = ask("open dialog", describe(request));
    return step ? step->path : std::nullopt;
}

std::optional<std::filesystem::path> ScriptedDesktop::SaveFileDialog(
    const FileDialogRequest& request) {
    fileDialogs.push_back(request);
    std::optional<Step> step = ask("save dialog", describe(request));
    return step ? step->path : std::nullopt;
}

void ScriptedDesktop::ShowDialog(Dialog dialog) {
    std::optional<Step> step = ask("dialog", std::to_string(static_cast<int>(dialog)));
    if (step && step->user) step->user();
}

}  // namespace pelora::test
