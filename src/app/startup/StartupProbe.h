// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QObject>

namespace lutaris {

// For the start-up benchmark: when the environment variable LUTARIS_STARTUP_PROBE is set, the
// first paint of the tablature view prints "painted NANOSECONDS" (the monotonic clock) on
// standard output once everything of that paint is done, and ends the program. A script
// compares it with the clock at the process's start.
class StartupProbe : public QObject {
public:
    static constexpr const char* kVariable = "LUTARIS_STARTUP_PROBE";

    // Watches the application's events when the variable is set; otherwise does nothing.
    static void InstallIfAsked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool seen_ = false;
};

}  // namespace lutaris
