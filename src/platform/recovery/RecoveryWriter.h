// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace lutaris {

// One worker thread that writes and removes recovery copies in the order they were asked for,
// so that the interface thread never waits for the disk. A job still waiting is replaced by a
// newer one with the same key: only the latest state of a document is worth writing.
class RecoveryWriter {
public:
    RecoveryWriter();
    // Finishes the jobs that were asked for, then ends the thread.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    // Runs `job` on the worker after the jobs posted before it. An empty key never replaces.
    void Post(std::string key, std::function<void()> job);
    // Waits until every job posted so far has run.
    void Drain();

private:
    void Run();

    struct Job {
        std::string key;
        std::function<void()> run;
    };
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace lutaris
