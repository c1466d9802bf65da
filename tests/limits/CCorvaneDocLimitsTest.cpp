// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "compound/ClassId.h"
#include "compound/CompoundFileWriter.h"
#include "limits/AllocationProbe.h"
#include "platform/files/DocumentClassId.h"
#include "support/ContentsBuilder.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

namespace fs = std::filesystem;
using test::AllocationProbe;
using test::ContentsBuilder;

constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();

// Opening a damaged file through the document, as File > Open does: refused with the one
// message the file's fault calls for, at a cost bounded by the file's own size (the file is
// read whole, the compound-file tables are a fraction of it) and never by what its fields
// claim. Timings are logged, not asserted.
class CCorvaneDocLimitsTest : public test::DocumentTest {
protected:
    static std::size_t AllowedLargest(std::size_t fileSize) {
        return std::max<std::size_t>(fileSize, 16384);
    }

    void ExpectRefused(const fs::path& file, const std::string& message) {
        const auto size = static_cast<std::size_t>(fs::file_size(file));
        prompter.ClearMessages();
        AllocationProbe probe;
        EXPECT_FALSE(doc.OnOpenDocument(file.string())) << file;
        probe.Report("opening " + file.filename().string());
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{message}) << file;
        EXPECT_LE(probe.LargestRequest(), AllowedLargest(size)) << file;
        EXPECT_LE(probe.TotalRequested(), 4 * AllowedLargest(size) + 65536) << file;
        // Refused, the document is a new untitled one, ready for every command.
        EXPECT_EQ(doc.tabItems.size(), 1u);
        EXPECT_EQ(doc.cursor->tabItem, doc.tabItems.front().get());
        EXPECT_TRUE(doc.GetPathName().empty());
    }

    // The stream as a plain file and inside a sound compound file.
    std::vector<fs::path> BothForms(const std::string& name, const std::vector<std::uint8_t>& contents) {
        test::WriteFileBytes(dir / (name + ".contents"), contents);
        test::WriteFileBytes(dir / (name + ".ltf"),
                             WriteCompoundFile(kDocumentClassId, "Contents", contents));
        return {dir / (name + ".contents"), dir / (name + ".ltf")};
    }
};

TEST_F(CCorvaneDocLimitsTest, EveryDamagedCompoundFileFailsToOpenAtSmallCost) {
    const fs::path corpus = test::SourceDir() / "tests" / "data" / "damaged-cfb";
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(corpus)) {
        if (entry.path().extension() == ".cfb") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 10u) << corpus;
    for (const auto& file : files) ExpectRefused(file, "Failed to open document.");
}

TEST_F(CCorvaneDocLimitsTest, LyingCountsEndAtTheStreamWithoutSettingMemoryAside) {
    const TabNote note{5, 1, 0, 0, Normal};
    const auto items = ContentsBuilder().DefaultHeader().Int(kLargest).Item(0, {note}).Bytes();
    const auto notes = ContentsBuilder()
                           .DefaultHeader()
                           .Int(1)
                           .Zeros(80)
                           .Int(0)
                           .Int(kLargest)
                           .Ints({1, 2, 3, 4, 5})
                           .Bytes();
    const auto both = ContentsBuilder()
                          .DefaultHeader()
                          .Int(kLargest)
                          .Zeros(80)
                          .Int(0)
                          .Int(kLargest)
                          .Bytes();
    for (const auto& [name, contents] : {std::pair{"items", items}, std::pair{"notes", notes},
                                         std::pair{"both", both}}) {
        for (const auto& file : BothForms(name, contents)) {
            ExpectRefused(file, "Unexpected file format.");
        }
    }
}

TEST_F(CCorvaneDocLimitsTest, AFileWithoutTheMagicIsRefusedBeforeItsCountsAreRead) {
    auto contents = ContentsBuilder().Raw("Lutaris_0.3").Ints({1, 1, 24, 12, 8, 6, 30, 1}).Int(kLargest).Bytes();
    for (const auto& file : BothForms("magic", contents)) {
        ExpectRefused(file, "This is not a Lutaris file");
    }
}

}  // namespace
}  // namespace lutaris
