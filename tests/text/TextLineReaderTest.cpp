// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/TestPaths.h"
#include "text/TextLineReader.h"

namespace lutaris {
namespace {

using Lines = std::vector<std::string>;

Lines ReadAll(TextLineReader& reader) {
    Lines lines;
    std::string_view line;
    TextLineReader::Status status;
    while ((status = reader.Next(line)) == TextLineReader::Status::Line) lines.emplace_back(line);
    EXPECT_EQ(status, TextLineReader::Status::End);
    return lines;
}

Lines ReadText(std::string_view text) {
    TextLineReader reader;
    reader.SetText(text);
    return ReadAll(reader);
}

TEST(TextLineReader, EndsLinesAtLineFeedsCarriageReturnsAndTheirPairs) {
    EXPECT_EQ(ReadText("a\nb\r\nc\rd\r\r\ne"), (Lines{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(ReadText("a\n\nb\r\n\r\nc\r\rd\n"), (Lines{"a", "", "b", "", "c", "", "d"}));
    EXPECT_EQ(ReadText("\n"), (Lines{""}));
    EXPECT_EQ(ReadText("\r"), (Lines{""}));
    EXPECT_EQ(ReadText(""), Lines{});
    EXPECT_EQ(ReadText("no end"), (Lines{"no end"}));
}

TEST(TextLineReader, AFileReadsLikeTheSameTextInMemoryAcrossChunkBoundaries) {
    // Short and long lines (one longer than a chunk) with CR runs that straddle the chunks.
    std::mt19937 random(7);
    std::string text;
    const char alphabet[] = {'-', '5', '\r', '\n', '|', '\r'};
    while (text.size() < 600'000) {
        if (random() % 50 == 0) text += std::string(100'000 + random() % 1000, '-');
        text += alphabet[random() % sizeof alphabet];
    }
    text += "\r\r";
    test::TempDir dir;
    test::WriteFileText(dir / "lines.txt", text);

    TextLineReader reader;
    ASSERT_TRUE(reader.Open((dir / "lines.txt").string()));
    const Lines fromFile = ReadAll(reader);
    EXPECT_EQ(fromFile, ReadText(text));
    EXPECT_EQ(reader.LineNumber(), static_cast<std::int64_t>(fromFile.size()));
}

TEST(TextLineReader, HoldsNoMoreThanTheLongestLineNeeds) {
    test::TempDir dir;
    std::string text;
    for (int i = 0; i < 40'000; ++i) text += "|-----5-----|\r\n";  // 600 kB
    test::WriteFileText(dir / "short.txt", text);
    TextLineReader reader;
    ASSERT_TRUE(reader.Open((dir / "short.txt").string()));
    EXPECT_EQ(ReadAll(reader).size(), 40'000u);
    EXPECT_LE(reader.BufferCapacity(), std::size_t{128} << 10);
}

TEST(TextLineReader, ALineOverTheLimitStopsTheReading) {
    TextLineReader reader(10);
    reader.SetText("0123456789\nabcdefghijk\nshort\n");
    std::string_view line;
    EXPECT_EQ(reader.Next(line), TextLineReader::Status::Line);
    EXPECT_EQ(line, "0123456789");
    EXPECT_EQ(reader.Next(line), TextLineReader::Status::LineTooLong);
    EXPECT_EQ(reader.LineNumber(), 2);
    EXPECT_EQ(reader.Next(line), TextLineReader::Status::LineTooLong);

    // A file without any line end: the reader gives up once the limit is passed, without
    // reading the rest into memory.
    test::TempDir dir;
    test::WriteFileText(dir / "one.txt", std::string(3'000'000, '-'));
    TextLineReader fileReader(100'000);
    ASSERT_TRUE(fileReader.Open((dir / "one.txt").string()));
    EXPECT_EQ(fileReader.Next(line), TextLineReader::Status::LineTooLong);
    EXPECT_EQ(fileReader.LineNumber(), 1);
    EXPECT_LT(fileReader.BufferCapacity(), std::size_t{400'000});
}

TEST(TextLineReader, MissingFilesAndFoldersDoNotOpen) {
    test::TempDir dir;
    TextLineReader reader;
    EXPECT_FALSE(reader.Open((dir / "missing.txt").string()));
    EXPECT_FALSE(reader.Open(dir.Path().string()));
    test::WriteFileText(dir / "empty.txt", "");
    ASSERT_TRUE(reader.Open((dir / "empty.txt").string()));
    std::string_view line;
    EXPECT_EQ(reader.Next(line), TextLineReader::Status::End);
}

}  // namespace
}  // namespace lutaris
