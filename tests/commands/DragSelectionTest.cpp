// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "edit/DragSelection.h"
#include "model/CommandIds.h"
#include "support/ClipboardFixture.h"

namespace lutaris {
namespace {

class DragSelectionTest : public test::ClipboardTest {};

TEST_F(DragSelectionTest, EndLeavesOnlyTheFourByteMarkerOnTheClipboard) {
    MakeItems(3);
    clipboard.SetFormats({{"text/plain", {'x'}}, {"image/png", {1, 2}}});
    Select(1, 1);
    EXPECT_EQ(clipboard.ListFormats(), std::vector<std::string>{"Lutaris 0.2"});
    EXPECT_EQ(clipboard.GetFormat("Lutaris 0.2")->size(), 4u);
    ASSERT_EQ(doc.selection.size(), 1u);
    EXPECT_EQ(doc.selection[0]->position, 1);
}

TEST_F(DragSelectionTest, SelectsTheRunInListOrder) {
    MakeItems(5);
    // List order differs from reading order: the item at position 3 comes first in the list.
    doc.tabItems[0]->position = 3;
    doc.tabItems[3]->position = 0;
    doc.InvalidatePositionIndex();
    Select(1, 3);
    ASSERT_EQ(doc.selection.size(), 3u);
    EXPECT_EQ(doc.selection[0], doc.tabItems[0].get());
    EXPECT_EQ(doc.selection[1], doc.tabItems[1].get());
    EXPECT_EQ(doc.selection[2], doc.tabItems[2].get());
}

TEST_F(DragSelectionTest, BackwardsOrOffItemDragSelectsNothingButStillAnnounces) {
    MakeItems(5);
    Select(3, 1);
    EXPECT_TRUE(doc.selection.empty());
    EXPECT_TRUE(clipboard.HasFormat("Lutaris 0.2"));

    clipboard.Clear();
    DragSelection selection(doc);
    selection.Begin();
    selection.End(1, std::nullopt, &clipboard);
    EXPECT_TRUE(doc.selection.empty());
    EXPECT_EQ(clipboard.ListFormats(), std::vector<std::string>{"Lutaris 0.2"});
}

TEST_F(DragSelectionTest, BeginForgetsTheSelectionAndTheCopy) {
    MakeItems(2);
    Select(0, 1);
    doc.SetSelection(doc.selection, 1);
    DragSelection(doc).Begin();
    EXPECT_TRUE(doc.selection.empty());
    EXPECT_EQ(doc.copied, 0);
    EXPECT_EQ(doc.tabItems.size(), 2u);
}

// Select All is the drag from the first item to the last: every item in list order, the copy
// forgotten, the marker alone on the clipboard, and no change to the content.
TEST_F(DragSelectionTest, SelectAllCommandSelectsAsADragFromFirstToLast) {
    MakeItems(4);
    doc.tabItems[0]->position = 2;
    doc.tabItems[2]->position = 0;
    doc.InvalidatePositionIndex();
    Select(1, 1);
    doc.SetSelection(doc.selection, 1);
    clipboard.SetFormats({{"text/plain", {'x'}}});
    struct Counter : DocumentObserver {
        int updates = 0;
        void OnDocumentUpdated() override { ++updates; }
    } view;
    doc.AddView(&view);

    doc.OnCommand(ID_EDIT_SELECT_ALL);
    ASSERT_EQ(doc.selection.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(doc.selection[i], doc.tabItems[i].get());
    EXPECT_EQ(doc.copied, 0);
    EXPECT_EQ(clipboard.ListFormats(), std::vector<std::string>{"Lutaris 0.2"});
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(view.updates, 1);
    // Twice is the same selection, not every item twice.
    doc.OnCommand(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(doc.selection.size(), 4u);
    doc.RemoveView(&view);
}

}  // namespace
}  // namespace lutaris
