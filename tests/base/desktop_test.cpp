#include <stdexcept>

#include "core_fixture.h"

namespace pelora::test {
namespace {

using Desktops = CoreTest;

TEST_F(Desktops, TheScriptedDesktopFailsOnAnUnexpectedADifferingAndALeftOverQuestion) {
    int failures = 0;
    ScriptedDesktop counting([&](const std::string&) { ++failures; });
    counting.MsgBox("oväntad"_cp, Buttons::Ok, Icon::Exclamation, "T");
    EXPECT_EQ(failures, 1);
    counting.expectMsgBox("A", Buttons::Ok, Icon::Exclamation, "T", Answer::Ok);
    counting.MsgBox("A", Buttons::Ok, Icon::Information, "T");
    EXPECT_EQ(failures, 2);
    counting.expectInputBox("p", "t", "d", "a");
    counting.verify();
    EXPECT_EQ(failures, 3);
}

TEST_F(Desktops, RunGuardedShowsTheErrorUnderTheCommandsTitleAndLetsProgramEndThrough) {
    desktop.expectMsgBox("trasig fil", Buttons::Ok, Icon::Exclamation, "Öppna"_cp, Answer::Ok);
    runGuarded(desktop, "Öppna"_cp, [] { throw std::runtime_error("trasig fil"); });
    EXPECT_THROW(runGuarded(desktop, "T", [] { throw ProgramEnd{}; }), ProgramEnd);
}

}  // namespace
}  // namespace pelora::test
