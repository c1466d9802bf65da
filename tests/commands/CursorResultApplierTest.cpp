// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "edit/CursorResultApplier.h"
#include "platform/keys/VirtualKeyCodes.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

using test::Note;

class CursorResultApplierTest : public test::DocumentTest {
protected:
    CursorResultApplierTest() : item(*doc.tabItems[0]), cursor(*doc.cursor) {
        doc.SetModifiedFlag(false);
    }

    // A key as the view passes it: to the caret, then the answer to the document.
    void Type(std::int32_t key) { doc.ApplyCursorResult(cursor.OnKey(key)); }

    Tablature& item;
    TabCursor& cursor;
};

TEST_F(CursorResultApplierTest, TypedDigitsAreStoredAtOnceAndShownAtTheCaret) {
    cursor.current.string = 2;
    cursor.current.column = 3;
    Type(vk::Digit0 + 1);
    EXPECT_EQ(item.notes, std::vector<TabNote>{Note(1, 2, 3)});
    Type(vk::Digit0 + 2);
    Type(vk::Digit0 + 5);
    EXPECT_EQ(item.notes, std::vector<TabNote>{Note(25, 2, 3)});
    EXPECT_EQ(cursor.current, Note(25, 2, 3));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(CursorResultApplierTest, StoreOverwritesFretReservedAndActionOfTheNoteThere) {
    item.AppendNote(Note(4, 1, 0, BendUp, 3));
    cursor.previous = Note(9, 1, 0, Tap, 8);
    doc.ApplyCursorResult(StoreNote);
    EXPECT_EQ(item.notes, std::vector<TabNote>{Note(9, 1, 0, Tap, 8)});
}

TEST_F(CursorResultApplierTest, StoreOfAnEmptyCaretWritesNothingAndIsNoChange) {
    cursor.previous = Note(0, 1, 0, NoNote);
    doc.ApplyCursorResult(StoreNote);
    EXPECT_TRUE(item.notes.empty());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(CursorResultApplierTest, MovingOffANoteStoresItAndReloadsTheNewCell) {
    item.AppendNote(Note(7, 1, 1, HammerOn, 4));
    cursor.current = Note(12, 0, 1, Normal);
    cursor.previous = cursor.current;
    Type(vk::Down);
    EXPECT_EQ(item.notes, (std::vector<TabNote>{Note(7, 1, 1, HammerOn, 4), Note(12, 0, 1)}));
    EXPECT_EQ(cursor.current.fret, 7);
    EXPECT_EQ(cursor.current.action, HammerOn);
    EXPECT_EQ(cursor.previous.action, HammerOn);
    Type(vk::Right);
    EXPECT_EQ(cursor.current, Note(0, 1, 2, NoNote, 0));
}

TEST_F(CursorResultApplierTest, PreviousItemOnTheFirstItemChangesNothing) {
    cursor.current.column = 0;
    doc.ApplyCursorResult(PreviousItem);
    EXPECT_EQ(cursor.tabItem, &item);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(CursorResultApplierTest, PreviousItemGoesToTheLastColumnOfTheItemBefore) {
    AddItems(3);
    Tablature* third = doc.ItemAtPosition(2);
    third->AppendNote(Note(5, 4, 6, Vibrato));
    cursor.tabItem = doc.ItemAtPosition(3);
    cursor.current.string = 4;
    doc.ApplyCursorResult(PreviousItem);
    EXPECT_EQ(cursor.tabItem, third);
    EXPECT_EQ(cursor.current.column, 6);
    EXPECT_EQ(cursor.current.string, 4);
    EXPECT_EQ(cursor.current.fret, 5);
    EXPECT_EQ(cursor.current.action, Vibrato);
    EXPECT_FALSE(doc.IsModified()) << "the caret moved, no note changed";
}

TEST_F(CursorResultApplierTest, RightAtTheEndGoesToColumnZeroOfTheNextItemByPosition) {
    Tablature* next = AddItems(1);
    // The item after the first in reading order is the one stored first after it.
    item.position = 1;
    next->position = 0;
    doc.InvalidatePositionIndex();
    cursor.tabItem = next;
    next->AppendNote(Note(3, 0, 0));
    item.AppendNote(Note(8, 2, 0, Mute));
    cursor.current = Note(0, 2, 1, NoNote);
    Type(vk::Right);
    EXPECT_EQ(cursor.tabItem, &item);
    EXPECT_EQ(cursor.current, Note(8, 2, 0, Mute));
    Type(vk::Left);
    EXPECT_EQ(cursor.tabItem, next);
    EXPECT_EQ(cursor.current.column, 0);
    Type(vk::Right);  // one column past the last note first
    EXPECT_EQ(cursor.tabItem, next);
    EXPECT_EQ(cursor.current.column, 1);
    Type(vk::Right);
    EXPECT_EQ(cursor.tabItem, &item);
}

TEST_F(CursorResultApplierTest, NextItemIsIgnoredWhenPreviousItemIsSet) {
    AddItems(2);
    cursor.tabItem = doc.ItemAtPosition(1);
    doc.ApplyCursorResult(PreviousItem | NextItem);
    EXPECT_EQ(cursor.tabItem, doc.ItemAtPosition(0));
}

TEST_F(CursorResultApplierTest, RightOnTheLastItemStaysAndIsNoChange) {
    Type(vk::Right);
    EXPECT_EQ(cursor.tabItem, &item);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(CursorResultApplierTest, DeletingTheOnlyNoteOfAColumnClosesIt) {
    for (const auto& note : {Note(1, 0, 4), Note(2, 3, 5), Note(3, 1, 6), Note(4, 2, 9)}) {
        item.AppendNote(note);
    }
    cursor.current = Note(2, 3, 5, Normal);
    Type(vk::Delete);
    EXPECT_EQ(item.notes, (std::vector<TabNote>{Note(1, 0, 4), Note(3, 1, 5), Note(4, 2, 8)}));
    EXPECT_EQ(cursor.current.action, NoNote);
    EXPECT_EQ(cursor.current.fret, 2);  // the fret is left as it was
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(CursorResultApplierTest, DeletingANoteOfAChordMovesNothing) {
    item.AppendNote(Note(1, 0, 5));
    item.AppendNote(Note(2, 3, 5));
    item.AppendNote(Note(3, 1, 6));
    cursor.current = Note(1, 0, 5, Normal);
    Type(vk::Back);
    EXPECT_EQ(item.notes, (std::vector<TabNote>{Note(2, 3, 5), Note(3, 1, 6)}));
}

TEST_F(CursorResultApplierTest, DeleteMovesTheNextColumnUnderTheCaret) {
    item.AppendNote(Note(1, 2, 5));
    item.AppendNote(Note(6, 2, 6, PullOff, 9));
    cursor.current = Note(1, 2, 5, Normal);
    Type(vk::Delete);
    EXPECT_EQ(cursor.current, Note(6, 2, 5, PullOff, 9));
}

TEST_F(CursorResultApplierTest, DeleteOnAnEmptyCellClosesOnlyAColumnWithoutNotes) {
    item.AppendNote(Note(1, 0, 1));
    item.AppendNote(Note(2, 0, 3));
    cursor.current = Note(0, 4, 2, NoNote);
    Type(vk::Delete);
    EXPECT_EQ(item.notes, (std::vector<TabNote>{Note(1, 0, 1), Note(2, 0, 2)}));
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(false);
    cursor.current = Note(0, 4, 1, NoNote);
    Type(vk::Delete);
    EXPECT_EQ(item.notes, (std::vector<TabNote>{Note(1, 0, 1), Note(2, 0, 2)}));
    EXPECT_FALSE(doc.IsModified()) << "nothing was deleted or closed";
}

TEST_F(CursorResultApplierTest, RepaintAloneIsNoChange) {
    doc.ApplyCursorResult(Repaint);
    doc.ApplyCursorResult(16);
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace lutaris
