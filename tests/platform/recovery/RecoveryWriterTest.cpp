// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <vector>

#include "platform/recovery/RecoveryWriter.h"

namespace lutaris {
namespace {

TEST(RecoveryWriter, RunsJobsInOrderAndReplacesOnlyWaitingOnesOfTheSameKey) {
    std::vector<std::string> done;  // touched by the worker alone until Drain returns
    RecoveryWriter writer;
    // Hold the worker in a first job until every other job is queued.
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::promise<void> started;
    writer.Post("", [&, released] {
        started.set_value();
        released.wait();
        done.push_back("first");
    });
    started.get_future().wait();
    writer.Post("a", [&] { done.push_back("a1"); });
    writer.Post("b", [&] { done.push_back("b1"); });
    writer.Post("a", [&] { done.push_back("a2"); });  // replaces a1, keeps its place
    writer.Post("", [&] { throw std::runtime_error("disk gone"); });
    writer.Post("", [&] { done.push_back("after a failure"); });
    release.set_value();
    writer.Drain();
    EXPECT_EQ(done, (std::vector<std::string>{"first", "a2", "b1", "after a failure"}));
}

TEST(RecoveryWriter, FinishesWhatWasAskedBeforeItEnds) {
    std::atomic<int> ran{0};
    {
        RecoveryWriter writer;
        for (int i = 0; i < 50; ++i) writer.Post("", [&ran] { ++ran; });
    }
    EXPECT_EQ(ran, 50);
}

}  // namespace
}  // namespace lutaris
