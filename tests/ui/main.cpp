#include <QApplication>

#include "ui_test.h"

namespace pelora::test {

std::vector<TestFactory>& uiTestRegistry() {
    static std::vector<TestFactory> registry;
    return registry;
}

}  // namespace pelora::test

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    int failed = 0;
    for (const auto& factory : pelora::test::uiTestRegistry()) {
        std::unique_ptr<QObject> test = factory();
        failed += QTest::qExec(test.get(), argc, argv) != 0 ? 1 : 0;
    }
    return failed == 0 ? 0 : 1;
}
