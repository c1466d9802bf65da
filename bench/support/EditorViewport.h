// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

namespace lutaris::bench {

// The editor's view as the benchmarks size it: a full-HD viewport inside a thin border on each
// side and a vertical scroll bar, which the flow's window width includes.
inline constexpr int kViewportWidth = 1920;
inline constexpr int kViewportHeight = 1080;
inline constexpr int kBorderWidth = 1;
inline constexpr int kScrollBarWidth = 16;
inline constexpr int kOuterWidth = kViewportWidth + 2 * kBorderWidth + kScrollBarWidth;

}  // namespace lutaris::bench
