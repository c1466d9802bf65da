// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "support/GuiBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QGuiApplication>
#include <cstdlib>

namespace lutaris::bench {

namespace {

template <typename Application>
int Run(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace

int RunGuiBenchmarks(int argc, char** argv) { return Run<QGuiApplication>(argc, argv); }
int RunWidgetBenchmarks(int argc, char** argv) { return Run<QApplication>(argc, argv); }

}  // namespace lutaris::bench
