// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "platform/clipboard/MemoryClipboard.h"

namespace lutaris {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(MemoryClipboard, SettingReplacesTheWholeContent) {
    MemoryClipboard clipboard;
    clipboard.SetFormats({{"a", {1}}, {"b", {2, 3}}});
    EXPECT_EQ(clipboard.ListFormats(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(clipboard.GetFormat("b"), Bytes({2, 3}));

    clipboard.SetFormats({{"c", {}}});
    EXPECT_EQ(clipboard.ListFormats(), std::vector<std::string>{"c"});
    EXPECT_FALSE(clipboard.HasFormat("a"));
    EXPECT_EQ(clipboard.GetFormat("a"), std::nullopt);
    // An empty block is still a format that is there.
    EXPECT_TRUE(clipboard.HasFormat("c"));
    EXPECT_EQ(clipboard.GetFormat("c"), Bytes{});
}

TEST(MemoryClipboard, NamesAreExactAndALaterDuplicateWins) {
    MemoryClipboard clipboard;
    clipboard.SetFormats({{"Lutaris 0.2", {1}}, {"Lutaris 0.2", {9}}});
    EXPECT_EQ(clipboard.ListFormats(), std::vector<std::string>{"Lutaris 0.2"});
    EXPECT_EQ(clipboard.GetFormat("Lutaris 0.2"), Bytes{9});
    EXPECT_FALSE(clipboard.HasFormat("lutaris 0.2"));
    EXPECT_FALSE(clipboard.HasFormat("Lutaris_0.2"));
}

TEST(MemoryClipboard, ClearEmptiesAndCountsAsAChange) {
    MemoryClipboard clipboard;
    clipboard.SetFormats({{"a", {1}}});
    clipboard.Clear();
    EXPECT_TRUE(clipboard.ListFormats().empty());
    EXPECT_EQ(clipboard.ChangeCount(), 2);
}

}  // namespace
}  // namespace lutaris
