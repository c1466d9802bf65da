// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "platform/recovery/RecoveryInfo.h"

namespace lutaris {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

RecoveryInfo Sample() {
    return {{4321, 987654321}, 1765287000, "/home/ann/Songs/blues in E.ltf", "blues in E.ltf"};
}

TEST(RecoveryInfo, ReadsBackWhatItWroteEvenWithLineBreaksInThePath) {
    RecoveryInfo info = Sample();
    EXPECT_EQ(ParseRecoveryInfo(Bytes(FormatRecoveryInfo(info))), info);
    info.originalPath = "/tmp/a\nb\\n\r.ltf";
    info.title = "a\nb\\n\r.ltf";
    const std::string text = FormatRecoveryInfo(info);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
    EXPECT_EQ(ParseRecoveryInfo(Bytes(text)), info);
    info.originalPath.clear();  // untitled
    EXPECT_EQ(ParseRecoveryInfo(Bytes(FormatRecoveryInfo(info))), info);
}

TEST(RecoveryInfo, RefusesDamagedOrForeignText) {
    const std::string good = FormatRecoveryInfo(Sample());
    ASSERT_TRUE(ParseRecoveryInfo(Bytes(good)));
    // Cut anywhere, the text is refused: every cut loses the final line break or a key.
    for (std::size_t size = 0; size < good.size(); ++size)
        EXPECT_FALSE(ParseRecoveryInfo(Bytes(std::string_view(good).substr(0, size)))) << size;
    for (const char* bad : {
             "Lutaris recovery 2\npid 1\nstart 1\ntime 1\npath \ntitle x\n",
             "Lutaris recovery 1\npid x\nstart 1\ntime 1\npath \ntitle x\n",
             "Lutaris recovery 1\npid 0\nstart 1\ntime 1\npath \ntitle x\n",
             "Lutaris recovery 1\npid 99999999999999999999\nstart 1\ntime 1\npath \ntitle x\n",
             "Lutaris recovery 1\npid 1\nstart 1\ntime 1\npath a\\qb\ntitle x\n",
             "Lutaris recovery 1\npid 1\nstart 1\ntime 1\npath a\\\ntitle x\n",
             "Lutaris recovery 1\npid 1\nstart 1\ntime 1\nno-blank-here\ntitle x\n",
             "\xff\xfe\x00garbage\n",
         })
        EXPECT_FALSE(ParseRecoveryInfo(Bytes(bad))) << bad;
    // Keys it does not know are skipped, for a later version that writes more.
    EXPECT_TRUE(ParseRecoveryInfo(
        Bytes("Lutaris recovery 1\npid 1\nstart 0\ncolour red\ntime 5\npath \ntitle x\n")));
    EXPECT_FALSE(ParseRecoveryInfo(Bytes(std::string(kMaxRecoveryInfoBytes + 1, '\n'))));
}

}  // namespace
}  // namespace lutaris
