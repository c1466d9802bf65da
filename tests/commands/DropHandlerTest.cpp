// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "edit/DropHandler.h"
#include "support/ClipboardFixture.h"

namespace lutaris {
namespace {

using Outcome = DropHandler::Outcome;

class DropHandlerTest : public test::ClipboardTest {
protected:
    Outcome Drop(std::optional<std::int32_t> target) {
        return DropHandler(doc, &clipboard, prompter).Drop(target);
    }
};

TEST_F(DropHandlerTest, DropAfterTheSelectionMovesItBeforeTheTarget) {
    MakeItems(6);
    Select(1, 2);
    EXPECT_EQ(Drop(4), Outcome::Moved);
    EXPECT_EQ(ReadingOrder(), (std::vector<std::int32_t>{10, 13, 11, 12, 14, 15}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(prompter.Messages().empty());
    // Selection, copied flag and marker stay, so the same items can be dropped again.
    EXPECT_EQ(doc.selection.size(), 2u);
    EXPECT_TRUE(clipboard.HasFormat("Lutaris 0.2"));
    EXPECT_EQ(Drop(0), Outcome::Moved);
    EXPECT_EQ(ReadingOrder(), (std::vector<std::int32_t>{11, 12, 10, 13, 14, 15}));
}

TEST_F(DropHandlerTest, DropBeforeTheSelectionMovesItToTheTarget) {
    MakeItems(6);
    Select(1, 2);
    EXPECT_EQ(Drop(0), Outcome::Moved);
    EXPECT_EQ(ReadingOrder(), (std::vector<std::int32_t>{11, 12, 10, 13, 14, 15}));
    EXPECT_EQ(doc.ItemAtPosition(0), doc.selection[0]);
}

TEST_F(DropHandlerTest, DropOnASelectedItemOrJustAfterTheRunChangesNothingVisible) {
    MakeItems(6);
    Select(1, 2);
    EXPECT_EQ(Drop(2), Outcome::NothingMoved);
    EXPECT_EQ(Drop(1), Outcome::NothingMoved);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(prompter.Messages().empty());
    // The block already stands before item 3: the order stays, the drop still counts.
    EXPECT_EQ(Drop(3), Outcome::Moved);
    EXPECT_EQ(ReadingOrder(), (std::vector<std::int32_t>{10, 11, 12, 13, 14, 15}));
}

TEST_F(DropHandlerTest, DropWithNothingToMoveOrNowhereToGoLeavesTheDocument) {
    MakeItems(4);
    Select(3, 1);  // selects nothing, but announces
    EXPECT_EQ(Drop(0), Outcome::NothingMoved);
    Select(1, 2);
    EXPECT_EQ(Drop(std::nullopt), Outcome::NothingMoved);
    EXPECT_EQ(Drop(17), Outcome::NothingMoved);
    EXPECT_EQ(ReadingOrder(), (std::vector<std::int32_t>{10, 11, 12, 13}));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(DropHandlerTest, GlissomarkersItemsAreRefusedWhateverElseIsThere) {
    MakeItems(6);
    Select(1, 2);
    clipboard.SetFormats({{"Lutaris 0.2", {0, 0, 0, 0}}, {"Glissomarkers 3.0", {}}});
    EXPECT_EQ(Drop(4), Outcome::GlissomarkersRefused);
    EXPECT_EQ(ReadingOrder(), (std::vector<std::int32_t>{10, 11, 12, 13, 14, 15}));
    EXPECT_FALSE(doc.IsModified());
    ASSERT_EQ(prompter.Messages().size(), 1u);
    const ShownMessage& message = prompter.Messages()[0];
    EXPECT_EQ(message.text, "You are trying to drop one or more Glissomarkers item here.");
    EXPECT_EQ(message.caption, "Still working on it...");
    EXPECT_EQ(message.icon, MessageIcon::Information);
}

TEST_F(DropHandlerTest, AnythingElseIsNotSupported) {
    MakeItems(3);
    Select(0, 0);
    clipboard.SetFormats({{"text/plain", {'h', 'i'}}});
    EXPECT_EQ(Drop(2), Outcome::Unsupported);
    EXPECT_EQ(DropHandler(doc, nullptr, prompter).Drop(2), Outcome::Unsupported);
    ASSERT_EQ(prompter.Messages().size(), 2u);
    for (const ShownMessage& message : prompter.Messages()) {
        EXPECT_EQ(message.text, "Lutaris does not support this object");
        EXPECT_EQ(message.caption, "Sorry");
        EXPECT_EQ(message.icon, MessageIcon::Exclamation);
    }
    EXPECT_EQ(ReadingOrder(), (std::vector<std::int32_t>{10, 11, 12}));
}

}  // namespace
}  // namespace lutaris
