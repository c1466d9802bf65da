// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "edit/TabViewInteraction.h"
#include "platform/clipboard/MemoryClipboard.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

// Items laid out by hand in one row, 72 × 90 each (no notes, default settings), without a
// window: the interaction reads only lastOrigin and the extent.
class InteractionTest : public test::DocumentTest {
protected:
    InteractionTest() {
        AddItems(4);
        for (const auto& item : doc.tabItems) item->lastOrigin = {1 + 72 * item->position, 1};
    }
    std::vector<std::int32_t> Positions() const {
        std::vector<std::int32_t> positions;
        for (const auto& item : doc.tabItems) positions.push_back(item->position);
        return positions;
    }
    void Select(std::initializer_list<int> listIndexes) {
        std::vector<Tablature*> items;
        for (const int i : listIndexes) items.push_back(doc.tabItems[i].get());
        doc.SetSelection(std::move(items), doc.copied);
    }
    LayoutPoint Inside(int position) const { return {1 + 72 * position + 30, 40}; }

    TabViewInteraction interaction{doc};
};

TEST_F(InteractionTest, HitTestIncludesBothEdges) {
    const Tablature& item = *doc.tabItems[1];
    EXPECT_TRUE(TabViewInteraction::HitTabItem({73, 1}, item));
    EXPECT_TRUE(TabViewInteraction::HitTabItem({145, 91}, item));
    EXPECT_FALSE(TabViewInteraction::HitTabItem({146, 50}, item));
    EXPECT_FALSE(TabViewInteraction::HitTabItem({100, 92}, item));
    EXPECT_FALSE(TabViewInteraction::HitTabItem({72, 50}, item));
}

TEST_F(InteractionTest, WhereTwoItemsTouchTheLaterInListOrderWins) {
    EXPECT_EQ(interaction.PositionAt({73, 10}), 1);
    interaction.OnLButtonDown({73, 10}, {0, 0});
    EXPECT_EQ(doc.cursor->tabItem, doc.tabItems[1].get());
    EXPECT_FALSE(interaction.PositionAt({1000, 10}).has_value());
}

TEST_F(InteractionTest, PlaceCursorCopiesANoteOrMarksAnEmptyCell) {
    doc.tabItems[2]->AppendNote(test::Note(9, 1, 0, Tap, 77));
    interaction.PlaceCursor({24, 27}, *doc.tabItems[2]);
    EXPECT_EQ(doc.cursor->current, test::Note(9, 1, 0, Tap, 77));
    doc.cursor->previous = test::Note(3, 3, 3);
    interaction.PlaceCursor({48, 51}, *doc.tabItems[2]);
    EXPECT_EQ(doc.cursor->current, (TabNote{0, 3, 1, 0, NoNote}));
    EXPECT_EQ(doc.cursor->previous, TabNote{});
}

TEST_F(InteractionTest, MoveSelectionBeforeAnEarlierOrALaterItemKeepsLookupsRight) {
    Select({2, 3});
    doc.SetModifiedFlag(false);
    interaction.MoveSelectionBefore(0);
    EXPECT_EQ(Positions(), (std::vector<std::int32_t>{2, 3, 0, 1, 4}));
    EXPECT_EQ(doc.ItemAtPosition(0), doc.tabItems[2].get());
    EXPECT_EQ(doc.ItemAtPosition(3), doc.tabItems[1].get());
    EXPECT_TRUE(doc.IsModified()) << "a new order is a change of the document";

    // Back before the item that now stands at 4: the old order again.
    interaction.MoveSelectionBefore(4);
    EXPECT_EQ(Positions(), (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
    // Onto one of the selected items, or past the end: nothing moves.
    interaction.MoveSelectionBefore(3);
    interaction.MoveSelectionBefore(17);
    EXPECT_EQ(Positions(), (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
}

TEST_F(InteractionTest, RightReleaseOnASelectedItemOrEmptySpaceMovesNothing) {
    Select({2, 3});
    EXPECT_EQ(interaction.OnRButtonDown(Inside(2), {0, 0}).cursor, ViewCursorShape::SizeAll);
    const ViewResponse onSelected = interaction.OnRButtonUp(Inside(3), {0, 0});
    EXPECT_FALSE(onSelected.repaint);
    EXPECT_EQ(onSelected.cursor, ViewCursorShape::Arrow);
    EXPECT_FALSE(interaction.MovingSelection());

    interaction.OnRButtonDown(Inside(2), {0, 0});
    interaction.OnRButtonUp({2000, 40}, {0, 0});
    EXPECT_EQ(Positions(), (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
    EXPECT_FALSE(interaction.MovingSelection());

    // A press outside the selection starts no move, and the caret stays.
    Tablature* caretItem = doc.cursor->tabItem;
    interaction.OnRButtonDown(Inside(0), {0, 0});
    EXPECT_FALSE(interaction.MovingSelection());
    EXPECT_EQ(doc.cursor->tabItem, caretItem);
}

// Counts the updates a view or the embedded presentation is sent.
struct UpdateCounter : DocumentObserver {
    void OnDocumentUpdated() override { ++updates; }
    int updates = 0;
};

TEST_F(InteractionTest, ARightButtonMoveIsAnEditAsADropIs) {
    UpdateCounter view, presentation;
    doc.AddView(&view);
    doc.AddItem(&presentation);
    Select({2, 3});
    doc.SetModifiedFlag(false);
    interaction.OnRButtonDown(Inside(2), {0, 0});
    interaction.OnRButtonUp(Inside(0), {0, 0});
    EXPECT_EQ(Positions(), (std::vector<std::int32_t>{2, 3, 0, 1, 4}));
    // Saved content changed: closing must ask, other views and containers must redraw.
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.updates, 1);
    EXPECT_EQ(presentation.updates, 1);

    // Releases that move nothing are no edit.
    doc.SetModifiedFlag(false);
    // (The items still stand where the fixture drew them: Inside(p) is list item p.)
    interaction.OnRButtonDown(Inside(2), {0, 0});
    interaction.OnRButtonUp(Inside(3), {0, 0});
    interaction.OnRButtonDown(Inside(2), {0, 0});
    interaction.OnRButtonUp({2000, 40}, {0, 0});
    EXPECT_EQ(Positions(), (std::vector<std::int32_t>{2, 3, 0, 1, 4}));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(view.updates, 1);
    doc.RemoveView(&view);
    doc.RemoveItem(&presentation);
}

TEST_F(InteractionTest, ScrollPositionsAreAddedToClientPoints) {
    MemoryClipboard clipboard;
    clipboard.SetFormats({{"text/plain", {'x'}}});
    doc.SetClipboard(&clipboard);
    // The double click at one scroll position, the release at another.
    interaction.OnLButtonDblClk({Inside(1).x, 40}, {0, 0});
    EXPECT_TRUE(interaction.Selecting());
    interaction.OnLButtonUp({Inside(3).x - 100, 40}, {100, 0});
    EXPECT_EQ(doc.selection.size(), 3u);
    EXPECT_EQ(interaction.Selection().releaseScroll, (LayoutPoint{100, 0}));
    // The selection marker replaced what the clipboard held.
    EXPECT_EQ(clipboard.ListFormats(), (std::vector<std::string>{"Lutaris 0.2"}));
}

TEST_F(InteractionTest, ADropMovesTheSelectionBeforeTheItemUnderThePointPlusTheScroll) {
    MemoryClipboard clipboard;
    doc.SetClipboard(&clipboard);
    interaction.OnLButtonDblClk(Inside(2), {0, 0});
    interaction.OnLButtonUp(Inside(3), {0, 0});
    doc.SetModifiedFlag(false);
    // Scrolled 72 across, the client point over item 0 is over item 1 of the document.
    interaction.OnDrop({Inside(0).x, 40}, {72, 0});
    EXPECT_EQ(Positions(), (std::vector<std::int32_t>{0, 3, 1, 2, 4}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(interaction.Selection().releaseScroll, (LayoutPoint{72, 0}));
    EXPECT_TRUE(prompter.Messages().empty());

    // Without the marker the drop is refused with a message, whatever was dragged.
    clipboard.Clear();
    interaction.OnDrop(Inside(0), {0, 0});
    EXPECT_EQ(Positions(), (std::vector<std::int32_t>{0, 3, 1, 2, 4}));
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Lutaris does not support this object"}));
}

TEST_F(InteractionTest, PageKeysScrollAndEndAndHomeDoNothing) {
    EXPECT_EQ(interaction.OnKeyDown(33, {0, 120}).scrollToY, 0);
    EXPECT_EQ(interaction.OnKeyDown(33, {0, 420}).scrollToY, 120);
    EXPECT_EQ(interaction.OnKeyDown(34, {0, 420}).scrollToY, 720);
    const TabNote before = doc.cursor->current;
    for (const int key : {35, 36}) {
        const ViewResponse response = interaction.OnKeyDown(key, {0, 0});
        EXPECT_FALSE(response.scrollToY.has_value());
        EXPECT_FALSE(response.repaint);
    }
    EXPECT_EQ(doc.cursor->current, before);
    // Scrolling keys leave the caret off screen; a key the caret acts on brings it back, one it
    // ignores does not.
    for (const int key : {33, 34, 35, 36})
        EXPECT_FALSE(interaction.OnKeyDown(key, {0, 0}).followCaret);
    EXPECT_TRUE(interaction.OnKeyDown(39, {0, 0}).followCaret);
    EXPECT_FALSE(interaction.OnKeyDown(16, {0, 0}).followCaret);  // Shift alone
}

TEST_F(InteractionTest, EscLetsGoOfTheSelectionAndIsACaretKeyOtherwise) {
    Select({1, 2});
    doc.SetSelection(doc.selection, 1);
    const TabNote caret = doc.cursor->current;
    const ViewResponse response = interaction.OnKeyDown(27, {0, 0});
    EXPECT_TRUE(response.repaint);
    EXPECT_FALSE(response.followCaret);
    EXPECT_TRUE(doc.selection.empty());
    EXPECT_EQ(doc.copied, 0);
    EXPECT_EQ(doc.cursor->current, caret);
    EXPECT_EQ(Positions(), (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
    // Nothing selected: the key goes to the caret, which has no use for it.
    interaction.OnKeyDown(27, {0, 0});
    EXPECT_EQ(doc.cursor->current, caret);
    EXPECT_EQ(doc.tabItems.size(), 5u);
}

}  // namespace
}  // namespace lutaris
