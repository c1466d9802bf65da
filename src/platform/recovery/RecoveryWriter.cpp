// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/recovery/RecoveryWriter.h"

#include <algorithm>

namespace lutaris {

RecoveryWriter::RecoveryWriter() : thread_([this] { Run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void RecoveryWriter::Post(std::string key, std::function<void()> job) {
    {
        std::lock_guard lock(mutex_);
        const auto waiting = std::find_if(jobs_.begin(), jobs_.end(), [&key](const Job& queued) {
            return !key.empty() && queued.key == key;
        });
        if (waiting != jobs_.end()) {
            waiting->run = std::move(job);
        } else {
            jobs_.push_back({std::move(key), std::move(job)});
        }
    }
    changed_.notify_all();
}

void RecoveryWriter::Drain() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return jobs_.empty() && !busy_; });
}

void RecoveryWriter::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (jobs_.empty()) return;  // stopping, and nothing is left to do
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        // A job reports its own failures; one that throws must not end the writer.
        try {
            job.run();
        } catch (...) {
        }
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

}  // namespace lutaris
