#include "support/GuiBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>

namespace lutaris::bench {

int RunGuiBenchmarks(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace lutaris::bench
