// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "edit/ClipboardCommands.h"
#include "edit/CursorResultApplier.h"
#include "edit/DragSelection.h"
#include "edit/SelectionMover.h"
#include "model/CommandIds.h"
#include "model/SettingsDialogEntry.h"
#include "platform/clipboard/MemoryClipboard.h"
#include "platform/keys/VirtualKeyCodes.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

using test::Note;

// What Undo must give back: the saved content and the caret.
struct Snapshot {
    std::vector<std::uint8_t> contents;
    std::int64_t caretItem = -1;  // the caret's item's index in list order
    TabNote current;
    TabNote previous;
    bool operator==(const Snapshot&) const = default;
};

class UndoTest : public test::DocumentTest {
protected:
    UndoTest() { doc.SetClipboard(&clipboard); }

    Snapshot Take() {
        Snapshot snapshot{doc.ContentsBytes(), -1, doc.cursor->current, doc.cursor->previous};
        for (std::size_t i = 0; i < doc.tabItems.size(); ++i) {
            if (doc.tabItems[i].get() == doc.cursor->tabItem) {
                snapshot.caretItem = static_cast<std::int64_t>(i);
            }
        }
        return snapshot;
    }

    void Key(std::int32_t virtualKey) { doc.SendKeyToCursor(virtualKey); }
    void Type(const std::string& digits) {
        for (const char digit : digits) Key(vk::Digit0 + (digit - '0'));
    }
    void Select(std::int32_t first, std::int32_t last) {
        DragSelection(doc).Begin();
        DragSelection(doc).End(first, last, &clipboard);
    }
    std::vector<std::int32_t> Frets(const Tablature& item) const {
        std::vector<std::int32_t> frets;
        for (const TabNote& note : item.notes) frets.push_back(note.fret);
        return frets;
    }

    MemoryClipboard clipboard;
};

TEST_F(UndoTest, RandomEditsUndoToTheStartAndRedoToTheEndByteForByte) {
    const std::int32_t commands[] = {
        ID_INSERT_TAB_ITEM, ID_INSERT_NOTE,     ID_INSERT_RANDOM_RIFF, ID_ADD_TAB_ITEM,
        ID_ACTION_BEND_UP,  ID_ACTION_SLIDE_UP, ID_ACTION_MUTE,        ID_ACTION_CLEAR,
        ID_ACTION_HARMONIC, ID_EDIT_CUT,        ID_EDIT_COPY,          ID_EDIT_PASTE,
        ID_TAB_SETTINGS,
    };
    const std::int32_t keys[] = {vk::Left,       vk::Right,      vk::Up,         vk::Down,
                                 vk::Delete,     vk::Back,       vk::B,          vk::H,
                                 vk::Oem2,       vk::X,          vk::Digit0 + 1, vk::Digit0 + 2,
                                 vk::Digit0 + 5, vk::Digit0 + 7, vk::Digit0};
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        doc.OnNewDocument();
        std::mt19937 random(seed);
        const auto pick = [&](std::size_t count) {
            return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
        };
        // At each depth of the history: the state its step left (the last change made at
        // that depth), and where the caret stood when that step began.
        std::map<std::size_t, Snapshot> after;
        std::map<std::size_t, Snapshot> begun;
        after[0] = Take();
        for (int action = 0; action < 120; ++action) {
            const std::vector<std::uint8_t> contentBefore = doc.ContentsBytes();
            const std::size_t depthBefore = doc.History().UndoCount();
            const Snapshot before = Take();
            const auto items = static_cast<std::int32_t>(doc.tabItems.size());
            switch (pick(5)) {
                case 0:
                case 1:
                    Key(keys[pick(std::size(keys))]);
                    break;
                case 2: {
                    const std::int32_t command = commands[pick(std::size(commands))];
                    if (command == ID_TAB_SETTINGS) {
                        SettingsDialogEntry entry =
                            SettingsDialogEntry::FromSettings(*doc.settings);
                        entry.texts[3] = std::to_string(3 + pick(5));
                        prompter.QueueSettings(entry);
                    }
                    doc.RunCommand(command);
                    break;
                }
                case 3: {
                    const auto first =
                        static_cast<std::int32_t>(pick(static_cast<std::size_t>(items)));
                    Select(first, first + static_cast<std::int32_t>(pick(3)));
                    break;
                }
                default: {
                    TabDocument::Step step(doc, history::step_kind::kMove);
                    SelectionMover(doc).MoveBefore(
                        static_cast<std::int32_t>(pick(static_cast<std::size_t>(items))));
                    break;
                }
            }
            const std::size_t depth = doc.History().UndoCount();
            if (depth != depthBefore) {
                ASSERT_EQ(depth, depthBefore + 1);
                begun[depth] = before;
                after[depth] = Take();
            } else if (doc.ContentsBytes() != contentBefore) {
                after[depth] = Take();  // typing joined the last step
            }
        }
        const std::size_t end = doc.History().UndoCount();
        ASSERT_GT(end, 10u);
        for (std::size_t depth = end; depth > 0; --depth) {
            ASSERT_TRUE(doc.Undo());
            Snapshot expected = begun[depth];
            expected.contents = after[depth - 1].contents;
            const Snapshot now = Take();
            ASSERT_EQ(now.contents, expected.contents) << "undone to depth " << depth - 1;
            ASSERT_EQ(now, expected) << "the caret, undone to depth " << depth - 1;
        }
        EXPECT_FALSE(doc.Undo());
        EXPECT_FALSE(doc.IsModified());
        for (std::size_t depth = 1; depth <= end; ++depth) {
            ASSERT_TRUE(doc.Redo());
            const Snapshot now = Take();
            ASSERT_EQ(now.contents, after[depth].contents) << "redone to depth " << depth;
            ASSERT_EQ(now, after[depth]) << "the caret, redone to depth " << depth;
        }
        EXPECT_FALSE(doc.Redo());
    }
}

TEST_F(UndoTest, TheDigitsOfOneFretAreOneStepAndAMoveEndsIt) {
    Type("12");
    EXPECT_EQ(doc.History().UndoCount(), 1u);
    EXPECT_EQ(Frets(*doc.tabItems[0]), (std::vector<std::int32_t>{12}));
    Key(vk::Down);
    Type("3");
    EXPECT_EQ(doc.History().UndoCount(), 2u);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Frets(*doc.tabItems[0]), (std::vector<std::int32_t>{12}));
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(doc.tabItems[0]->notes.empty());
    EXPECT_EQ(doc.cursor->current.string, 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.UndoKind(), 0);
    EXPECT_EQ(doc.RedoKind(), history::step_kind::kTyping);
}

TEST_F(UndoTest, ARandomRiffRedoneKeepsItsNotes) {
    doc.RunCommand(ID_INSERT_RANDOM_RIFF);
    const std::vector<TabNote> drawn = doc.tabItems.back()->notes;
    ASSERT_FALSE(drawn.empty());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.tabItems.size(), 1u);
    ASSERT_TRUE(doc.Redo());
    ASSERT_EQ(doc.tabItems.size(), 2u);
    EXPECT_EQ(doc.tabItems.back()->notes, drawn);
}

TEST_F(UndoTest, TheModifiedFlagFollowsTheSavedStateAcrossASave) {
    const std::string path = (dir / "song.ltf").string();
    EXPECT_FALSE(doc.IsModified()) << "an untouched new document";
    Key(vk::Down);
    EXPECT_FALSE(doc.IsModified()) << "a caret move";
    Type("5");
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.SaveToPath(path));
    EXPECT_FALSE(doc.IsModified());
    Type("7");  // the same cell, but after a save: a step of its own
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.Undo());
    EXPECT_FALSE(doc.IsModified()) << "back at the saved state";
    ASSERT_TRUE(doc.Undo());  // past the save
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.tabItems[0]->notes.empty());
    ASSERT_TRUE(doc.Redo());
    EXPECT_FALSE(doc.IsModified());
    // A new step from a state before the save makes the saved state unreachable.
    ASSERT_TRUE(doc.Undo());
    Key(vk::Right);
    Type("9");
    while (doc.Undo()) EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.IsModified()) << "the unsaved new document differs from the file";
}

TEST_F(UndoTest, CancelledSettingsAndATechniqueOnAnEmptyCellChangeNothing) {
    prompter.QueueSettings(std::nullopt);
    doc.RunCommand(ID_TAB_SETTINGS);
    doc.RunCommand(ID_ACTION_BEND_UP);  // the caret's cell is empty
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.CanUndo());
    prompter.QueueSettings(SettingsDialogEntry::FromSettings(*doc.settings));  // OK, as it was
    doc.RunCommand(ID_TAB_SETTINGS);
    EXPECT_FALSE(doc.CanUndo());
}

TEST_F(UndoTest, CutThenPasteAppendsTheCutItemsAndUndoPutsThemBackInPlace) {
    for (int fret = 1; fret <= 3; ++fret) {
        doc.SetNote(*doc.InsertTabItemAt(fret), Note(fret, 0, 0));
    }
    doc.ClearHistory();
    const Snapshot before = Take();
    Select(1, 2);
    doc.RunCommand(ID_EDIT_CUT);
    ASSERT_EQ(doc.tabItems.size(), 2u);
    doc.RunCommand(ID_EDIT_PASTE);
    doc.RunCommand(ID_EDIT_PASTE);  // repeatable
    ASSERT_EQ(doc.tabItems.size(), 6u);
    EXPECT_EQ(Frets(*doc.ItemAtPosition(1)), (std::vector<std::int32_t>{3}));
    EXPECT_EQ(Frets(*doc.ItemAtPosition(2)), (std::vector<std::int32_t>{1}));
    EXPECT_EQ(Frets(*doc.ItemAtPosition(3)), (std::vector<std::int32_t>{2}));
    EXPECT_EQ(Frets(*doc.ItemAtPosition(5)), (std::vector<std::int32_t>{2}));
    EXPECT_EQ(doc.UndoKind(), ID_EDIT_PASTE);
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.Undo());
    Snapshot back = Take();
    EXPECT_EQ(back.contents, before.contents);
    EXPECT_EQ(doc.selection.size(), 2u) << "the selection comes back with the items";
}

TEST_F(UndoTest, UndoOfAnImportGivesBackTheDocumentAndItsPath) {
    const std::string path = (dir / "mine.ltf").string();
    Type("4");
    ASSERT_TRUE(doc.SaveToPath(path));
    const std::vector<std::uint8_t> saved = doc.ContentsBytes();
    std::ofstream((dir / "riff.txt").string())
        << "e|--3--5--|\nB|--------|\nG|--------|\nD|--------|\n";
    prompter.QueueAnswer(MessageAnswer::Yes);  // replace the document
    prompter.QueueFile((dir / "riff.txt").string());
    ASSERT_EQ(doc.RunCommand(ID_IMPORT_FILE), CCorvaneDoc::CommandOutcome::Done);
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_EQ(doc.settings->numberOfStrings, 4);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.RunCommand(ID_EDIT_UNDO) == CCorvaneDoc::CommandOutcome::Done);
    EXPECT_EQ(doc.ContentsBytes(), saved);
    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.RunCommand(ID_EDIT_REDO) == CCorvaneDoc::CommandOutcome::Done);
    EXPECT_EQ(doc.settings->numberOfStrings, 4);
    EXPECT_EQ(doc.GetPathName(), "");
}

TEST_F(UndoTest, NewAndOpenStartAnEmptyHistory) {
    const std::string path = (dir / "a.ltf").string();
    Type("3");
    ASSERT_TRUE(doc.SaveToPath(path));
    Type("1");
    ASSERT_TRUE(doc.CanUndo());
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.IsModified());
    Type("2");
    doc.OnNewDocument();
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());
}

TEST_F(UndoTest, TheOldestStepsGoWhenTheHistoryPassesItsCap) {
    doc.SetHistoryCapBytes(64 * 1024);
    for (int i = 0; i < 2000; ++i) {
        Type("1");
        Key(vk::Right);
    }
    EXPECT_LE(doc.History().Bytes(), 64u * 1024u);
    EXPECT_LT(doc.History().UndoCount(), 2000u);
    EXPECT_GT(doc.History().UndoCount(), 100u);
    while (doc.Undo()) {
    }
    // What is left of the history ends in a state that is not the new document's.
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.tabItems[0]->notes.empty());
}

}  // namespace
}  // namespace lutaris
