// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cerrno>

namespace lutaris::test {

// Makes this process's file writes, flushes or renames fail while the object lives, as a full
// disk, a failing device or a folder that went read-only would. This test program defines
// write(), fsync() and rename() itself, ahead of the C library, and passes every call on to the
// real one unless a failure is armed. One object at a time.
class IoFailure {
public:
    enum class Call { Write, Fsync, Rename, ShortWrite, InterruptedWrite };

    // Write, Fsync and Rename fail with `error` after `succeedFirst` calls that go through
    // (the writes among them take at most 4096 bytes each). ShortWrite writes at most 4096
    // bytes a call; InterruptedWrite makes every other write
    // fail with EINTR before writing anything. Only calls on regular files and renames count.
    explicit IoFailure(Call call, int error = ENOSPC, int succeedFirst = 0);
    ~IoFailure();
    IoFailure(const IoFailure&) = delete;
    IoFailure& operator=(const IoFailure&) = delete;

    // How many calls were made to fail or cut short.
    int Injected() const;
};

}  // namespace lutaris::test
