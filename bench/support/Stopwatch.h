// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <chrono>
#include <ctime>

namespace lutaris::bench {

// Wall time since construction, in milliseconds: what a benchmark of a few microseconds takes.
class WallStopwatch {
public:
    WallStopwatch() : start_(std::chrono::steady_clock::now()) {}

    double WallMilliseconds() const {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                         start_)
            .count();
    }

private:
    std::chrono::steady_clock::time_point start_;
};

// Wall time and this thread's processor time since construction, in milliseconds. The machine
// the figures are taken on is shared, so processor time is what compares variants: it leaves
// out the time other programs held the processor. Reading it is a system call as long as a
// short span, so the wall clock starts after it; for spans of a few microseconds the call still
// disturbs what follows, and WallStopwatch alone is the one to use.
class Stopwatch {
public:
    double WallMilliseconds() const { return wall_.WallMilliseconds(); }
    double CpuMilliseconds() const { return (ThreadCpuSeconds() - cpuStart_) * 1000.0; }

private:
    static double ThreadCpuSeconds() {
        timespec now{};
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
    }

    // Declared in the order they start.
    double cpuStart_ = ThreadCpuSeconds();
    WallStopwatch wall_;
};

}  // namespace lutaris::bench
