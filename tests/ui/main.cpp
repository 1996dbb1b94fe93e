#include "ui_test.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Qt's dialogs keep their state in settings; tests keep theirs apart from the user's.
    QStandardPaths::setTestModeEnabled(true);
    int failed = 0;
    for (const auto& factory : pelora::test::uiTestRegistry())
        failed += QTest::qExec(factory().get(), argc, argv) != 0 ? 1 : 0;
    return failed == 0 ? 0 : 1;
}
