// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "edit/RandomRiffGenerator.h"
#include "model/CommandIds.h"
#include "platform/runtime/Rng.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

using test::Note;

TEST(RandomRiffGenerator, SeedZeroGivesNineNotesDrawnInStringThenFretOrder) {
    TabSettings settings;
    Tablature item(&settings);
    Rng rng(0);
    RandomRiffGenerator(rng).Fill(item, 6);
    // The first draw from seed 0 is 38, so 38 % 10 + 1 = 9 notes; then each note draws its
    // string (7719 % 6 = 3), then its fret (21238 % 24 = 22), and so on.
    const std::vector<TabNote> expected = {Note(22, 3, 0), Note(23, 1, 1), Note(13, 1, 2),
                                           Note(10, 5, 3), Note(21, 0, 4), Note(14, 2, 5),
                                           Note(17, 5, 6), Note(17, 3, 7), Note(21, 5, 8)};
    EXPECT_EQ(item.notes, expected);
}

TEST(RandomRiffGenerator, EveryRiffFillsColumnsWithoutGapsWithinTheRanges) {
    TabSettings settings;
    Rng rng(987654321);
    for (int round = 0; round < 200; ++round) {
        Tablature item(&settings);
        RandomRiffGenerator(rng).Fill(item, 6);
        ASSERT_GE(item.NoteCount(), 1);
        ASSERT_LE(item.NoteCount(), 10);
        for (std::int32_t i = 0; i < item.NoteCount(); ++i) {
            const auto& note = item.notes[static_cast<std::size_t>(i)];
            EXPECT_EQ(note.column, i);
            EXPECT_GE(note.string, 0);
            EXPECT_LT(note.string, 6);
            EXPECT_GE(note.fret, 0);
            EXPECT_LT(note.fret, 24);
            EXPECT_EQ(note.action, Normal);
            EXPECT_EQ(note.reserved, 0);
        }
    }
}

TEST(RandomRiffGenerator, NoStringsPutsEveryNoteOnStringZeroWithTheSameDraws) {
    TabSettings settings;
    for (const std::int32_t strings : {0, -6}) {
        Tablature item(&settings);
        Rng rng(0);
        RandomRiffGenerator(rng).Fill(item, strings);
        ASSERT_EQ(item.NoteCount(), 9);
        EXPECT_EQ(item.notes[0], Note(22, 0, 0));
        EXPECT_EQ(item.notes[8], Note(21, 0, 8));
    }
}

using RandomRiffCommandTest = test::DocumentTest;

TEST_F(RandomRiffCommandTest, InsertRandomRiffAppendsAnItemAndLeavesTheCaret) {
    AddItems(1);
    doc.GetRng().Seed(0);
    doc.SetModifiedFlag(false);
    Tablature* caretItem = doc.cursor->tabItem;
    EXPECT_TRUE(doc.OnCommand(ID_INSERT_RANDOM_RIFF));
    ASSERT_EQ(doc.tabItems.size(), 3u);
    EXPECT_EQ(doc.tabItems[2]->position, 2);
    EXPECT_EQ(doc.tabItems[2]->NoteCount(), 9);
    EXPECT_EQ(doc.cursor->tabItem, caretItem);
    EXPECT_TRUE(doc.IsModified());
}

}  // namespace
}  // namespace lutaris
