// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "model/Tablature.h"

#include <gtest/gtest.h>

#include "platform/files/Archive.h"

namespace lutaris {
namespace {

TabNote Note(std::int32_t fret, std::int32_t string, std::int32_t column,
             std::int32_t action = Normal, std::int32_t reserved = 0) {
    return TabNote{fret, string, column, reserved, action};
}

TEST(Tablature, EmptyItemIsThreeColumnsWideAndSettingsHigh) {
    TabSettings settings;
    Tablature item(&settings);
    EXPECT_EQ(item.GetExtent(), (LayoutSize{72, 90}));
    EXPECT_EQ(item.MaxColumn(), 0);
    EXPECT_EQ(item.MaxColumnOrMinusOne(), -1);
    EXPECT_EQ(item.scale, 1);
    EXPECT_EQ(item.GetLastOrigin(), (LayoutPoint{0, 0}));
    for (auto byte : item.reservedBlock) EXPECT_EQ(byte, 0);
}

TEST(Tablature, WidthFollowsTheGreatestColumnAndSettingsChangesApplyAtOnce) {
    TabSettings settings;
    Tablature item(&settings);
    item.AppendNote(Note(1, 0, 9));
    item.AppendNote(Note(2, 1, 4));
    EXPECT_EQ(item.GetExtent().width, 288);
    settings.horizontalSpacing = 10;
    settings.numberOfStrings = 4;
    EXPECT_EQ(item.GetExtent(), (LayoutSize{120, 66}));
}

TEST(Tablature, ExtentOfHostileSettingsDoesNotOverflow) {
    TabSettings settings;
    settings.horizontalSpacing = 2147483647;
    settings.numberOfStrings = -2147483647;
    settings.verticalSpacing = 2147483647;
    Tablature item(&settings);
    item.AppendNote(Note(1, 0, 2147483647));
    const auto extent = item.GetExtent();
    EXPECT_EQ(extent.width, 2147483647);
    EXPECT_EQ(extent.height, -2147483647 - 1);
}

TEST(Tablature, FindNoteMatchesAnyStringWhenNegativeAndTakesTheFirstInListOrder) {
    TabSettings settings;
    Tablature item(&settings);
    item.AppendNote(Note(1, 3, 4));
    item.AppendNote(Note(2, 2, 4));
    item.AppendNote(Note(3, 2, 4));
    ASSERT_NE(item.FindNote(4, -1), nullptr);
    EXPECT_EQ(item.FindNote(4, -1)->fret, 1);
    EXPECT_EQ(item.FindNote(4, 2)->fret, 2);
    EXPECT_EQ(item.FindNote(4, 5), nullptr);
    EXPECT_EQ(item.FindNote(5, -1), nullptr);
}

TEST(Tablature, StoresAndLoadsTheRecordByteForByte) {
    TabSettings settings;
    Tablature item(&settings);
    for (std::size_t i = 0; i < item.reservedBlock.size(); ++i) {
        item.reservedBlock[i] = static_cast<std::uint8_t>(i * 3 + 1);
    }
    item.position = 7;
    item.AppendNote(Note(12, 5, 3, HammerOn, -559038737));
    item.AppendNote(Note(BlankFret, 0, 1, SlideUp));
    Archive out;
    item.Serialize(out);
    const auto bytes = out.TakeStoredBytes();
    ASSERT_EQ(bytes.size(), 88u + 2 * 20);
    EXPECT_EQ(bytes[80], 7);   // position after the reserved block
    EXPECT_EQ(bytes[84], 2);   // note count
    EXPECT_EQ(bytes[88], 12);  // first note's fret

    Archive in(bytes);
    Tablature loaded(&settings);
    loaded.Serialize(in);
    EXPECT_EQ(loaded.reservedBlock, item.reservedBlock);
    EXPECT_EQ(loaded.position, 7);
    EXPECT_EQ(loaded.notes, item.notes);

    Archive again;
    loaded.Serialize(again);
    EXPECT_EQ(again.StoredBytes(), bytes);
}

TEST(Tablature, LoadingACountOfZeroOrLessReadsNoNotes) {
    for (std::int32_t count : {0, -5}) {
        Archive out;
        std::uint8_t block[80] = {};
        out.WriteRaw(block, sizeof block);
        out.WriteInt32(1);
        out.WriteInt32(count);
        out.WriteInt32(99);  // would be a fret if read
        const auto bytes = out.TakeStoredBytes();
        Archive in(bytes);
        TabSettings settings;
        Tablature item(&settings);
        item.Serialize(in);
        EXPECT_EQ(item.NoteCount(), 0);
        EXPECT_EQ(in.Remaining(), 4u);
    }
}

TEST(Tablature, ANoteCountBeyondTheStreamEndsWithEndOfFile) {
    Archive out;
    std::uint8_t block[80] = {};
    out.WriteRaw(block, sizeof block);
    out.WriteInt32(0);
    out.WriteInt32(2147483647);
    TabNote{1, 2, 3, 4, 5}.Serialize(out);
    const auto bytes = out.TakeStoredBytes();
    Archive in(bytes);
    TabSettings settings;
    Tablature item(&settings);
    EXPECT_THROW(item.Serialize(in), ArchiveEndOfFile);
    EXPECT_EQ(item.NoteCount(), 1);
}

TEST(Tablature, LoadingAppendsEveryWholeNoteAndThenOneCutInItsRawWords) {
    // Two whole notes written byte by byte, as the file format defines them, then a third
    // that the stream ends inside of its action word.
    Archive out;
    std::uint8_t block[80] = {};
    out.WriteRaw(block, sizeof block);
    out.WriteInt32(4);
    out.WriteInt32(3);
    const std::uint8_t notes[] = {
        0x9E, 0xFF, 0xFF, 0xFF, 0x05, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00,  // -98, 5, 16
        0xEF, 0xBE, 0xAD, 0xDE, 0x06, 0x00, 0x00, 0x00,                          // reserved, 6
        0x18, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x7F,  // 24, 0, max
        0x00, 0x00, 0x00, 0x80, 0x0E, 0x00, 0x00, 0x00,                          // min, 14
        0x07, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00,  // 7, 2, 3
        0x44, 0x33, 0x22, 0x11, 0x0A, 0x00};  // reserved, and half an action
    out.WriteRaw(notes, sizeof notes);
    const auto bytes = out.TakeStoredBytes();

    TabSettings settings;
    Tablature item(&settings);
    item.AppendNote(Note(1, 1, 1));
    Archive in(bytes);
    item.Serialize(in);
    ASSERT_EQ(item.NoteCount(), 4);
    EXPECT_EQ(item.notes[0], Note(1, 1, 1));
    EXPECT_EQ(item.notes[1], (TabNote{BlankFret, 5, 16, static_cast<std::int32_t>(0xDEADBEEF), 6}));
    EXPECT_EQ(item.notes[2], (TabNote{24, 0, 2147483647, -2147483647 - 1, Harmonic}));
    EXPECT_EQ(item.notes[3], (TabNote{7, 2, 3, 0x11223344, 0x0A}));
    EXPECT_EQ(in.Remaining(), 0u);

    // One note more than the stream holds: the whole ones and the cut one are kept, then the
    // end of the file.
    auto longer = bytes;
    longer[84] = 4;
    Tablature cut(&settings);
    Archive again(longer);
    EXPECT_THROW(cut.Serialize(again), ArchiveEndOfFile);
    ASSERT_EQ(cut.NoteCount(), 3);
    EXPECT_EQ(cut.notes[2], (TabNote{7, 2, 3, 0x11223344, 0x0A}));
}

TEST(TabNote, ANoteCutInItsRawWordsLoadsWithTheMissingBytesZero) {
    Archive out;
    out.WriteInt32(5);
    out.WriteInt32(1);
    out.WriteInt32(2);
    const std::uint8_t partial[5] = {0x11, 0x22, 0x33, 0x44, 0x0A};
    out.WriteRaw(partial, sizeof partial);
    const auto bytes = out.TakeStoredBytes();
    Archive in(bytes);
    TabNote note{9, 9, 9, 9, 9};
    note.Clear();
    note.Serialize(in);
    EXPECT_EQ(note, (TabNote{5, 1, 2, 0x44332211, 0x0A}));
}

}  // namespace
}  // namespace lutaris
