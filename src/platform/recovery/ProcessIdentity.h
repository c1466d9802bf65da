// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

namespace lutaris {

// A running process as the system knows it: its id and the moment it started (clock ticks
// since boot), so that an id the system gave again to a later process is not taken for the
// first one.
struct ProcessIdentity {
    std::int64_t pid = 0;
    std::uint64_t start = 0;

    bool operator==(const ProcessIdentity&) const = default;
};

// Which processes still run.
class ProcessTable {
public:
    virtual ~ProcessTable() = default;
    virtual bool IsRunning(const ProcessIdentity& process) const = 0;
};

// The system's processes, from /proc; without /proc, whether the id is taken.
class SystemProcessTable : public ProcessTable {
public:
    bool IsRunning(const ProcessIdentity& process) const override;
};

// This process.
ProcessIdentity CurrentProcess();
// The start time of process `pid` from /proc; 0 when it cannot be read.
std::uint64_t ProcessStartTime(std::int64_t pid);

}  // namespace lutaris
