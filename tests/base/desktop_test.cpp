#include <stdexcept>

#include "core_fixture.h"

namespace pelora::test {
namespace {

using Desktops = CoreTest;

TEST_F(Desktops, RunGuardedShowsTheErrorUnderTheCommandsTitleAndLetsProgramEndThrough) {
    desktop.expectMsgBox("trasig fil", Buttons::Ok, Icon::Exclamation, "Öppna"_cp, Answer::Ok);
    runGuarded(desktop, "Öppna"_cp, [] { throw std::runtime_error("trasig fil"); });
    EXPECT_THROW(runGuarded(desktop, "T", [] { throw ProgramEnd{}; }), ProgramEnd);
}

}  // namespace
}  // namespace pelora::test
