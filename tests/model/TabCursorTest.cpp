// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <limits>

#include "model/TabCursor.h"
#include "platform/keys/VirtualKeyCodes.h"
#include "support/TabDocumentFixture.h"

namespace lutaris {
namespace {

using test::Note;

constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();

// A caret on an item of its own; the tests play the document's part where they need it.
class TabCursorTest : public ::testing::Test {
protected:
    TabCursorTest() : item(&settings), cursor(&settings) { cursor.tabItem = &item; }

    // The caret on a note, as the document's reload leaves it.
    void StandOn(const TabNote& note) {
        cursor.current = note;
        cursor.previous = note;
    }
    void StandOnEmpty(std::int32_t string, std::int32_t column) {
        cursor.current = Note(0, string, column, NoNote);
        cursor.previous = cursor.current;
    }

    TabSettings settings;
    Tablature item;
    TabCursor cursor;
};

TEST_F(TabCursorTest, StartsOnAnEmptyCellAtColumnZeroStringZero) {
    TabCursor fresh(&settings);
    EXPECT_EQ(fresh.tabItem, nullptr);
    EXPECT_EQ(fresh.current, Note(0, 0, 0, NoNote));
    EXPECT_EQ(fresh.previous, Note(0, 0, 0, NoNote));
    fresh.ClearNotes();
    EXPECT_EQ(fresh.current, Note(0, 0, 0, Normal));
}

TEST_F(TabCursorTest, ResetAndLoadTouchOnlyFretAndAction) {
    cursor.current = Note(5, 3, 7, BendUp, 99);
    cursor.previous = Note(6, 2, 1, Tap, 98);
    cursor.LoadNote(12, Harmonic);
    EXPECT_EQ(cursor.current, Note(12, 3, 7, Harmonic, 99));
    EXPECT_EQ(cursor.previous, Note(12, 2, 1, Harmonic, 98));
    cursor.ResetNotes();
    EXPECT_EQ(cursor.current, Note(0, 3, 7, NoNote, 99));
    EXPECT_EQ(cursor.previous, Note(0, 2, 1, NoNote, 98));
}

TEST_F(TabCursorTest, TypingDigitsKeepsTheLastTwo) {
    StandOnEmpty(2, 4);
    const std::pair<std::int32_t, std::int32_t> typed[] = {
        {1, 1}, {2, 12}, {5, 25}, {0, 50}, {7, 7}};
    for (const auto& [digit, fret] : typed) {
        EXPECT_EQ(cursor.OnKey(vk::Digit0 + digit), StoreNote);
        EXPECT_EQ(cursor.current, Note(fret, 2, 4, Normal));
        EXPECT_EQ(cursor.previous, cursor.current);
    }
}

TEST_F(TabCursorTest, DigitKeepsATechniqueButTurnsMuteIntoANormalNote) {
    StandOn(Note(5, 1, 1, BendUp));
    cursor.OnKey(vk::Digit0 + 3);
    EXPECT_EQ(cursor.previous, Note(53, 1, 1, BendUp));
    StandOn(Note(0, 1, 1, Mute));
    cursor.OnKey(vk::Digit0 + 3);
    EXPECT_EQ(cursor.previous, Note(3, 1, 1, Normal));
}

TEST_F(TabCursorTest, DigitOnABlankSlideStartsFromZeroAndHugeFretsWrapInsteadOfOverflowing) {
    StandOn(Note(BlankFret, 0, 0, SlideUp));
    cursor.OnKey(vk::Digit0 + 4);
    EXPECT_EQ(cursor.current.fret, 4);
    EXPECT_EQ(cursor.current.action, SlideUp);
    // An imported fret can be any number: 2147483647 × 10 + 3 wraps to −7 in 32 bits.
    StandOn(Note(kIntMax, 0, 0, Normal));
    cursor.OnKey(vk::Digit0 + 3);
    EXPECT_EQ(cursor.current.fret, -7);
}

TEST_F(TabCursorTest, PreviousKeepsItsReservedWordWhenADigitIsTyped) {
    cursor.current = Note(1, 0, 0, Normal, 5);
    cursor.previous = Note(9, 3, 3, Tap, 77);
    cursor.OnKey(vk::Digit0 + 2);
    EXPECT_EQ(cursor.previous, Note(12, 0, 0, Normal, 77));
}

TEST_F(TabCursorTest, TechniqueLettersSetTheirActionAndToggleBackToNormal) {
    const std::pair<std::int32_t, std::int32_t> keys[] = {
        {vk::A, Harmonic}, {vk::B, BendUp},  {vk::H, HammerOn},
        {vk::O, Optional}, {vk::P, PullOff}, {vk::R, BendRelease},
        {vk::S, Unmarked}, {vk::T, Tap},     {vk::Oem3, Vibrato}};
    for (const auto& [key, action] : keys) {
        StandOn(Note(7, 2, 3, Normal));
        EXPECT_EQ(cursor.OnKey(key), StoreNote) << key;
        EXPECT_EQ(cursor.current, Note(7, 2, 3, action)) << key;
        EXPECT_EQ(cursor.previous, Note(7, 2, 3, action)) << key;
        EXPECT_EQ(cursor.OnKey(key), StoreNote) << key;
        EXPECT_EQ(cursor.current.action, Normal) << key;
    }
}

TEST_F(TabCursorTest, TechniqueLettersAndClearDoNothingOnAnEmptyCell) {
    for (const auto key :
         {vk::A, vk::B, vk::H, vk::O, vk::P, vk::R, vk::S, vk::T, vk::Oem3, vk::Z}) {
        StandOnEmpty(1, 2);
        const TabCursor before = cursor;
        EXPECT_EQ(cursor.OnKey(key), 0) << key;
        EXPECT_EQ(cursor.current, before.current) << key;
        EXPECT_EQ(cursor.previous, before.previous) << key;
    }
}

TEST_F(TabCursorTest, SlideOnAnEmptyCellMakesABlankNoteAndASecondSlideClearsIt) {
    for (const auto& [key, action] :
         {std::pair{vk::Oem2, SlideUp}, std::pair{vk::Oem5, SlideDown}}) {
        StandOnEmpty(3, 1);
        EXPECT_EQ(cursor.OnKey(key), StoreNote);
        EXPECT_EQ(cursor.previous, Note(BlankFret, 3, 1, action));
        EXPECT_EQ(cursor.OnKey(key), StoreNote);
        EXPECT_EQ(cursor.previous, Note(BlankFret, 3, 1, Normal));
    }
}

TEST_F(TabCursorTest, MuteWorksOnAnEmptyCellAndTogglesBack) {
    StandOnEmpty(0, 0);
    EXPECT_EQ(cursor.OnKey(vk::X), StoreNote);
    EXPECT_EQ(cursor.previous, Note(0, 0, 0, Mute));
    EXPECT_EQ(cursor.OnKey(vk::X), StoreNote);
    EXPECT_EQ(cursor.previous, Note(0, 0, 0, Normal));
}

TEST_F(TabCursorTest, ClearActionKeepsTheFretUnderAHundred) {
    StandOn(Note(123, 4, 2, BendUp));
    EXPECT_EQ(cursor.OnKey(vk::Z), StoreNote);
    EXPECT_EQ(cursor.current, Note(23, 4, 2, Normal));
    EXPECT_EQ(cursor.previous, Note(23, 4, 2, Normal));
}

TEST_F(TabCursorTest, DeleteAndBackspaceAskTheDocumentToDelete) {
    StandOn(Note(3, 1, 1, Normal));
    EXPECT_EQ(cursor.OnKey(vk::Delete), DeleteNote | Repaint);
    EXPECT_EQ(cursor.OnKey(vk::Back), 65);
    EXPECT_EQ(cursor.current, Note(3, 1, 1, Normal));
}

TEST_F(TabCursorTest, KeysOutsideTheMapAndKeypadDigitsDoNothing) {
    StandOn(Note(3, 1, 1, Normal));
    for (const auto key : {vk::Numpad0, vk::Numpad9, 0, 13, 32, vk::PageUp, 67, 255, -1, kIntMin}) {
        EXPECT_EQ(cursor.OnKey(key), 0) << key;
        EXPECT_EQ(cursor.current, Note(3, 1, 1, Normal)) << key;
    }
}

TEST_F(TabCursorTest, LeftAtColumnZeroAsksForThePreviousItem) {
    StandOnEmpty(2, 0);
    EXPECT_EQ(cursor.OnKey(vk::Left), 35);
    EXPECT_EQ(cursor.current.column, 0);
    StandOn(Note(4, 2, 0, Normal));
    EXPECT_EQ(cursor.OnKey(vk::Left), 11);
    EXPECT_EQ(cursor.previous, Note(4, 2, 0, Normal));
}

TEST_F(TabCursorTest, MovementCopiesTheWholeNoteIntoPreviousThenMoves) {
    cursor.current = Note(4, 2, 5, Tap, 66);
    EXPECT_EQ(cursor.OnKey(vk::Left), StoreNote | Repaint);
    EXPECT_EQ(cursor.previous, Note(4, 2, 5, Tap, 66));
    EXPECT_EQ(cursor.current.column, 4);
    StandOnEmpty(2, 5);
    EXPECT_EQ(cursor.OnKey(vk::Up), ReloadNote | Repaint);
    EXPECT_EQ(cursor.current.string, 1);
    EXPECT_EQ(cursor.OnKey(vk::Down), 33);
    EXPECT_EQ(cursor.current.string, 2);
}

TEST_F(TabCursorTest, VerticalMovesStopAtTheFirstAndLastString) {
    StandOnEmpty(0, 0);
    EXPECT_EQ(cursor.OnKey(vk::Up), 33);
    EXPECT_EQ(cursor.current.string, 0);
    StandOn(Note(1, 5, 0, Normal));
    EXPECT_EQ(cursor.OnKey(vk::Down), 9);
    EXPECT_EQ(cursor.current.string, 5);
}

TEST_F(TabCursorTest, DownNeverMovesWithoutStringsAndDoesNotOverflowOnHostileCounts) {
    for (const auto count : {0, -3, kIntMin}) {
        settings.numberOfStrings = count;
        StandOnEmpty(0, 0);
        EXPECT_EQ(cursor.OnKey(vk::Down), 33);
        EXPECT_EQ(cursor.current.string, 0) << count;
    }
}

TEST_F(TabCursorTest, RightStopsOnePastTheLastNoteThenAsksForTheNextItem) {
    item.AppendNote(Note(3, 0, 0));
    item.AppendNote(Note(5, 1, 2));
    StandOnEmpty(4, 2);
    EXPECT_EQ(cursor.OnKey(vk::Right), 33);
    EXPECT_EQ(cursor.current.column, 3);
    EXPECT_EQ(cursor.OnKey(vk::Right), 37);
    EXPECT_EQ(cursor.current.column, 3);
}

TEST_F(TabCursorTest, RightFromATypedNotePastTheLastNoteStoresItAndMoves) {
    item.AppendNote(Note(3, 0, 0));
    StandOn(Note(7, 0, 1, Normal));  // typed, not yet reloaded from the item
    EXPECT_EQ(cursor.OnKey(vk::Right), StoreNote | Repaint);
    EXPECT_EQ(cursor.current.column, 2);
    EXPECT_EQ(cursor.previous, Note(7, 0, 1, Normal));
}

TEST_F(TabCursorTest, RightInAnItemWithoutNotesGoesStraightToTheNextItem) {
    StandOnEmpty(0, 0);
    EXPECT_EQ(cursor.OnKey(vk::Right), 37);
    EXPECT_EQ(cursor.current.column, 0);
}

TEST_F(TabCursorTest, RightStopsAtTheLargestColumnInsteadOfWrapping) {
    item.AppendNote(Note(3, 0, kIntMax));
    StandOn(Note(3, 0, kIntMax, Normal));
    EXPECT_EQ(cursor.OnKey(vk::Right), 9);
    EXPECT_EQ(cursor.current.column, kIntMax);
}

TEST_F(TabCursorTest, ColumnAtGivesEachColumnTheBandAroundItsTextStart) {
    item.AppendNote(Note(1, 0, 4));
    // Column c's text starts at (c + 1) × 24; its band runs half a column either side.
    EXPECT_EQ(cursor.ColumnAt({0, 0}), 0);
    EXPECT_EQ(cursor.ColumnAt({35, 0}), 0);
    EXPECT_EQ(cursor.ColumnAt({36, 0}), 1);
    EXPECT_EQ(cursor.ColumnAt({120, 0}), 4);
    // One column past the last note at most.
    EXPECT_EQ(cursor.ColumnAt({132, 0}), 5);
    EXPECT_EQ(cursor.ColumnAt({5000, 0}), 5);
}

TEST_F(TabCursorTest, ColumnAtInAnEmptyItemGivesZeroOrOne) {
    EXPECT_EQ(cursor.ColumnAt({10, 5}), 0);
    EXPECT_EQ(cursor.ColumnAt({60, 5}), 1);
    EXPECT_EQ(cursor.ColumnAt({70, 5}), 1);
}

TEST_F(TabCursorTest, HitTestsWithoutAnItemGiveZero) {
    TabCursor loose(&settings);
    EXPECT_EQ(loose.ColumnAt({500, 500}), 0);
    EXPECT_EQ(loose.StringAt({500, 500}), 0);
    EXPECT_EQ(loose.FindNote(0, -1), nullptr);
}

TEST_F(TabCursorTest, StringAtPicksTheNearestLineWithinTheStrings) {
    // Lines at y = 15, 27, 39, 51, 63, 75 with the defaults.
    const std::pair<std::int32_t, std::int32_t> points[] = {{0, 0},  {15, 0},  {20, 0},  {21, 1},
                                                            {27, 1}, {32, 1},  {33, 2},  {75, 5},
                                                            {89, 5}, {-40, 0}, {4000, 5}};
    for (const auto& [y, string] : points) EXPECT_EQ(cursor.StringAt({0, y}), string) << y;
}

TEST_F(TabCursorTest, HitTestsSurviveDegenerateSettings) {
    item.AppendNote(Note(1, 0, 3));
    settings.horizontalSpacing = 0;
    settings.verticalSpacing = 0;
    EXPECT_EQ(cursor.ColumnAt({2, 0}), 2);
    EXPECT_EQ(cursor.StringAt({0, 17}), 2);
    settings.horizontalSpacing = -1;
    settings.verticalSpacing = -1;
    settings.nextLineSpacing = kIntMin;
    EXPECT_EQ(cursor.ColumnAt({kIntMin, 0}), 4);
    EXPECT_EQ(cursor.ColumnAt({kIntMax, 0}), 0);
    const auto string = cursor.StringAt({kIntMin, kIntMin});
    EXPECT_GE(string, 0);
    EXPECT_LE(string, 5);
    settings.numberOfStrings = kIntMin;
    EXPECT_EQ(cursor.StringAt({0, kIntMax}), 0);
}

}  // namespace
}  // namespace lutaris
