// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <vector>

#include "compound/CompoundFileError.h"
#include "compound/CompoundFileFormat.h"
#include "compound/CompoundFileReader.h"
#include "compound/CompoundFileWriter.h"
#include "platform/files/DocumentClassId.h"

namespace lutaris {
namespace {

std::vector<std::uint8_t> Pattern(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    std::uint32_t state = 7;
    for (auto& byte : bytes) {
        state = state * 1103515245 + 12345;
        byte = static_cast<std::uint8_t>(state >> 16);
    }
    return bytes;
}

std::uint32_t U32(const std::vector<std::uint8_t>& file, std::size_t offset) {
    return cfb::ReadU32(file, offset);
}

std::size_t SectorOffset(std::uint32_t sector) { return 512 + std::size_t{sector} * 512; }

class WrittenSizes : public ::testing::TestWithParam<std::size_t> {};

TEST_P(WrittenSizes, ReadBackIdentically) {
    const auto stream = Pattern(GetParam());
    const auto file = WriteCompoundFile(kDocumentClassId, "Contents", stream);
    ASSERT_EQ(file.size() % 512, 0u);
    const CompoundFileReader reader(file);
    EXPECT_EQ(reader.RootClassId(), kDocumentClassId);
    EXPECT_EQ(reader.StreamNames(), std::vector<std::string>{"Contents"});
    const auto read = reader.ReadStream("Contents");
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(*read == stream) << "stream of " << GetParam() << " bytes differs";
}

TEST_P(WrittenSizes, InPartsTheStreamStartsRightAfterTheHeadAndThePaddingEndsItsSector) {
    const auto stream = Pattern(GetParam());
    const CompoundFileParts parts = PlanCompoundFile(kDocumentClassId, "Contents", stream);
    EXPECT_EQ(parts.stream.data(), stream.data());
    EXPECT_EQ(parts.stream.size(), stream.size());
    EXPECT_EQ(parts.head.size() % 512, 0u);
    EXPECT_LT(parts.padding, 512u);
    EXPECT_EQ((parts.head.size() + stream.size() + parts.padding) % 512, 0u);
    // Where a reader finds the stream in the whole file is where the head ends.
    const auto file = WriteCompoundFile(kDocumentClassId, "Contents", stream);
    ASSERT_EQ(file.size(), parts.head.size() + stream.size() + parts.padding);
    EXPECT_TRUE(std::equal(parts.head.begin(), parts.head.end(), file.begin()));
    const auto extents = CompoundFileReader(file).StreamExtents("Contents");
    ASSERT_TRUE(extents.has_value());
    if (!stream.empty()) {
        ASSERT_EQ(extents->size(), 1u);
        EXPECT_EQ(extents->front().offset, parts.head.size());
    }
}

INSTANTIATE_TEST_SUITE_P(CompoundFileWriter, WrittenSizes,
                         ::testing::Values(0, 1, 63, 64, 65, 135, 283, 511, 512, 4095, 4096, 4097,
                                           1000000, 109 * 128 * 512, 30000000));

TEST(CompoundFileWriter, WritesAVersion3HeaderWithTheFixedFields) {
    const auto file = WriteCompoundFile(kDocumentClassId, "Contents", Pattern(135));
    ASSERT_GE(file.size(), 512u);
    EXPECT_TRUE(HasCompoundFileSignature(file));
    EXPECT_EQ(cfb::ReadU16(file, cfb::kOffsetMinorVersion), 0x3E);
    EXPECT_EQ(cfb::ReadU16(file, cfb::kOffsetMajorVersion), 3);
    EXPECT_EQ(cfb::ReadU16(file, cfb::kOffsetByteOrder), 0xFFFE);
    EXPECT_EQ(cfb::ReadU16(file, cfb::kOffsetSectorShift), 9);
    EXPECT_EQ(cfb::ReadU16(file, cfb::kOffsetMiniSectorShift), 6);
    EXPECT_EQ(U32(file, cfb::kOffsetDirectorySectorCount), 0u);
    EXPECT_EQ(U32(file, cfb::kOffsetMiniStreamCutoff), 4096u);
    EXPECT_EQ(U32(file, cfb::kOffsetDifatSectorCount), 0u);
    EXPECT_EQ(U32(file, cfb::kOffsetFirstDifatSector), cfb::kEndOfChain);
    // Header class id and reserved bytes stay zero.
    for (std::size_t i = 0x08; i < 0x18; ++i) EXPECT_EQ(file[i], 0) << i;
    for (std::size_t i = 0x22; i < 0x28; ++i) EXPECT_EQ(file[i], 0) << i;
}

TEST(CompoundFileWriter, KeepsSmallStreamsInTheMiniStreamAndLargeOnesOut) {
    for (const std::size_t size : {4095u, 4096u}) {
        const auto file = WriteCompoundFile(kDocumentClassId, "Contents", Pattern(size));
        const std::size_t dir = SectorOffset(U32(file, cfb::kOffsetFirstDirectorySector));
        const bool mini = size < 4096;
        EXPECT_EQ(U32(file, cfb::kOffsetMiniFatSectorCount), mini ? 1u : 0u) << size;
        EXPECT_EQ(cfb::ReadU64(file, dir + cfb::kEntryStreamSize), mini ? 4096u : 0u) << size;
        EXPECT_EQ(cfb::ReadU64(file, dir + 128 + cfb::kEntryStreamSize), size);
    }
}

TEST(CompoundFileWriter, WritesUnusedDirectoryEntriesAsTheFormatRequires) {
    const auto file = WriteCompoundFile(kDocumentClassId, "Contents", {});
    const std::size_t dir = SectorOffset(U32(file, cfb::kOffsetFirstDirectorySector));
    for (std::size_t entry = 2; entry < 4; ++entry) {
        const std::size_t base = dir + entry * 128;
        for (std::size_t i = 0; i < 128; ++i) {
            const bool link = i >= cfb::kEntryLeftSibling && i < cfb::kEntryClassId;
            EXPECT_EQ(file[base + i], link ? 0xFF : 0x00) << "entry " << entry << " byte " << i;
        }
    }
    // An empty stream has no sectors, and the root no mini stream.
    EXPECT_EQ(U32(file, dir + cfb::kEntryStartSector), cfb::kEndOfChain);
    EXPECT_EQ(U32(file, dir + 128 + cfb::kEntryStartSector), cfb::kEndOfChain);
    EXPECT_EQ(U32(file, cfb::kOffsetFirstMiniFatSector), cfb::kEndOfChain);
}

TEST(CompoundFileWriter, MarksFreeSectorsAndListsFatSectorsBeyondTheHeaderInDifatSectors) {
    const auto file = WriteCompoundFile(kDocumentClassId, "Contents", Pattern(30000000));
    const std::uint32_t fatSectors = U32(file, cfb::kOffsetFatSectorCount);
    const std::uint32_t difatSectors = U32(file, cfb::kOffsetDifatSectorCount);
    ASSERT_GT(fatSectors, 109u);
    EXPECT_EQ(difatSectors, (fatSectors - 109 + 126) / 127);
    // Collect the FAT sector numbers through the header and the DIFAT chain.
    std::vector<std::uint32_t> listed;
    for (std::size_t i = 0; i < 109; ++i) listed.push_back(U32(file, 0x4C + 4 * i));
    std::uint32_t difat = U32(file, cfb::kOffsetFirstDifatSector);
    for (std::uint32_t k = 0; k < difatSectors; ++k) {
        for (std::size_t j = 0; j < 127; ++j)
            listed.push_back(U32(file, SectorOffset(difat) + 4 * j));
        difat = U32(file, SectorOffset(difat) + 4 * 127);
    }
    EXPECT_EQ(difat, cfb::kEndOfChain);
    for (std::size_t i = fatSectors; i < listed.size(); ++i) EXPECT_EQ(listed[i], cfb::kFreeSector);
    // Every FAT sector is marked as one, and the FAT's tail beyond the file is free.
    const std::size_t sectorsInFile = file.size() / 512 - 1;
    auto fatEntry = [&](std::size_t i) {
        return U32(file, SectorOffset(listed[i / 128]) + 4 * (i % 128));
    };
    for (std::uint32_t i = 0; i < fatSectors; ++i) EXPECT_EQ(fatEntry(listed[i]), cfb::kFatSector);
    for (std::size_t i = sectorsInFile; i < std::size_t{fatSectors} * 128; ++i) {
        ASSERT_EQ(fatEntry(i), cfb::kFreeSector) << i;
    }
}

TEST(CompoundFileWriter, IsDeterministic) {
    const auto stream = Pattern(5000);
    EXPECT_EQ(WriteCompoundFile(kDocumentClassId, "Contents", stream),
              WriteCompoundFile(kDocumentClassId, "Contents", stream));
}

TEST(CompoundFileWriter, RefusesNamesTheFormatForbids) {
    const std::vector<std::uint8_t> none;
    EXPECT_THROW(WriteCompoundFile(kDocumentClassId, "", none), CompoundFileError);
    EXPECT_THROW(WriteCompoundFile(kDocumentClassId, "a/b", none), CompoundFileError);
    EXPECT_THROW(WriteCompoundFile(kDocumentClassId, "a!b", none), CompoundFileError);
    EXPECT_THROW(WriteCompoundFile(kDocumentClassId, std::string(32, 'x'), none),
                 CompoundFileError);
    EXPECT_THROW(WriteCompoundFile(kDocumentClassId, "\xC3", none), CompoundFileError);
    EXPECT_NO_THROW(WriteCompoundFile(kDocumentClassId, std::string(31, 'x'), none));
}

TEST(CompoundFileWriter, StoresNonAsciiNamesAsUtf16) {
    const auto stream = Pattern(10);
    const auto file = WriteCompoundFile(ClassId{}, "Grüße \xF0\x9D\x84\x9E", stream);
    const CompoundFileReader reader(file);
    EXPECT_EQ(reader.StreamNames(), std::vector<std::string>{"Grüße \xF0\x9D\x84\x9E"});
    EXPECT_EQ(reader.RootClassId(), ClassId{});
    EXPECT_EQ(reader.ReadStream("Grüße \xF0\x9D\x84\x9E"), stream);
}

// ---- several streams -----------------------------------------------------------------------

struct TwoSizes {
    std::size_t first;
    std::size_t second;
};

class TwoStreams : public ::testing::TestWithParam<TwoSizes> {};

TEST_P(TwoStreams, ReadBackIdenticallyWithTheFirstStreamEndingTheFile) {
    const auto contents = Pattern(GetParam().first);
    auto other = Pattern(GetParam().second + 1);
    other.erase(other.begin());  // another pattern than the first stream's
    const CompoundStream streams[] = {{"Contents", contents}, {"Playback", other}};
    const auto file = WriteCompoundFile(kDocumentClassId, streams);
    ASSERT_EQ(file.size() % 512, 0u);
    const CompoundFileReader reader(file);
    EXPECT_EQ(reader.StreamNames(), (std::vector<std::string>{"Contents", "Playback"}));
    EXPECT_EQ(reader.ReadStream("Contents"), contents);
    EXPECT_EQ(reader.ReadStream("playback"), other);

    const CompoundFileParts parts = PlanCompoundFile(kDocumentClassId, streams);
    EXPECT_EQ(parts.stream.data(), contents.data());
    ASSERT_EQ(file.size(), parts.head.size() + contents.size() + parts.padding);
    EXPECT_TRUE(std::equal(parts.head.begin(), parts.head.end(), file.begin()));
    EXPECT_LT(parts.padding, 512u);
    if (!contents.empty()) {
        const auto extents = reader.StreamExtents("Contents");
        ASSERT_TRUE(extents && extents->size() == 1u);
        EXPECT_EQ(extents->front().offset, parts.head.size());
    }
}

INSTANTIATE_TEST_SUITE_P(CompoundFileWriter, TwoStreams,
                         ::testing::Values(TwoSizes{135, 40}, TwoSizes{0, 40}, TwoSizes{135, 0},
                                           TwoSizes{0, 0}, TwoSizes{4096, 40}, TwoSizes{100000, 64},
                                           TwoSizes{40, 5000}, TwoSizes{9000, 5000},
                                           TwoSizes{4095, 4095}));

TEST(CompoundFileWriter, AFileOfOneStreamIsTheSameWhicheverWayItIsAskedFor) {
    for (const std::size_t size : {0u, 135u, 5000u}) {
        const auto stream = Pattern(size);
        const CompoundStream streams[] = {{"Contents", stream}};
        EXPECT_EQ(WriteCompoundFile(kDocumentClassId, streams),
                  WriteCompoundFile(kDocumentClassId, "Contents", stream))
            << size;
    }
}

// The directory's sibling tree, read back: every stream once, in name order, coloured as a
// red-black tree (no red entry under a red one, the same number of black entries on every path).
int CheckTree(const std::vector<std::uint8_t>& file, std::size_t dir, std::uint32_t id,
              std::vector<std::string>& inOrder, bool parentRed) {
    if (id == cfb::kNoStream) return 0;
    const std::size_t entry = dir + std::size_t{id} * 128;
    const bool red = file[entry + cfb::kEntryColor] == 0;
    EXPECT_FALSE(red && parentRed) << "entry " << id;
    const int left = CheckTree(file, dir, U32(file, entry + cfb::kEntryLeftSibling), inOrder, red);
    std::string name;
    for (std::size_t i = 0; i + 2 < cfb::ReadU16(file, entry + cfb::kEntryNameLength); i += 2) {
        name += static_cast<char>(file[entry + i]);
    }
    inOrder.push_back(name);
    const int right =
        CheckTree(file, dir, U32(file, entry + cfb::kEntryRightSibling), inOrder, red);
    EXPECT_EQ(left, right) << "black entries differ below entry " << id;
    return left + (red ? 0 : 1);
}

TEST(CompoundFileWriter, HangsManyStreamsFromABalancedRedBlackTreeInNameOrder) {
    for (std::size_t count = 1; count <= 9; ++count) {
        std::vector<std::string> names;
        std::vector<std::vector<std::uint8_t>> bytes;
        std::vector<CompoundStream> streams;
        // Names of several lengths and cases, given out of order.
        for (std::size_t i = 0; i < count; ++i) {
            names.push_back(std::string(1 + (i * 5) % 4, static_cast<char>('a' + (i * 7) % 9)) +
                            (i % 2 ? "X" : "y"));
            bytes.push_back(Pattern(i * 700));
        }
        for (std::size_t i = 0; i < count; ++i) streams.push_back({names[i], bytes[i]});
        const auto file = WriteCompoundFile(kDocumentClassId, streams);
        const CompoundFileReader reader(file);
        for (std::size_t i = 0; i < count; ++i) {
            EXPECT_EQ(reader.ReadStream(names[i]), bytes[i]) << count << " " << names[i];
        }
        const std::size_t dir = SectorOffset(U32(file, cfb::kOffsetFirstDirectorySector));
        std::vector<std::string> inOrder;
        CheckTree(file, dir, U32(file, dir + cfb::kEntryChild), inOrder, false);
        EXPECT_EQ(inOrder.size(), count);
        for (std::size_t i = 1; i < inOrder.size(); ++i) {
            const std::string& a = inOrder[i - 1];
            const std::string& b = inOrder[i];
            std::string ua = a, ub = b;
            for (auto& c : ua) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            for (auto& c : ub) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            EXPECT_TRUE(a.size() < b.size() || (a.size() == b.size() && ua < ub))
                << a << " before " << b;
        }
    }
}

TEST(CompoundFileWriter, RefusesNoStreamAndANameGivenTwice) {
    const std::vector<std::uint8_t> none;
    EXPECT_THROW(WriteCompoundFile(kDocumentClassId, std::span<const CompoundStream>()),
                 CompoundFileError);
    const CompoundStream twice[] = {{"Contents", none}, {"CONTENTS", none}};
    EXPECT_THROW(WriteCompoundFile(kDocumentClassId, twice), CompoundFileError);
}

}  // namespace
}  // namespace lutaris
