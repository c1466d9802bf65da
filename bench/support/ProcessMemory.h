// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

namespace lutaris::bench {

// This process's memory as the kernel counts it, in bytes: resident now, and the peak of
// resident since the start or the last ResetPeak.
struct ProcessMemory {
    std::uint64_t resident = 0;
    std::uint64_t peak = 0;

    static ProcessMemory Now();
    // Starts a new peak from the current resident size; false where the kernel does not allow
    // it (the peak then counts from the process's start).
    static bool ResetPeak();
};

}  // namespace lutaris::bench
