// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "limits/AllocationProbe.h"
#include "model/CommandIds.h"
#include "support/DocumentFixture.h"
#include "text/TextLineReader.h"

namespace lutaris {
namespace {

namespace fs = std::filesystem;
using test::AllocationProbe;

// Import File on hostile text: the memory a file costs follows its longest line (up to the
// reader's limit) and what it makes, never the file's size as such.
class ImportFileLimitsTest : public test::DocumentTest {
protected:
    void Import(const fs::path& file) {
        prompter.ClearMessages();
        prompter.QueueAnswer(MessageAnswer::Yes);
        prompter.QueueFile(file.string());
        doc.OnCommand(ID_IMPORT_FILE);
    }
};

TEST_F(ImportFileLimitsTest, ALineBeyondTheLimitIsRefusedWithoutReadingTheRest) {
    // Sparse: a gibibyte of zero bytes without a line end, which costs nothing to make.
    const auto file = dir / "endless.txt";
    { std::ofstream create(file); }
    fs::resize_file(file, std::uintmax_t{1} << 30);
    AllocationProbe probe;
    Import(file);
    probe.Report("importing a 1 GiB line");
    ASSERT_EQ(MessageTexts().size(), 2u);
    EXPECT_EQ(MessageTexts()[1], "Line 1 of this file is longer than 64 MB.\nThe file was not imported.");
    EXPECT_LE(probe.LargestRequest(), 2 * TextLineReader::kDefaultMaxLineLength);
    EXPECT_LE(probe.TotalRequested(), 4 * TextLineReader::kDefaultMaxLineLength);
}

TEST_F(ImportFileLimitsTest, ManyShortLinesNeedNoMoreThanTheReadersChunk) {
    // Eight megabytes of lines without a dash: they close blocks and make nothing.
    const auto file = dir / "words.txt";
    {
        std::ofstream out(file, std::ios::binary);
        const std::string line = "words and more words, but not one dash\n";
        for (std::size_t written = 0; written < (8u << 20); written += line.size()) out << line;
    }
    AllocationProbe probe;
    Import(file);
    probe.Report("importing 8 MB of short lines");
    EXPECT_EQ(MessageTexts().size(), 1u);  // only the question before the import
    EXPECT_LE(probe.LargestRequest(), 256u << 10);
}

}  // namespace
}  // namespace lutaris
