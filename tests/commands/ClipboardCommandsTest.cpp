// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "edit/ClipboardCommands.h"
#include "edit/TextExporter.h"
#include "model/CommandIds.h"
#include "model/TabCursor.h"
#include "support/ClipboardFixture.h"

namespace lutaris {
namespace {

using test::Note;

class ClipboardCommandsTest : public test::ClipboardTest {};

std::string WithoutLastCharacter(std::string_view text) {
    return std::string(text.substr(0, text.size() - 1));
}

// ---- Copy as Text --------------------------------------------------------------------------

TEST_F(ClipboardCommandsTest, CopyAsTextOfOneItemDropsItsFinalLineFeed) {
    MakeItems(2);
    doc.settings->numberOfStrings = 2;
    doc.tabItems[1]->AppendNote(Note(7, 1, 1, HammerOn));
    Select(1, 1);
    EXPECT_TRUE(doc.OnCommand(ID_COPY_AS_TEXT));
    EXPECT_EQ(ClipboardText(), "|-11------\n|-----7h--");
    EXPECT_EQ(clipboard.ListFormats(), std::vector<std::string>{"text/plain"});
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ClipboardCommandsTest, CopyAsTextSeparatesItemsAsExportFileDoes) {
    MakeItems(3);
    doc.settings->numberOfStrings = 2;
    Select(0, 1);
    doc.OnCommand(ID_COPY_AS_TEXT);
    // Each string line on a line of its own, three empty lines between the items.
    EXPECT_EQ(ClipboardText(), "|-10--\n|-----\n\n\n\n|-11--\n|-----");

    // The whole document: what Export File writes, with LF line ends and without the line
    // breaks after the last item.
    Select(0, 2);
    doc.OnCommand(ID_COPY_AS_TEXT);
    std::string exported = TextExporter(doc).ExportText();
    std::erase(exported, '\r');
    ASSERT_TRUE(exported.ends_with("\n\n\n\n"));
    exported.resize(exported.size() - 4);
    EXPECT_EQ(ClipboardText(), exported);
}

TEST_F(ClipboardCommandsTest, CopyAsTextFollowsReadingOrderNotListOrder) {
    MakeItems(3);
    doc.settings->numberOfStrings = 1;
    // List order 10, 11, 12; reading order 12, 10, 11 (as after Insert Tab Item or a move).
    doc.tabItems[0]->position = 1;
    doc.tabItems[1]->position = 2;
    doc.tabItems[2]->position = 0;
    doc.InvalidatePositionIndex();
    Select(0, 2);
    ASSERT_EQ(doc.selection.front(), doc.tabItems[0].get());  // the selection keeps list order
    doc.OnCommand(ID_COPY_AS_TEXT);
    EXPECT_EQ(ClipboardText(), "|-12--\n\n\n\n|-10--\n\n\n\n|-11--");
}

TEST_F(ClipboardCommandsTest, CopyAsTextOfNothingLeavesWhatAnotherProgramCopied) {
    MakeItems(2);
    Select(1, 0);  // a drag from right to left selects nothing
    ASSERT_TRUE(doc.selection.empty());
    // Then another program copies something.
    const std::vector<std::uint8_t> theirs{'r', 'i', 'f', 'f'};
    clipboard.SetFormats({{"text/plain", theirs}, {"text/html", theirs}});
    doc.OnCommand(ID_COPY_AS_TEXT);
    EXPECT_EQ(clipboard.ListFormats(), (std::vector<std::string>{"text/plain", "text/html"}));
    EXPECT_EQ(clipboard.GetFormat("text/plain"), theirs);
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(ClipboardCommandsTest, CopyAsTextOfAStringlessItemTakesNothingFromTheOthers) {
    MakeItems(2);
    doc.settings->numberOfStrings = 1;
    Select(0, 1);
    const std::string first = WithoutLastCharacter(doc.tabItems[0]->ToText());
    doc.settings->numberOfStrings = 0;  // every text form is empty now
    EXPECT_EQ(ClipboardCommands(doc).SelectionText(), "");
    doc.settings->numberOfStrings = 1;
    EXPECT_EQ(ClipboardCommands(doc).SelectionText(), first + "\n\n\n\n|-11--");
}

TEST_F(ClipboardCommandsTest, CopyAsTextTooLargeIsReportedAndLeavesTheClipboard) {
    MakeItems(1);
    doc.tabItems[0]->AppendNote(Note(1, 0, 0x7ffffff0));  // far beyond the writer's limit
    Select(0, 0);
    doc.OnCommand(ID_COPY_AS_TEXT);
    EXPECT_EQ(clipboard.ListFormats(), std::vector<std::string>{"Lutaris 0.2"});
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].text, "The tab item is too large to write as text.");

    // Items that are each small enough, but too much together.
    doc.tabItems[0]->notes.pop_back();
    MakeItems(3);
    Select(0, 2);
    const std::size_t oneItem = doc.tabItems[0]->ToText().size();
    ClipboardCommands commands(doc, 2 * oneItem);
    EXPECT_THROW(commands.SelectionText(), TextTooLargeError);
    commands.CopyAsText();
    EXPECT_EQ(prompter.Messages().back().text, "The selection is too large to copy as text.");
    EXPECT_FALSE(clipboard.HasFormat("text/plain"));
}

// ---- Paste ---------------------------------------------------------------------------------

TEST_F(ClipboardCommandsTest, EachPasteAfterCopyAppendsTheSelectionAgain) {
    MakeItems(4);
    doc.tabItems[2]->AppendNote(Note(3, 4, 5, Tap, 99));
    doc.tabItems[2]->reservedBlock[0] = 7;
    Select(1, 2);
    doc.SetSelection(doc.selection, 1);  // as Copy leaves it
    Tablature* caretItem = doc.cursor->tabItem;

    EXPECT_TRUE(doc.OnCommand(ID_EDIT_PASTE));
    ASSERT_EQ(doc.tabItems.size(), 6u);
    EXPECT_EQ(ReadingOrder(), (std::vector<std::int32_t>{10, 11, 12, 13, 11, 12}));
    EXPECT_EQ(doc.ItemAtPosition(5)->notes, doc.tabItems[2]->notes);
    EXPECT_EQ(doc.ItemAtPosition(5)->reservedBlock[0], 0);
    EXPECT_TRUE(doc.IsModified());

    doc.OnCommand(ID_EDIT_PASTE);
    EXPECT_EQ(ReadingOrder(), (std::vector<std::int32_t>{10, 11, 12, 13, 11, 12, 11, 12}));
    EXPECT_EQ(doc.selection.size(), 2u);
    EXPECT_EQ(doc.copied, 1);
    EXPECT_EQ(doc.cursor->tabItem, caretItem);
    EXPECT_EQ(clipboard.ListFormats(), std::vector<std::string>{"Lutaris 0.2"});
}

TEST_F(ClipboardCommandsTest, PasteNeedsACopySinceTheLastDragSelection) {
    MakeItems(3);
    doc.SetSelection(doc.selection, 1);
    Select(0, 1);  // clears copied
    doc.OnCommand(ID_EDIT_PASTE);
    EXPECT_EQ(doc.tabItems.size(), 3u);
    EXPECT_FALSE(doc.IsModified());

    doc.SetSelection(doc.selection, 1);
    doc.SetSelection({}, doc.copied);
    doc.OnCommand(ID_EDIT_PASTE);
    EXPECT_EQ(doc.tabItems.size(), 3u);
}

// ---- Cut -----------------------------------------------------------------------------------

TEST_F(ClipboardCommandsTest, CutOfTwoMiddleItemsClosesTheGapAndPutsTheCaretBefore) {
    MakeItems(5);
    Select(2, 3);
    doc.SetSelection(doc.selection, 1);
    const auto clipboardChanges = clipboard.ChangeCount();
    EXPECT_TRUE(doc.OnCommand(ID_EDIT_CUT));
    EXPECT_EQ(ReadingOrder(), (std::vector<std::int32_t>{10, 11, 14}));
    EXPECT_EQ(doc.cursor->tabItem, doc.ItemAtPosition(1));
    EXPECT_TRUE(doc.selection.empty());
    EXPECT_EQ(doc.copied, 0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(clipboard.ChangeCount(), clipboardChanges);
}

TEST_F(ClipboardCommandsTest, CutFromTheStartPutsTheCaretOnTheFirstListItem) {
    MakeItems(4);
    doc.tabItems[0]->position = 2;  // list: positions 2, 1, 0, 3
    doc.tabItems[2]->position = 0;
    doc.InvalidatePositionIndex();
    doc.cursor->current = Note(5, 2, 3, Tap);
    Select(0, 1);
    doc.OnCommand(ID_EDIT_CUT);
    ASSERT_EQ(doc.tabItems.size(), 2u);
    EXPECT_EQ(doc.tabItems[0]->position, 0);
    EXPECT_EQ(doc.tabItems[1]->position, 1);
    EXPECT_EQ(doc.cursor->tabItem, doc.tabItems[0].get());
    EXPECT_EQ(doc.cursor->current, Note(5, 2, 3, Tap));
}

TEST_F(ClipboardCommandsTest, CutOfEverythingLeavesOneNewEmptyItemWithTheCaret) {
    MakeItems(3);
    Select(0, 2);
    doc.OnCommand(ID_EDIT_CUT);
    ASSERT_EQ(doc.tabItems.size(), 1u);
    EXPECT_EQ(doc.tabItems[0]->position, 0);
    EXPECT_TRUE(doc.tabItems[0]->notes.empty());
    EXPECT_EQ(doc.cursor->tabItem, doc.tabItems[0].get());
    EXPECT_EQ(doc.ItemAtPosition(0), doc.tabItems[0].get());
}

TEST_F(ClipboardCommandsTest, CutWithoutSelectionDoesNothing) {
    MakeItems(3);
    doc.SetSelection(doc.selection, 1);
    doc.OnCommand(ID_EDIT_CUT);
    EXPECT_EQ(doc.tabItems.size(), 3u);
    EXPECT_EQ(doc.copied, 1);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ClipboardCommandsTest, CutOfAScatteredSelectionStillNumbersFromZero) {
    MakeItems(5);
    doc.SetSelection({doc.tabItems[1].get(), doc.tabItems[3].get()}, doc.copied);
    doc.OnCommand(ID_EDIT_CUT);
    EXPECT_EQ(ReadingOrder(), (std::vector<std::int32_t>{10, 12, 14}));
    EXPECT_EQ(doc.cursor->tabItem, doc.ItemAtPosition(0));
}

}  // namespace
}  // namespace lutaris
