// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "compound/ClassId.h"
#include "compound/CompoundFileError.h"
#include "compound/CompoundFileFormat.h"
#include "compound/CompoundFileReader.h"
#include "compound/CompoundFileWriter.h"
#include "limits/AllocationProbe.h"
#include "platform/files/DocumentClassId.h"
#include "support/TestPaths.h"

namespace lutaris {
namespace {

namespace fs = std::filesystem;
using test::AllocationProbe;

// What the reader may set aside for a file it refuses: tables and owners of its sectors, a copy
// of the directory and the entries parsed from it, all bounded by the file's own size.
std::size_t AllowedLargest(std::size_t fileSize) { return std::max<std::size_t>(fileSize, 16384); }
std::size_t AllowedTotal(std::size_t fileSize) { return 4 * AllowedLargest(fileSize); }

void ExpectRefusedWithinBounds(const std::vector<std::uint8_t>& file, const std::string& what) {
    AllocationProbe probe;
    try {
        const CompoundFileReader reader(file);
        for (const auto& name : reader.StreamNames()) reader.ReadStream(name);
        ADD_FAILURE() << what << " was read";
    } catch (const CompoundFileError&) {
    }
    probe.Report("refusing " + what);
    EXPECT_LE(probe.LargestRequest(), AllowedLargest(file.size())) << what;
    EXPECT_LE(probe.TotalRequested(), AllowedTotal(file.size())) << what;
}

TEST(CompoundFileLimits, DamagedFilesAreRefusedWithMemoryBoundedByTheirSize) {
    const fs::path folder = test::SourceDir() / "tests" / "data" / "damaged-cfb";
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".cfb") continue;
        ExpectRefusedWithinBounds(test::ReadFileBytes(entry.path()),
                                  entry.path().filename().string());
        ++files;
    }
    EXPECT_GE(files, 18);
}

TEST(CompoundFileLimits, LyingSizeFieldsSetNoMemoryAside) {
    auto sizedFile = [] {
        return WriteCompoundFile(kDocumentClassId, "Contents", std::vector<std::uint8_t>(2000, 1));
    };
    const std::size_t directory =
        512 + 512 * std::size_t{cfb::ReadU32(sizedFile(), cfb::kOffsetFirstDirectorySector)};
    struct Lie {
        std::size_t offset;
        std::uint32_t value;
        const char* what;
    };
    for (const Lie& lie : {Lie{directory + 128 + cfb::kEntryStreamSize, 0xFFFFFFF0, "stream size"},
                           Lie{directory + cfb::kEntryStreamSize, 0xFFFFFF00, "mini stream size"},
                           Lie{cfb::kOffsetFatSectorCount, 0x7FFFFFFF, "FAT sector count"},
                           Lie{cfb::kOffsetDifatSectorCount, 0x7FFFFFFF, "DIFAT sector count"},
                           Lie{cfb::kOffsetMiniFatSectorCount, 0x7FFFFFFF, "mini FAT count"}}) {
        auto file = sizedFile();
        cfb::WriteU32(file.data() + lie.offset, lie.value);
        ExpectRefusedWithinBounds(file, std::string("a lying ") + lie.what);
    }
}

TEST(CompoundFileLimits, ReadingALargeStreamSetsAsideLittleBeyondTheStream) {
    const std::vector<std::uint8_t> stream(30000000, 0x5A);
    const auto file = WriteCompoundFile(kDocumentClassId, "Contents", stream);
    AllocationProbe probe;
    const CompoundFileReader reader(file);
    const auto read = reader.ReadStream("Contents");
    probe.Report("reading a 30 MB stream");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->size(), stream.size());
    EXPECT_LE(probe.TotalRequested(), stream.size() + stream.size() / 16);
}

TEST(CompoundFileLimits, WritingALargeStreamAllocatesTheFileOnce) {
    const std::vector<std::uint8_t> stream(33 << 20, 0x5A);
    AllocationProbe probe;
    const auto file = WriteCompoundFile(kDocumentClassId, "Contents", stream);
    probe.Report("writing a 33 MiB stream");
    EXPECT_EQ(probe.LargestRequest(), file.size());
    EXPECT_LE(probe.TotalRequested(), file.size() + 4096);
}

}  // namespace
}  // namespace lutaris
