// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "edit/TabItemCommands.h"
#include "model/CommandIds.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

using test::Note;

class TabItemCommandsTest : public test::DocumentTest {
protected:
    TabItemCommandsTest() { doc.SetModifiedFlag(false); }

    std::vector<std::int32_t> Positions() const {
        std::vector<std::int32_t> positions;
        for (const auto& item : doc.tabItems) positions.push_back(item->position);
        return positions;
    }
};

TEST_F(TabItemCommandsTest, AddTabItemAppendsAtTheNextPositionAndLeavesTheCaret) {
    AddItems(1);
    Tablature* caretItem = doc.cursor->tabItem;
    EXPECT_TRUE(doc.OnCommand(ID_ADD_TAB_ITEM));
    EXPECT_EQ(Positions(), (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_EQ(doc.cursor->tabItem, caretItem);
    EXPECT_EQ(doc.ItemAtPosition(2), doc.tabItems[2].get());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(TabItemCommandsTest, AddTabItemAndFocusMovesOnlyTheCaretsItem) {
    doc.cursor->current = Note(4, 3, 5, Tap);
    doc.AddTabItemAndFocus();
    EXPECT_EQ(doc.cursor->tabItem, doc.tabItems[1].get());
    EXPECT_EQ(doc.cursor->tabItem->position, 1);
    EXPECT_EQ(doc.cursor->current, Note(4, 3, 5, Tap));
    EXPECT_TRUE(doc.IsModified());
    for (auto byte : doc.tabItems[1]->reservedBlock) EXPECT_EQ(byte, 0);
}

TEST_F(TabItemCommandsTest, InsertTabItemPutsANewItemBeforeTheCaretsItemAndStoresItLast) {
    // K, L, M at positions 0, 1, 2; caret on L.
    AddItems(2);
    Tablature* k = doc.tabItems[0].get();
    Tablature* l = doc.tabItems[1].get();
    Tablature* m = doc.tabItems[2].get();
    doc.cursor->tabItem = l;
    EXPECT_TRUE(doc.OnCommand(ID_INSERT_TAB_ITEM));
    ASSERT_EQ(doc.tabItems.size(), 4u);
    EXPECT_EQ(Positions(), (std::vector<std::int32_t>{0, 2, 3, 1}));
    EXPECT_EQ(doc.cursor->tabItem, l);
    EXPECT_EQ(doc.ItemAtPosition(0), k);
    EXPECT_EQ(doc.ItemAtPosition(1), doc.tabItems[3].get());
    EXPECT_EQ(doc.ItemAtPosition(2), l);
    EXPECT_EQ(doc.ItemAtPosition(3), m);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(TabItemCommandsTest, InsertNoteOpensAnEmptyColumnAtTheCaret) {
    Tablature& item = *doc.tabItems[0];
    for (const auto& note : {Note(1, 0, 0), Note(2, 1, 2), Note(3, 2, 3), Note(4, 0, 7)}) {
        item.AppendNote(note);
    }
    doc.cursor->current = Note(3, 2, 3, Normal);
    doc.cursor->previous = Note(3, 2, 3, Normal);
    EXPECT_TRUE(doc.OnCommand(ID_INSERT_NOTE));
    EXPECT_EQ(item.notes,
              (std::vector<TabNote>{Note(1, 0, 0), Note(2, 1, 2), Note(3, 2, 4), Note(4, 0, 8)}));
    EXPECT_EQ(doc.cursor->current, Note(0, 2, 3, NoNote));
    EXPECT_EQ(doc.cursor->previous, Note(3, 2, 3, Normal));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(TabItemCommandsTest, InsertNoteInAnItemWithoutNotesDoesNothingAtAll) {
    doc.cursor->current = Note(5, 1, 2, Mute);
    EXPECT_TRUE(doc.OnCommand(ID_INSERT_NOTE));
    EXPECT_EQ(doc.cursor->current, Note(5, 1, 2, Mute));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(TabItemCommandsTest, DeleteAfterInsertNoteClosesTheOpenedColumnAgain) {
    Tablature& item = *doc.tabItems[0];
    item.AppendNote(Note(1, 0, 0));
    item.AppendNote(Note(2, 0, 1));
    doc.cursor->current = Note(2, 0, 1, Normal);
    doc.OnCommand(ID_INSERT_NOTE);
    doc.SendKeyToCursor(46);
    EXPECT_EQ(item.notes, (std::vector<TabNote>{Note(1, 0, 0), Note(2, 0, 1)}));
    EXPECT_EQ(doc.cursor->current, Note(2, 0, 1, Normal));
}

}  // namespace
}  // namespace lutaris
