// The common ground of the core tests: an App whose desktop fails the test on any question
// that the test did not script.
#pragma once

#include <gtest/gtest.h>

#include "base/codec.h"
#include "base/files.h"
#include "commands/app.h"
#include "scripted_desktop.h"

namespace pelora::test {

inline ScriptedDesktop::FailHandler gtestFailure() {
    return [](const std::string& what) { ADD_FAILURE() << what; };
}

// A path as messages and the caption show it.
inline std::string shown(const std::filesystem::path& path) {
    return displayPath(path);
}

class CoreTest : public ::testing::Test {
protected:
    ScriptedDesktop desktop{gtestFailure()};
    App app{desktop};

    using Buttons = Desktop::Buttons;
    using Icon = Desktop::Icon;
    using Answer = Desktop::Answer;
};

}  // namespace pelora::test
