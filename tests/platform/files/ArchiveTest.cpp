// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <vector>

#include "platform/files/Archive.h"

namespace lutaris {
namespace {

TEST(Archive, StoresIntegersLittleEndianTwosComplement) {
    Archive archive;
    archive.WriteInt32(1);
    archive.WriteInt32(-2);
    archive.WriteInt32(0x12345678);
    const std::vector<std::uint8_t> expected = {1,    0,    0,    0,    0xFE, 0xFF,
                                                0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12};
    EXPECT_EQ(archive.StoredBytes(), expected);
    EXPECT_TRUE(archive.IsStoring());
}

TEST(Archive, LoadsWhatWasStored) {
    Archive out;
    std::int32_t values[] = {0, -1, 2147483647, -2147483647 - 1, 42};
    for (auto value : values) out.Int32(value);
    const auto bytes = out.TakeStoredBytes();
    Archive in(bytes);
    EXPECT_TRUE(in.IsLoading());
    for (auto value : values) {
        std::int32_t read = 7;
        in.Int32(read);
        EXPECT_EQ(read, value);
    }
    EXPECT_EQ(in.Remaining(), 0u);
}

TEST(Archive, IntegerPastTheEndThrowsEndOfFileAndConsumesNothing) {
    const std::vector<std::uint8_t> bytes = {1, 2, 3};
    Archive in(bytes);
    EXPECT_THROW(in.ReadInt32(), ArchiveEndOfFile);
    EXPECT_EQ(in.Remaining(), 3u);
}

TEST(Archive, RawBlockAtTheEndReadsWhatRemains) {
    const std::vector<std::uint8_t> bytes = {9, 8, 7, 6, 5};
    Archive in(bytes);
    EXPECT_EQ(in.ReadInt32(), 0x06070809);
    std::uint8_t block[4] = {0xAA, 0xAA, 0xAA, 0xAA};
    EXPECT_EQ(in.ReadRaw(block, sizeof block), 1u);
    EXPECT_EQ(block[0], 5);
    EXPECT_EQ(block[1], 0xAA);  // untouched beyond the end
    EXPECT_EQ(in.ReadRaw(block, sizeof block), 0u);
}

}  // namespace
}  // namespace lutaris
