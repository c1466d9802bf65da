// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>

#include "support/TestPaths.h"
#include "text/TextLineReader.h"
#include "text/TextTabImporter.h"

namespace lutaris {
namespace {

TabNote Note(std::int32_t fret, std::int32_t string, std::int32_t column) {
    return TabNote{fret, string, column, 0, Normal};
}

// Files that are not tablature at all, or tablature gone wrong: whatever the bytes, the import
// ends with a result or a failure it can name, in time and memory in proportion to the file.
class TextImportHostileInput : public ::testing::Test {
protected:
    TextTabImporter::Status ImportFile(const std::string& bytes) {
        const auto path = dir / "input.txt";
        test::WriteFileText(path, bytes);
        items.clear();
        items.push_back(std::make_unique<Tablature>(&settings));
        Tablature* current = items.front().get();
        TextTabImporter importer(&settings, items, current);
        TextLineReader reader;
        EXPECT_TRUE(reader.Open(path.string()));
        const auto status = importer.AddLines(reader);
        bufferCapacity = reader.BufferCapacity();
        return status;
    }
    std::size_t NoteCount() const {
        std::size_t count = 0;
        for (const auto& item : items) count += item->notes.size();
        return count;
    }

    test::TempDir dir;
    TabSettings settings;
    std::vector<std::unique_ptr<Tablature>> items;
    std::size_t bufferCapacity = 0;
};

TEST_F(TextImportHostileInput, RandomBytesGiveSomeResult) {
    std::mt19937 random(2024);
    std::string bytes(1 << 20, '\0');
    for (auto& byte : bytes) byte = static_cast<char>(random());
    // Most lines begin with a dash, so that random bytes form blocks of string lines; the rest
    // begin at random and mostly close the block.
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        if ((bytes[i] == '\n' || bytes[i] == '\r') && random() % 6 != 0) bytes[i + 1] = '-';
    }
    ASSERT_EQ(ImportFile(bytes), TextTabImporter::Status::Ok);
    // Such lines hold digits enough for many notes; a note needs at least one byte of its own.
    EXPECT_GT(NoteCount(), 0u);
    EXPECT_LT(NoteCount(), bytes.size());
    EXPECT_LT(items.size(), bytes.size());
}

TEST_F(TextImportHostileInput, NulAndInvalidUtf8BytesAreCharactersWithoutARule) {
    const std::string nul("|-5\0-7-\n-\n-\n-\n\n", 16);
    ASSERT_EQ(ImportFile(nul), TextTabImporter::Status::Ok);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->notes, (std::vector<TabNote>{Note(5, 0, 0), Note(7, 0, 1)}));

    // A lone continuation byte, a truncated sequence, an overlong slash and bytes that are
    // never UTF-8: each closes the note before it and starts nothing.
    ASSERT_EQ(ImportFile("|-5\x80-6\xc3-7\xc0\xaf-8\xff\xfe-\n-\n-\n-\n\n"),
              TextTabImporter::Status::Ok);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->notes,
              (std::vector<TabNote>{Note(5, 0, 0), Note(6, 0, 1), Note(7, 0, 2), Note(8, 0, 3)}));
}

TEST_F(TextImportHostileInput, AFileWithoutLineEndsIsOneLineThatClosesNoBlock) {
    std::string bytes;
    for (int i = 0; i < 200'000; ++i) bytes += "|-5-";
    ASSERT_EQ(ImportFile(bytes), TextTabImporter::Status::Ok);
    EXPECT_EQ(items.size(), 1u);
    EXPECT_EQ(NoteCount(), 0u);
}

TEST_F(TextImportHostileInput, AHundredThousandDashedLinesMakeOneBlockOfSeven) {
    std::string bytes;
    for (int i = 0; i < 100'000; ++i) bytes += "|-" + std::to_string(i % 10) + "-\n";
    ASSERT_EQ(ImportFile(bytes + "\n"), TextTabImporter::Status::Ok);
    ASSERT_EQ(items.size(), 1u);
    ASSERT_EQ(items[0]->notes.size(), 7u);
    for (int k = 0; k < 7; ++k) EXPECT_EQ(items[0]->notes[std::size_t(k)], Note(k, k, 0));
}

TEST_F(TextImportHostileInput, AFiftyMegabyteLineIsReadWhole) {
    std::string line;
    line.reserve(50'000'000);
    while (line.size() < 50'000'000) line += "|-5-";
    // Alone it is a block of one line and is dropped, but only after it was read to its end.
    ASSERT_EQ(ImportFile(line + "\n\n"), TextTabImporter::Status::Ok);
    EXPECT_EQ(items.size(), 1u);
    EXPECT_EQ(NoteCount(), 0u);
    EXPECT_LE(bufferCapacity, std::size_t{128} << 20);
}

}  // namespace
}  // namespace lutaris
