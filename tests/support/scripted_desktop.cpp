#include "scripted_desktop.h"

#include "work/codec.h"

namespace pelora::test {

namespace {

const char* kindName(int kind) {
    static const char* names[] = {"message box", "input box",      "open dialog",
                                  "save dialog", "printer set-up", "dialog"};
    return names[kind];
}

const char* buttonsName(Desktop::Buttons b) {
    switch (b) {
        case Desktop::Buttons::Ok: return "Ok";
        case Desktop::Buttons::OkCancel: return "OkCancel";
        case Desktop::Buttons::YesNo: return "YesNo";
        case Desktop::Buttons::YesNoCancel: return "YesNoCancel";
    }
    return "?";
}

const char* iconName(Desktop::Icon i) {
    switch (i) {
        case Desktop::Icon::None: return "None";
        case Desktop::Icon::Critical: return "Critical";
        case Desktop::Icon::Question: return "Question";
        case Desktop::Icon::Exclamation: return "Exclamation";
        case Desktop::Icon::Information: return "Information";
    }
    return "?";
}

std::string quoted(const std::string& cp1252) { return "\"" + cp1252ToUtf8(cp1252) + "\""; }

std::string describe(const FileDialogRequest& r) {
    return "filter " + quoted(r.filter) + ", extension " + quoted(r.defaultExtension) +
           ", name " + quoted(r.initialName);
}

}  // namespace

std::string describe(const ScriptedDesktop::Message& m) {
    return quoted(m.text) + " [" + buttonsName(m.buttons) + ", " + iconName(m.icon) + ", title " +
           quoted(m.title) + "]";
}

ScriptedDesktop::ScriptedDesktop(FailHandler fail) : fail_(std::move(fail)) {}

ScriptedDesktop::~ScriptedDesktop() { verify(); }

ScriptedDesktop& ScriptedDesktop::expectMsgBox(const std::string& text, Buttons buttons, Icon icon,
                                               const std::string& title, Answer answer) {
    Step step{Kind::MsgBox, {text, buttons, icon, title}};
    step.answer = answer;
    script_.push_back(std::move(step));
    return *this;
}

ScriptedDesktop& ScriptedDesktop::expectInputBox(const std::string& prompt,
                                                 const std::string& title,
                                                 const std::string& defaultText,
                                                 const std::string& answer) {
    Step step{Kind::InputBox, {}};
    step.prompt = prompt;
    step.title = title;
    step.defaultText = defaultText;
    step.textAnswer = answer;
    script_.push_back(std::move(step));
    return *this;
}

ScriptedDesktop& ScriptedDesktop::expectOpenFile(std::optional<std::string> answer,
                                                 std::optional<FileDialogRequest> expected) {
    Step step{Kind::OpenFile, {}};
    step.path = std::move(answer);
    step.request = std::move(expected);
    script_.push_back(std::move(step));
    return *this;
}

ScriptedDesktop& ScriptedDesktop::expectSaveFile(std::optional<std::string> answer,
                                                 std::optional<FileDialogRequest> expected) {
    Step step{Kind::SaveFile, {}};
    step.path = std::move(answer);
    step.request = std::move(expected);
    script_.push_back(std::move(step));
    return *this;
}

ScriptedDesktop& ScriptedDesktop::expectPrinterSetup() {
    script_.push_back(Step{Kind::PrinterSetup, {}});
    return *this;
}

ScriptedDesktop& ScriptedDesktop::expectDialog(Dialog dialog, std::function<void()> user) {
    Step step{Kind::Dialog, {}};
    step.dialog = dialog;
    step.user = std::move(user);
    script_.push_back(std::move(step));
    return *this;
}

void ScriptedDesktop::verify() {
    for (const Step& step : script_) {
        std::string what = kindName(static_cast<int>(step.kind));
        if (step.kind == Kind::MsgBox) what += " " + describe(step.message);
        if (step.kind == Kind::InputBox) what += " " + quoted(step.prompt);
        fail_("expected but never shown: " + what);
    }
    script_.clear();
}

std::optional<ScriptedDesktop::Step> ScriptedDesktop::next(Kind kind, const std::string& what) {
    if (script_.empty()) {
        fail_(std::string("unexpected ") + kindName(static_cast<int>(kind)) + ": " + what);
        return std::nullopt;
    }
    Step step = script_.front();
    script_.pop_front();
    if (step.kind != kind) {
        fail_(std::string("expected a ") + kindName(static_cast<int>(step.kind)) + " but got a " +
              kindName(static_cast<int>(kind)) + ": " + what);
        return std::nullopt;
    }
    return step;
}

Desktop::Answer ScriptedDesktop::MsgBox(const std::string& text, Buttons buttons, Icon icon,
                                        const std::string& title) {
    Message shown{text, buttons, icon, title};
    messages.push_back(shown);
    std::optional<Step> step = next(Kind::MsgBox, describe(shown));
    if (!step) return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    const Message& expected = step->message;
    if (expected.text != text || expected.buttons != buttons || expected.icon != icon ||
        expected.title != title) {
        fail_("message box differs\n  expected: " + describe(expected) +
              "\n  shown:    " + describe(shown));
    }
    return step->answer;
}

std::string ScriptedDesktop::InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) {
    std::optional<Step> step =
        next(Kind::InputBox, quoted(prompt) + " title " + quoted(title) + " default " +
                                 quoted(defaultText));
    if (!step) return std::string();
    if (step->prompt != prompt || step->title != title || step->defaultText != defaultText) {
        fail_("input box differs\n  expected: " + quoted(step->prompt) + " title " +
              quoted(step->title) + " default " + quoted(step->defaultText) +
              "\n  shown:    " + quoted(prompt) + " title " + quoted(title) + " default " +
              quoted(defaultText));
    }
    return step->textAnswer;
}

std::optional<std::string> ScriptedDesktop::fileDialog(Kind kind,
                                                       const FileDialogRequest& request) {
    fileDialogs.push_back(request);
    std::optional<Step> step = next(kind, describe(request));
    if (!step) return std::nullopt;
    if (step->request) {
        const FileDialogRequest& e = *step->request;
        if (e.filter != request.filter || e.defaultExtension != request.defaultExtension ||
            e.initialName != request.initialName) {
            fail_("file dialog differs\n  expected: " + describe(e) +
                  "\n  shown:    " + describe(request));
        }
    }
    return step->path;
}

std::optional<std::string> ScriptedDesktop::OpenFileDialog(const FileDialogRequest& request) {
    return fileDialog(Kind::OpenFile, request);
}

std::optional<std::string> ScriptedDesktop::SaveFileDialog(const FileDialogRequest& request) {
    return fileDialog(Kind::SaveFile, request);
}

void ScriptedDesktop::PrinterSetup() { next(Kind::PrinterSetup, "printer set-up"); }

void ScriptedDesktop::ShowDialog(Dialog dialog) {
    const std::string what = "dialog " + std::to_string(static_cast<int>(dialog));
    std::optional<Step> step = next(Kind::Dialog, what);
    if (!step) return;
    if (step->dialog != dialog) {
        fail_("expected dialog " + std::to_string(static_cast<int>(step->dialog)) + " but " + what +
              " was shown");
        return;
    }
    if (step->user) step->user();
}

}  // namespace pelora::test
