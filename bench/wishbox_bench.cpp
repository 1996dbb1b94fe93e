// One keystroke in the wish box through the window: the store, the overview rebuilt for a
// criterion other than "Alla", the board recoloured, and the window rendered.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "bench_work.h"
#include "commands/board.h"
#include "commands/overview.h"
#include "commands/wishes.h"
#include "display/board.h"
#include "display/currentpupil.h"
#include "display/overview.h"
#include "ui/form1.h"

namespace pelora::bench {
namespace {

void press(QWidget* widget, Qt::Key key, const QString& text) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &up);
}

// Each stroke moves the pupil into or out of the overview "Ej gjort val", which therefore lists
// about 600 lines and changes with every stroke: the window rebuilds the whole list each time.
void KeystrokeInWishBox(benchmark::State& state) {
    QuietDesktop desktop;
    auto app = std::make_unique<App>(desktop);
    fillWork(*app, false);
    app->work.studentTable[1].wishes = "AKTIVITET 5";
    ui::Form1 window(*app);
    window.setProgramEnd([] {});
    window.show();
    QApplication::processEvents();
    window.run("", [&app] {
        RefreshBoard(*app);
        app->run.currentStudent = 1;
        ShowCurrentStudent(*app);
        app->screen.Combo3.text = "Ej gjort val";
        RefreshOverview(*app);
    });
    auto* box = window.findChild<QPlainTextEdit*>("Text2");
    box->moveCursor(QTextCursor::End);

    bool typed = false;
    for (auto _ : state) {
        if (typed) {
            press(box, Qt::Key_Backspace, QString());
        } else {
            press(box, Qt::Key_X, QStringLiteral("x"));
        }
        typed = !typed;
    }
    if (app->work.studentTable[1].wishes.rfind("AKTIVITET 5", 0) != 0) {
        state.SkipWithError("the keystrokes did not reach the wish box");
    }
    state.counters["lines"] = static_cast<double>(app->screen.List2.lines.size());
}

}  // namespace

BENCHMARK(KeystrokeInWishBox)->Unit(benchmark::kMicrosecond);

}  // namespace pelora::bench
