// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>

#include "support/Workloads.h"

namespace lutaris::bench {

// Registers a benchmark that takes its songbook's size as its argument to run once on each
// songbook, reporting milliseconds: BENCHMARK(Name)->Apply(OnceOnEachSongbook).
inline void OnceOnEachSongbook(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(static_cast<std::int64_t>(kLargeItems))
        ->Arg(static_cast<std::int64_t>(kHugeItems))
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
}

// The main function of a benchmark program that paints with Qt: a GUI application on the
// offscreen platform (unless QT_QPA_PLATFORM names another), then every registered benchmark.
int RunGuiBenchmarks(int argc, char** argv);
// The same with widgets (windows, views), which need an application of widgets.
int RunWidgetBenchmarks(int argc, char** argv);

}  // namespace lutaris::bench
