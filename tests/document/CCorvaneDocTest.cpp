// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <limits>

#include "document/CCorvaneDoc.h"
#include "platform/files/Archive.h"
#include "support/ContentsBuilder.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

using test::ContentsBuilder;
using test::DocumentTest;
using test::Note;

class CCorvaneDocTest : public DocumentTest {
protected:
    void Load(const std::vector<std::uint8_t>& bytes) {
        Archive archive(bytes);
        doc.Serialize(archive);
    }

    // The invariants every load must leave, however it ended.
    void ExpectConsistent() {
        ASSERT_FALSE(doc.tabItems.empty());
        ASSERT_NE(doc.cursor, nullptr);
        bool cursorOnItem = false;
        for (std::size_t i = 0; i < doc.tabItems.size(); ++i) {
            EXPECT_EQ(doc.ItemAtPosition(static_cast<std::int32_t>(i)) != nullptr, true) << i;
            cursorOnItem = cursorOnItem || doc.tabItems[i].get() == doc.cursor->tabItem;
            EXPECT_EQ(doc.tabItems[i]->settings, doc.settings.get());
        }
        EXPECT_TRUE(cursorOnItem);
        EXPECT_EQ(doc.cursor->settings, doc.settings.get());
        EXPECT_TRUE(doc.selection.empty());
    }
};

TEST_F(CCorvaneDocTest, NewDocumentHasOneEmptyItemWithTheCaretOnItAndIsNotModified) {
    ASSERT_EQ(doc.tabItems.size(), 1u);
    EXPECT_EQ(doc.tabItems[0]->position, 0);
    EXPECT_EQ(doc.cursor->tabItem, doc.tabItems[0].get());
    EXPECT_EQ(doc.cursor->current, Note(0, 0, 0, NoNote));
    EXPECT_EQ(*doc.settings, TabSettings{});
    EXPECT_FALSE(doc.IsModified()) << "nothing to lose: closing it asks nothing";
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_EQ(doc.copied, 0);
}

TEST_F(CCorvaneDocTest, NewDocumentReadsTheSettingsFileOfTheCurrentFolder) {
    test::WriteFileText(dir / "Lutaris.ini", "[TAB]\nnumberOfStrings=4\n");
    doc.OnNewDocument();
    EXPECT_EQ(doc.settings->numberOfStrings, 4);
    EXPECT_EQ(doc.settings->horizontalSpacing, 24);
}

TEST_F(CCorvaneDocTest, NewDocumentSavedAtOnceIs135Bytes) {
    const auto expected = ContentsBuilder().DefaultHeader().Int(1).Item(0, {}).Bytes();
    ASSERT_EQ(expected.size(), 135u);
    EXPECT_EQ(doc.ContentsBytes(), expected);
}

TEST_F(CCorvaneDocTest, TwoItemsWithThreeAndNoNotesAre283BytesInListOrder) {
    doc.tabItems[0]->position = 1;
    Tablature* second = doc.AppendTabItem(0);
    doc.tabItems[0]->AppendNote(Note(5, 0, 0, Normal, 7));
    doc.tabItems[0]->AppendNote(Note(BlankFret, 2, 1, SlideUp));
    doc.tabItems[0]->AppendNote(Note(12, 5, 2, Harmonic));
    doc.tabItems[0]->reservedBlock.fill(0xab);
    const auto expected = ContentsBuilder()
                              .DefaultHeader()
                              .Int(2)
                              .Item(1,
                                    {Note(5, 0, 0, Normal, 7), Note(BlankFret, 2, 1, SlideUp),
                                     Note(12, 5, 2, Harmonic)},
                                    0xab)
                              .Item(0, {})
                              .Bytes();
    ASSERT_EQ(expected.size(), 283u);
    EXPECT_EQ(doc.ContentsBytes(), expected);
    EXPECT_EQ(second->NoteCount(), 0);
}

TEST_F(CCorvaneDocTest, LoadKeepsListOrderPositionsNotesAndReservedBytes) {
    const auto bytes = ContentsBuilder()
                           .Raw("Lutaris_0.2")
                           .Ints({3, 4, 20, 10, 6, 4, 26, 0})
                           .Int(3)
                           .Item(2, {Note(7, 1, 0, BendUp, -5), Note(9, 0, 0, Tap)}, 0x11)
                           .Item(0, {Note(1, 3, 4)}, 0x22)
                           .Item(1, {}, 0x33)
                           .Bytes();
    Load(bytes);
    ExpectConsistent();
    EXPECT_EQ(*doc.settings, (TabSettings{3, 4, 20, 10, 6, 4, 26, 0}));
    ASSERT_EQ(doc.tabItems.size(), 3u);
    EXPECT_EQ(doc.tabItems[0]->position, 2);
    EXPECT_EQ(doc.tabItems[1]->position, 0);
    EXPECT_EQ(doc.tabItems[0]->notes,
              (std::vector<TabNote>{Note(7, 1, 0, BendUp, -5), Note(9, 0, 0, Tap)}));
    EXPECT_EQ(doc.tabItems[2]->reservedBlock[79], 0x33);
    EXPECT_EQ(doc.ItemAtPosition(0), doc.tabItems[1].get());
    EXPECT_EQ(doc.ContentsBytes(), bytes);
}

TEST_F(CCorvaneDocTest, CaretStartsOnTheFirstStoredItemAndShowsItsNoteAtColumnZeroStringZero) {
    Load(ContentsBuilder()
             .DefaultHeader()
             .Int(2)
             .Item(1, {Note(3, 1, 0), Note(8, 0, 0, Vibrato, 44)})
             .Item(0, {Note(2, 0, 0)})
             .Bytes());
    EXPECT_EQ(doc.cursor->tabItem, doc.tabItems[0].get());
    EXPECT_EQ(doc.cursor->tabItem->position, 1);
    EXPECT_EQ(doc.cursor->current, Note(8, 0, 0, Vibrato, 44));
    // The load shows the note in the caret only; what StoreNote would write is untouched.
    EXPECT_EQ(doc.cursor->previous, Note(0, 0, 0, NoNote));
}

TEST_F(CCorvaneDocTest, LoadReplacesSettingsCaretAndSelection) {
    doc.SetSelection({doc.tabItems[0].get()}, doc.copied);
    doc.cursor->current = Note(4, 3, 2, Mute);
    const TabSettings* oldSettings = doc.settings.get();
    Load(ContentsBuilder().DefaultHeader().Int(1).Item(0, {}).Bytes());
    ExpectConsistent();
    EXPECT_NE(doc.settings.get(), oldSettings);
    EXPECT_EQ(doc.cursor->current, Note(0, 0, 0, NoNote));
}

TEST_F(CCorvaneDocTest, AnyDifferenceInTheMagicRejectsTheStreamWithItsMessage) {
    for (const char* magic : {"Lutaris_0.3", "lutaris_0.2", "LUTARIS_0.2", "Lutaris_0.", ""}) {
        prompter.ClearMessages();
        const auto bytes = ContentsBuilder().Raw(magic).Ints({1, 1, 24, 12, 8, 6, 30, 1}).Bytes();
        EXPECT_THROW(Load(bytes), DocumentRejectedError) << magic;
        ASSERT_EQ(prompter.Messages().size(), 1u) << magic;
        const auto& message = prompter.Messages()[0];
        EXPECT_EQ(message.text, "This is not a Lutaris file");
        EXPECT_EQ(message.caption, "Error");
        EXPECT_EQ(message.icon, MessageIcon::Error);
        EXPECT_EQ(message.buttons, MessageButtons::Ok);
        ExpectConsistent();
        EXPECT_EQ(doc.tabItems.size(), 1u);
    }
}

TEST_F(CCorvaneDocTest, StreamCutInsideAnIntegerEndsWithEndOfFileAndStaysConsistent) {
    const auto full = ContentsBuilder()
                          .DefaultHeader()
                          .Int(2)
                          .Item(0, {Note(1, 0, 0)})
                          .Item(1, {Note(2, 1, 1)})
                          .Bytes();
    // Every cut that ends inside an integer: the settings, the count, a position, a note count
    // or one of a note's first three words.
    for (const std::size_t length :
         {std::size_t{11}, std::size_t{20}, std::size_t{45}, std::size_t{130}, std::size_t{135},
          std::size_t{147}, std::size_t{250}}) {
        const std::vector<std::uint8_t> cut(full.begin(),
                                            full.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THROW(Load(cut), ArchiveEndOfFile) << length;
        ExpectConsistent();
    }
}

TEST_F(CCorvaneDocTest, NoteCutInItsLastTwoWordsLoadsWithTheMissingBytesZero) {
    auto bytes = ContentsBuilder()
                     .DefaultHeader()
                     .Int(1)
                     .Item(0, {Note(4, 1, 2, 0x7fffffff, 0x0f0f0f0f)})
                     .Bytes();
    bytes.resize(bytes.size() - 6);  // keeps two bytes of `reserved`, none of `action`
    Load(bytes);
    ASSERT_EQ(doc.tabItems[0]->NoteCount(), 1);
    EXPECT_EQ(doc.tabItems[0]->notes[0], Note(4, 1, 2, Normal, 0x0f0f));
}

TEST_F(CCorvaneDocTest, HugeCountsInATinyStreamEndAtOnceWithoutAllocatingByTheCount) {
    auto items = ContentsBuilder().DefaultHeader().Int(std::numeric_limits<std::int32_t>::max());
    items.Item(0, {});
    items.Zeros(200 - items.Bytes().size());
    ASSERT_EQ(items.Bytes().size(), 200u);
    EXPECT_THROW(Load(items.Bytes()), ArchiveEndOfFile);
    ExpectConsistent();
    EXPECT_LE(doc.tabItems.size(), 3u);

    auto notes = ContentsBuilder().DefaultHeader().Int(1).Zeros(80).Int(0).Int(
        std::numeric_limits<std::int32_t>::max());
    notes.Ints({1, 2, 3, 4, 5});
    EXPECT_THROW(Load(notes.Bytes()), ArchiveEndOfFile);
    ExpectConsistent();
}

TEST_F(CCorvaneDocTest, NoItemsOrANegativeCountGiveOneEmptyItem) {
    for (const std::int32_t count : {0, -1, std::numeric_limits<std::int32_t>::min()}) {
        Load(ContentsBuilder().DefaultHeader().Int(count).Bytes());
        ExpectConsistent();
        ASSERT_EQ(doc.tabItems.size(), 1u);
        EXPECT_EQ(doc.tabItems[0]->position, 0);
        EXPECT_EQ(doc.tabItems[0]->NoteCount(), 0);
    }
}

TEST_F(CCorvaneDocTest, PositionsThatAreNotZeroToNMinusOneAreRenumberedInStoredOrder) {
    Load(ContentsBuilder()
             .DefaultHeader()
             .Int(4)
             .Item(7, {})
             .Item(1, {})
             .Item(1, {})
             .Item(-3, {})
             .Bytes());
    ExpectConsistent();
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(doc.tabItems[i]->position, static_cast<std::int32_t>(i));
    }
    EXPECT_EQ(doc.cursor->tabItem, doc.tabItems[0].get());
}

TEST_F(CCorvaneDocTest, ItemAtPositionFollowsChangesOfPositionsAndItems) {
    AddItems(2);
    EXPECT_EQ(doc.ItemAtPosition(2), doc.tabItems[2].get());
    EXPECT_EQ(doc.ItemAtPosition(3), nullptr);
    EXPECT_EQ(doc.ItemAtPosition(-1), nullptr);
    // Swapped without telling the document: the checked entry gives the right item anyway.
    std::swap(doc.tabItems[0]->position, doc.tabItems[2]->position);
    EXPECT_EQ(doc.ItemAtPosition(0), doc.tabItems[2].get());
    EXPECT_EQ(doc.ItemAtPosition(2), doc.tabItems[0].get());
    doc.RemoveTabItems({doc.tabItems[1].get()});
    EXPECT_EQ(doc.ItemAtPosition(0), doc.tabItems[1].get());
    EXPECT_EQ(doc.ItemAtPosition(1), doc.tabItems[0].get());
    EXPECT_EQ(doc.ItemAtPosition(2), nullptr);
}

TEST_F(CCorvaneDocTest, ItemAtPositionTakesTheFirstInListOrderWhilePositionsRepeat) {
    AddItems(2);
    doc.tabItems[2]->position = 0;
    EXPECT_EQ(doc.ItemAtPosition(0), doc.tabItems[0].get());
    EXPECT_EQ(doc.ItemAtPosition(2), nullptr);
    doc.tabItems[0]->position = 5;
    EXPECT_EQ(doc.ItemAtPosition(0), doc.tabItems[2].get());
    EXPECT_EQ(doc.ItemAtPosition(5), doc.tabItems[0].get());
}

}  // namespace
}  // namespace lutaris
