// ui_tests: Qt Test classes register themselves here and run one after the other, offscreen.
// Most tests drive a shown main window over a small work.
#pragma once

#include <QTest>
#include <QtWidgets>
#include <functional>
#include <memory>
#include <vector>

#include "base/codec.h"
#include "display/board.h"
#include "display/currentpupil.h"
#include "scripted_desktop.h"
#include "ui/form1.h"
#include "ui/groupboard.h"

namespace pelora::test {

using Answer = Desktop::Answer;
using Buttons = Desktop::Buttons;

using TestFactory = std::function<std::unique_ptr<QObject>()>;
inline std::vector<TestFactory>& uiTestRegistry() {
    static std::vector<TestFactory> registry;
    return registry;
}

// A scripted desktop whose failures fail the running Qt test.
inline ScriptedDesktop::FailHandler qtFailure() {
    return [](const std::string& what) { QTest::qFail(what.c_str(), __FILE__, __LINE__); };
}

// Types the text one key at a time, as a keyboard does; Enter for "\n".
inline void typeKeys(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        const auto key = c == u'\n' ? Qt::Key_Return : Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, widget, key, c == u'\n' ? QString() : QString(c), {});
    }
}

// The main window, shown and active, over the groups DANS and FOTBOLL and `pupils` pupils
// "ELEV n" (two in 7A, the rest in 7B; pupil 2 wishes FOTBOLL), the first one shown.
struct Window {
    ScriptedDesktop desktop{qtFailure()};  // checked for questions never asked when it goes
    App app{desktop};
    std::unique_ptr<ui::Form1> form;
    int ends = 0;  // how often the program was ended

    explicit Window(int pupils = 3) {
        Work& work = app.work;
        work.groupCount = 2;
        work.groupTable[1] = {"DANS", "Eva", "25", "Sal 3", "1", 152.5, 300};
        work.groupTable[2] = {"FOTBOLL", "", "", "", "1", 3000, 2400};
        for (int i = 1; i <= pupils; ++i)
            work.studentTable[i] = {"ELEV " + std::to_string(i), "", i <= 2 ? "7A" : "7B"};
        work.studentTable[2].wishes = "FOTBOLL";
        work.studentCount = pupils;
        app.run.currentStudent = 1;
        RefreshBoard(app);
        ShowCurrentStudent(app);
        form = std::make_unique<ui::Form1>(app);
        form->setProgramEnd([this] { ++ends; });
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get())) qWarning("the main window is not active");
    }

    template <typename T>
    T* find(const QString& name) const {
        return form->findChild<T*>(name);
    }
    ui::GroupBoard* board() const { return find<ui::GroupBoard>("Picture1"); }

    // The next command shows `dialog` as the program does; `user` runs once the event loop is
    // back, that is inside a modal dialog's own loop.
    ScriptedDesktop& shows(Dialog dialog, std::function<void()> user = {}) {
        if (user) QTimer::singleShot(0, form.get(), std::move(user));
        return desktop.expectDialog(dialog, [this, dialog] { form->showDialog(dialog); });
    }
};

}  // namespace pelora::test

#define PELORA_UI_TEST(Class)                                                                  \
    static const bool registered##Class =                                                      \
        (::pelora::test::uiTestRegistry().push_back([] { return std::make_unique<Class>(); }), \
         true)
