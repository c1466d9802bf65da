// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace lutaris::test {

// Watches what the global operator new is asked for while the probe lives (this test program
// replaces the global allocator for that). A request beyond kRefusedBytes is refused with
// std::bad_alloc and remembered, so that a reader that sizes a buffer by a lying size field
// fails its test instead of taking the machine's memory. One probe at a time.
class AllocationProbe {
public:
    static constexpr std::size_t kRefusedBytes = std::size_t{1} << 30;

    AllocationProbe();
    ~AllocationProbe();
    AllocationProbe(const AllocationProbe&) = delete;
    AllocationProbe& operator=(const AllocationProbe&) = delete;

    std::size_t LargestRequest() const;
    std::size_t TotalRequested() const;
    std::size_t RequestCount() const;
    double ElapsedMilliseconds() const;

    // One line for the test log: what was measured for `what`. Timing is only reported,
    // never asserted.
    void Report(const std::string& what) const;

private:
    std::chrono::steady_clock::time_point start_;
};

}  // namespace lutaris::test
