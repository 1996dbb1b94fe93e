// The benchmarks' entry; with the shell built, an offscreen application for the window.
#include <benchmark/benchmark.h>

#ifdef PELORA_BENCH_UI
#include <QApplication>
#endif

int main(int argc, char** argv) {
#ifdef PELORA_BENCH_UI
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
