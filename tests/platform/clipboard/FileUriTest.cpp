// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "platform/clipboard/FileUri.h"

namespace lutaris {
namespace {

TEST(FileUri, KeepsPlainPathsAndEncodesEverythingElse) {
    EXPECT_EQ(FileUriFromPath("/home/ann/riff-1_a.b~.ltf"), "file:///home/ann/riff-1_a.b~.ltf");
    EXPECT_EQ(FileUriFromPath("/tabs/my song #2 100%.ltf"),
              "file:///tabs/my%20song%20%232%20100%25.ltf");
    EXPECT_EQ(FileUriFromPath("/t/\xc3\xa9t\xc3\xa9\n.ltf"), "file:///t/%C3%A9t%C3%A9%0A.ltf");
}

}  // namespace
}  // namespace lutaris
