// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "compound/CompoundFileError.h"
#include "compound/CompoundFileFormat.h"
#include "compound/CompoundFileReader.h"
#include "compound/CompoundFileWriter.h"
#include "platform/files/DocumentClassId.h"
#include "support/CompoundFileSurgery.h"

namespace lutaris {
namespace {

using test::StreamStart;
using test::WithLastSectorMovedToTheEnd;
using test::WithSectorsSwapped;

std::vector<std::uint8_t> Pattern(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 131 + i / 256);
    return bytes;
}

void Put32(std::vector<std::uint8_t>& file, std::size_t offset, std::uint32_t value) {
    cfb::WriteU32(file.data() + offset, value);
}

// The reason the reader gives for refusing the file, or "" when it reads it.
std::string Rejection(const std::vector<std::uint8_t>& file) {
    try {
        const CompoundFileReader reader(file);
        reader.ReadStream("Contents");
    } catch (const CompoundFileError& error) {
        return error.what();
    }
    return "";
}

std::vector<std::uint8_t> JoinExtents(const std::vector<std::uint8_t>& file,
                                      const std::vector<CompoundFileReader::Extent>& extents) {
    std::vector<std::uint8_t> bytes;
    for (const auto& extent : extents) {
        bytes.insert(bytes.end(), file.begin() + extent.offset,
                     file.begin() + extent.offset + extent.size);
    }
    return bytes;
}

TEST(CompoundFileReader, RecognisesTheSignatureOnly) {
    EXPECT_TRUE(HasCompoundFileSignature(WriteCompoundFile(ClassId{}, "a", {})));
    const std::vector<std::uint8_t> almost = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A};
    EXPECT_FALSE(HasCompoundFileSignature(almost));
    EXPECT_FALSE(HasCompoundFileSignature({}));
}

TEST(CompoundFileReader, FindsStreamsWithoutRegardToCaseAndMissingOnesNot) {
    const auto stream = Pattern(300);
    const auto file = WriteCompoundFile(kDocumentClassId, "Contents", stream);
    const CompoundFileReader reader(file);
    EXPECT_EQ(reader.ReadStream("CONTENTS"), stream);
    EXPECT_FALSE(reader.ReadStream("Content").has_value());
    EXPECT_FALSE(reader.ReadStream("").has_value());
}

TEST(CompoundFileReader, AStreamInConsecutiveSectorsLiesInOneRunOfTheFile) {
    for (const std::size_t size : {5000u, 4096u, 100u, 1u}) {
        const auto stream = Pattern(size);
        const auto file = WriteCompoundFile(kDocumentClassId, "Contents", stream);
        const CompoundFileReader reader(file);
        const auto extents = reader.StreamExtents("Contents");
        ASSERT_TRUE(extents.has_value()) << size;
        ASSERT_EQ(extents->size(), 1u) << size;
        EXPECT_EQ(JoinExtents(file, *extents), stream) << size;
    }
}

TEST(CompoundFileReader, ExtentsFollowTheChainInStreamOrderAndReadStreamJoinsThem) {
    const auto stream = Pattern(5000);  // ten sectors, the last one partly used
    const auto written = WriteCompoundFile(kDocumentClassId, "Contents", stream);
    const std::uint32_t start = StreamStart(written);

    const auto swapped = WithSectorsSwapped(written, start + 7, start + 8, start + 9);
    const CompoundFileReader swappedReader(swapped);
    const auto backwards = swappedReader.StreamExtents("Contents");
    ASSERT_TRUE(backwards.has_value());
    ASSERT_EQ(backwards->size(), 3u);
    EXPECT_GT((*backwards)[1].offset, (*backwards)[2].offset);
    EXPECT_EQ((*backwards)[2].size, 5000u - 9 * 512);
    EXPECT_EQ(JoinExtents(swapped, *backwards), stream);
    EXPECT_EQ(swappedReader.ReadStream("Contents"), stream);

    const auto moved = WithLastSectorMovedToTheEnd(written, start + 8, start + 9);
    const CompoundFileReader movedReader(moved);
    const auto gap = movedReader.StreamExtents("Contents");
    ASSERT_TRUE(gap.has_value());
    ASSERT_EQ(gap->size(), 2u);
    EXPECT_EQ((*gap)[0].size, 9u * 512);
    EXPECT_EQ((*gap)[1].offset, moved.size() - 512);
    EXPECT_EQ(movedReader.ReadStream("Contents"), stream);
}

TEST(CompoundFileReader, HasNoExtentsForAMissingStreamAndNoneForAnEmptyOne) {
    const auto file = WriteCompoundFile(kDocumentClassId, "Contents", {});
    const CompoundFileReader reader(file);
    ASSERT_TRUE(reader.StreamExtents("Contents").has_value());
    EXPECT_TRUE(reader.StreamExtents("Contents")->empty());
    EXPECT_FALSE(reader.StreamExtents("Other").has_value());
}

TEST(CompoundFileReader, RefusesBadHeaderFields) {
    const auto good = WriteCompoundFile(kDocumentClassId, "Contents", Pattern(100));
    struct Case {
        std::size_t offset;
        std::uint16_t value;
        const char* reason;
    };
    for (const Case& c : {Case{cfb::kOffsetMajorVersion, 5, "major version"},
                          Case{cfb::kOffsetByteOrder, 0xFEFF, "byte order"},
                          Case{cfb::kOffsetSectorShift, 12, "sector shift"},
                          Case{cfb::kOffsetSectorShift, 31, "sector shift"},
                          Case{cfb::kOffsetMiniSectorShift, 7, "mini sector shift"},
                          Case{cfb::kOffsetMiniStreamCutoff, 0, "cutoff"}}) {
        auto file = good;
        cfb::WriteU16(file.data() + c.offset, c.value);
        EXPECT_NE(Rejection(file).find(c.reason), std::string::npos) << c.reason;
    }
}

TEST(CompoundFileReader, RefusesEveryCutOfAValidFileAtASectorBoundary) {
    for (const std::size_t size : {100u, 5000u}) {
        const auto good = WriteCompoundFile(kDocumentClassId, "Contents", Pattern(size));
        for (std::size_t length = 0; length < good.size(); length += 512) {
            const std::vector<std::uint8_t> cut(good.begin(), good.begin() + length);
            EXPECT_FALSE(Rejection(cut).empty()) << size << " cut at " << length;
        }
    }
}

// Damage at random places: whatever the bytes, the reader either reads the stream with the
// size its entry gives or refuses the file with its own error; it never crashes or hangs, and
// never throws anything else.
TEST(CompoundFileReader, SurvivesRandomDamageWithReadOrRefusal) {
    const std::vector<std::vector<std::uint8_t>> originals = {
        WriteCompoundFile(kDocumentClassId, "Contents", Pattern(283)),
        WriteCompoundFile(kDocumentClassId, "Contents", Pattern(9000))};
    std::mt19937 random(1234);
    int refused = 0;
    int read = 0;
    for (int round = 0; round < 20000; ++round) {
        auto file = originals[round % originals.size()];
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int c = 0; c < changes; ++c) {
            const std::size_t at = random() % file.size();
            // Mostly small values and markers, which are what chains and links hold.
            const std::uint32_t values[] = {static_cast<std::uint32_t>(random() % 16),
                                            static_cast<std::uint32_t>(random() % 300),
                                            0xFFFFFFFE,
                                            0xFFFFFFFF,
                                            0xFFFFFFFD,
                                            static_cast<std::uint32_t>(random())};
            if (at + 4 <= file.size() && random() % 2 == 0) {
                Put32(file, at & ~std::size_t{3}, values[random() % 6]);
            } else {
                file[at] = static_cast<std::uint8_t>(random());
            }
        }
        try {
            const CompoundFileReader reader(file);
            for (const auto& name : reader.StreamNames()) {
                ASSERT_TRUE(reader.ReadStream(name).has_value()) << name;
            }
            ++read;
        } catch (const CompoundFileError&) {
            ++refused;
        }
    }
    // Both outcomes must occur, or the damage missed what matters.
    EXPECT_GT(refused, 1000);
    EXPECT_GT(read, 1000);
}


}  // namespace
}  // namespace lutaris
