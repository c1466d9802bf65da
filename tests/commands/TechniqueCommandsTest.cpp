// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "edit/TechniqueCommandKeys.h"
#include "model/CommandIds.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

using test::Note;

class TechniqueCommandsTest : public test::DocumentTest {
protected:
    TechniqueCommandsTest() : item(*doc.tabItems[0]) {
        item.AppendNote(Note(7, 1, 2));
        doc.cursor->current = Note(7, 1, 2, Normal);
        doc.cursor->previous = doc.cursor->current;
        doc.SetModifiedFlag(false);
    }

    Tablature& item;
};

TEST_F(TechniqueCommandsTest, EachCommandGivesTheNoteAtTheCaretItsTechniqueAndTogglesBack) {
    const std::pair<std::int32_t, std::int32_t> commands[] = {{ID_ACTION_MUTE, Mute},
                                                              {ID_ACTION_BEND_UP, BendUp},
                                                              {ID_ACTION_BEND_RELEASE, BendRelease},
                                                              {ID_ACTION_SLIDE_UP, SlideUp},
                                                              {ID_ACTION_SLIDE_DOWN, SlideDown},
                                                              {ID_ACTION_VIBRATO, Vibrato},
                                                              {ID_ACTION_HAMMER_ON, HammerOn},
                                                              {ID_ACTION_PULL_OFF, PullOff},
                                                              {ID_ACTION_TAP, Tap},
                                                              {ID_ACTION_HARMONIC, Harmonic},
                                                              {ID_ACTION_OPTIONAL, Optional}};
    for (const auto& [command, action] : commands) {
        EXPECT_TRUE(doc.OnCommand(command));
        EXPECT_EQ(item.notes, std::vector<TabNote>{Note(7, 1, 2, action)}) << command;
        EXPECT_EQ(doc.cursor->current.action, action) << command;
        doc.OnCommand(command);
        EXPECT_EQ(item.notes[0].action, Normal) << command;
    }
}

TEST_F(TechniqueCommandsTest, ClearActionReturnsTheNoteToNormal) {
    doc.OnCommand(ID_ACTION_TAP);
    doc.OnCommand(ID_ACTION_CLEAR);
    EXPECT_EQ(item.notes, std::vector<TabNote>{Note(7, 1, 2, Normal)});
    doc.OnCommand(ID_ACTION_CLEAR);
    EXPECT_EQ(item.notes, std::vector<TabNote>{Note(7, 1, 2, Normal)});
}

TEST_F(TechniqueCommandsTest, ATechniqueOnAnEmptyCellChangesNothingAndIsNoChange) {
    doc.cursor->current = Note(0, 4, 2, NoNote);
    for (const auto command : {ID_ACTION_BEND_UP, ID_ACTION_CLEAR, ID_ACTION_HARMONIC}) {
        doc.SetModifiedFlag(false);
        EXPECT_TRUE(doc.OnCommand(command));
        EXPECT_EQ(item.notes.size(), 1u);
        EXPECT_FALSE(doc.IsModified()) << command;
    }
}

TEST_F(TechniqueCommandsTest, SlidesAndMuteMakeNotesOnEmptyCells) {
    doc.cursor->current = Note(0, 4, 2, NoNote);
    doc.OnCommand(ID_ACTION_SLIDE_DOWN);
    doc.cursor->current = Note(0, 5, 2, NoNote);
    doc.OnCommand(ID_ACTION_MUTE);
    EXPECT_EQ(item.notes, (std::vector<TabNote>{Note(7, 1, 2), Note(BlankFret, 4, 2, SlideDown),
                                                Note(0, 5, 2, Mute)}));
    EXPECT_EQ(doc.cursor->current, Note(0, 5, 2, Mute));
}

TEST_F(TechniqueCommandsTest, OnlyTheTwelveTechniqueCommandsSendKeys) {
    EXPECT_EQ(TechniqueKeyForCommand(ID_ACTION_SLIDE_UP), 191);
    EXPECT_EQ(TechniqueKeyForCommand(ID_ACTION_SLIDE_DOWN), 220);
    EXPECT_EQ(TechniqueKeyForCommand(ID_ACTION_VIBRATO), 192);
    EXPECT_EQ(TechniqueKeyForCommand(ID_ACTION_CLEAR), 90);
    EXPECT_EQ(TechniqueKeyForCommand(ID_TAB_SETTINGS), std::nullopt);
    EXPECT_EQ(TechniqueKeyForCommand(ID_ADD_TAB_ITEM), std::nullopt);
    EXPECT_TRUE(doc.OnCommand(ID_EDIT_UNDO));  // nothing to undo, but the document's command
    EXPECT_FALSE(doc.OnCommand(0));
}

}  // namespace
}  // namespace lutaris
