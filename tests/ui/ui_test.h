// ui_tests: Qt Test classes register themselves here and run one after the other, offscreen.
#pragma once

#include <QObject>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "scripted_desktop.h"

namespace pelora::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;
std::vector<TestFactory>& uiTestRegistry();

template <typename T>
struct RegisterUiTest {
    RegisterUiTest() { uiTestRegistry().push_back([] { return std::make_unique<T>(); }); }
};

// A scripted desktop whose failures fail the running Qt test.
inline ScriptedDesktop::FailHandler qtFailure() {
    return [](const std::string& what) { QTest::qFail(what.c_str(), __FILE__, __LINE__); };
}

}  // namespace pelora::test

#define PELORA_UI_TEST(Class) static ::pelora::test::RegisterUiTest<Class> register##Class
