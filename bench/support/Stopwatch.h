// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <chrono>
#include <ctime>

namespace lutaris::bench {

// Wall time and this thread's processor time since construction, in milliseconds. The machine
// the figures are taken on is shared, so processor time is what compares variants: it leaves
// out the time other programs held the processor.
class Stopwatch {
public:
    Stopwatch() : wallStart_(Clock::now()), cpuStart_(ThreadCpuSeconds()) {}

    double WallMilliseconds() const {
        return std::chrono::duration<double, std::milli>(Clock::now() - wallStart_).count();
    }
    double CpuMilliseconds() const { return (ThreadCpuSeconds() - cpuStart_) * 1000.0; }

private:
    using Clock = std::chrono::steady_clock;

    static double ThreadCpuSeconds() {
        timespec now{};
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
    }

    Clock::time_point wallStart_;
    double cpuStart_;
};

// Wall time alone, for spans of a few microseconds: asking for the thread's processor time is a
// system call that costs about as much as such a span and disturbs what comes after it.
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

}  // namespace lutaris::bench
