#include "work/desktop.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "scripted_desktop.h"
#include "work/codec.h"

namespace pelora::test {
namespace {

using Buttons = Desktop::Buttons;
using Icon = Desktop::Icon;
using Answer = Desktop::Answer;

// A desktop whose failures are collected instead of failing the test, to test the script itself.
struct Collecting {
    std::vector<std::string> failures;
    ScriptedDesktop desktop{[this](const std::string& what) { failures.push_back(what); }};
};

TEST(ScriptedDesktop, AnswersInOrderAndRecordsMessages) {
    Collecting c;
    c.desktop.expectMsgBox("Fråga"_cp, Buttons::YesNo, Icon::Question, "T", Answer::No)
        .expectInputBox("Ange", "Titel", "förval"_cp, "svar");
    EXPECT_EQ(c.desktop.MsgBox("Fråga"_cp, Buttons::YesNo, Icon::Question, "T"), Answer::No);
    EXPECT_EQ(c.desktop.InputBox("Ange", "Titel", "förval"_cp), "svar");
    c.desktop.verify();
    EXPECT_TRUE(c.failures.empty());
    ASSERT_EQ(c.desktop.messages.size(), 1u);
    EXPECT_EQ(c.desktop.messages[0].text, "Fråga"_cp);
}

TEST(ScriptedDesktop, ReportsUnexpectedDifferentAndLeftOverQuestions) {
    Collecting c;
    c.desktop.MsgBox("oväntad"_cp, Buttons::Ok, Icon::Exclamation, "T");
    EXPECT_EQ(c.failures.size(), 1u);

    c.desktop.expectMsgBox("A", Buttons::Ok, Icon::Exclamation, "T", Answer::Ok);
    c.desktop.MsgBox("A", Buttons::Ok, Icon::Information, "T");
    EXPECT_EQ(c.failures.size(), 2u);

    c.desktop.expectOpenFile(std::string("x.pel"));
    EXPECT_EQ(c.desktop.SaveFileDialog({}), std::nullopt);  // wrong kind of question
    EXPECT_EQ(c.failures.size(), 3u);

    c.desktop.expectInputBox("p", "t", "d", "a");
    c.desktop.verify();
    EXPECT_EQ(c.failures.size(), 4u);
}

TEST(RunGuarded, TurnsAnErrorIntoAMessageUnderTheCommandsTitle) {
    Collecting c;
    c.desktop.expectMsgBox("trasig fil"_cp, Buttons::Ok, Icon::Exclamation, "Öppna"_cp,
                           Answer::Ok);
    runGuarded(c.desktop, "Öppna"_cp, [] { throw std::runtime_error("trasig fil"); });
    EXPECT_THROW(runGuarded(c.desktop, "T", [] { throw ProgramEnd{}; }), ProgramEnd);
    bool ran = false;
    runGuarded(c.desktop, "T", [&] { ran = true; });
    EXPECT_TRUE(ran);
    c.desktop.verify();
    EXPECT_TRUE(c.failures.empty());
}

}  // namespace
}  // namespace pelora::test
