// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

namespace lutaris::bench {

// The main function of a benchmark program that paints with Qt: a GUI application on the
// offscreen platform (unless QT_QPA_PLATFORM names another), then every registered benchmark.
int RunGuiBenchmarks(int argc, char** argv);
// The same with widgets (windows, views), which need an application of widgets.
int RunWidgetBenchmarks(int argc, char** argv);

}  // namespace lutaris::bench
