// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "document/EmbeddedObject.h"

#include <gtest/gtest.h>

#include "document/CCorvaneDoc.h"
#include "model/TabCursor.h"
#include "platform/files/DocumentFile.h"
#include "platform/prompt/ScriptedPrompter.h"
#include "platform/prompt/ServerPrompter.h"
#include "support/TestPaths.h"

namespace lutaris {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

class EmbeddedObjectTest : public ::testing::Test {
protected:
    EmbeddedObjectTest() {
        object.SetDataChangedHandler([this] { ++dataChanged; });
    }

    test::TempDir dir;
    test::ScopedCurrentDir currentDir{dir.Path()};  // no settings file: built-in defaults
    ServerPrompter prompter;
    EmbeddedObject object{prompter};
    int dataChanged = 0;
};

TEST_F(EmbeddedObjectTest, OnlyThePersonsChangesAreSignalledAndSaveTakesThem) {
    ASSERT_FALSE(object.InitNew());
    ASSERT_FALSE(object.Load(DocumentFileBytes(object.Document().ContentsBytes())));
    // The container made these changes itself: no signal, nothing it has not taken.
    EXPECT_EQ(dataChanged, 0);
    EXPECT_FALSE(object.HasChangesNotTaken());
    EXPECT_FALSE(object.Document().IsModified());

    // A keystroke is one update step or two (the caret's and the note's): each one signals.
    object.Document().SendKeyToCursor('7');
    EXPECT_GE(dataChanged, 1);
    EXPECT_TRUE(object.HasChangesNotTaken());
    std::vector<std::uint8_t> storage;
    ASSERT_FALSE(object.Save(storage));
    EXPECT_FALSE(object.HasChangesNotTaken());
    // The saved storage holds the typed note: a new object shows it.
    ServerPrompter other;
    EmbeddedObject copy(other);
    ASSERT_FALSE(copy.Load(storage));
    ASSERT_EQ(copy.Document().tabItems.at(0)->NoteCount(), 1);
    EXPECT_EQ(copy.Document().tabItems[0]->notes[0].fret, 7);
}

TEST_F(EmbeddedObjectTest, ACallsMessagesGoToItsReplyNeverToThePersonsWindow) {
    ScriptedPrompter person;
    prompter.SetInteractive(&person);
    ASSERT_FALSE(object.InitNew());
    const EmbeddedObject::Reply reply = object.Load(Bytes("not a document at all"));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->name, "Lutaris.Error.NotLutarisFile");
    EXPECT_EQ(reply->message, "This is not a Lutaris file");
    EXPECT_TRUE(person.Messages().empty());
    // Outside a call the person is asked as in any window.
    EXPECT_FALSE(object.Document().OnOpenDocument((dir.Path() / "missing.ltf").string()));
    ASSERT_EQ(person.Messages().size(), 1u);
    EXPECT_EQ(person.Messages()[0].text, "Failed to open document.");
}

TEST_F(EmbeddedObjectTest, ALoadCutShortNamesTheFormatAndLeavesANewDocument) {
    ASSERT_FALSE(object.InitNew());
    object.Document().SendKeyToCursor('7');
    std::vector<std::uint8_t> storage;
    ASSERT_FALSE(object.Save(storage));
    std::vector<std::uint8_t> contents = object.Document().ContentsBytes();
    contents.resize(contents.size() - 30);  // inside the item, before its note
    const EmbeddedObject::Reply reply = object.Load(contents);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->name, "Lutaris.Error.UnexpectedFormat");
    EXPECT_EQ(object.Document().tabItems.size(), 1u);
    EXPECT_EQ(object.Document().tabItems[0]->NoteCount(), 0);
    std::int32_t cx = 0, cy = 0;
    EXPECT_FALSE(object.GetExtent(1, cx, cy));
}

TEST_F(EmbeddedObjectTest, APictureOfBillionsOfStringLinesIsRefusedBeforeItIsDrawn) {
    ASSERT_FALSE(object.InitNew());
    CCorvaneDoc& document = object.Document();
    document.settings->verticalSpacing = 1;
    std::vector<std::uint8_t> picture;
    // Millions of lines on three items: the picture squeezes them all into its pixels, so
    // none is cut off and each would cost a drawing call.
    for (int i = 1; i < 3; ++i) document.AppendTabItem(i);
    document.settings->numberOfStrings = 4'194'310;
    const EmbeddedObject::Reply fewItems = object.Draw(EmbeddedObject::kSvgType, 100, 100, picture);
    ASSERT_TRUE(fewItems);
    EXPECT_EQ(fewItems->name, "Lutaris.Error.TooLarge");

    document.settings->numberOfStrings = 1'000'000'000;
    for (int i = 3; i < 20; ++i) document.AppendTabItem(i);
    const EmbeddedObject::Reply reply = object.Draw(EmbeddedObject::kSvgType, 100, 100, picture);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->name, "Lutaris.Error.TooLarge");
    EXPECT_TRUE(picture.empty());
    // A document of real size draws.
    document.settings->numberOfStrings = 6;
    EXPECT_FALSE(object.Draw(EmbeddedObject::kSvgType, 100, 100, picture));
    EXPECT_FALSE(picture.empty());
}

TEST_F(EmbeddedObjectTest, HostNamesAreBoundedAndAClosedObjectRefusesEverything) {
    ASSERT_FALSE(object.InitNew());
    ASSERT_FALSE(object.SetHostNames("Writer", "Report.odt"));
    EXPECT_EQ(object.ContainerObject(), "Report.odt");
    const EmbeddedObject::Reply tooLong =
        object.SetHostNames("Writer", std::string(EmbeddedObject::kMaxHostNameBytes + 1, 'x'));
    ASSERT_TRUE(tooLong);
    EXPECT_EQ(tooLong->name, "Lutaris.Error.BadName");
    EXPECT_EQ(object.ContainerObject(), "Report.odt");

    ASSERT_FALSE(object.Close());
    std::vector<std::uint8_t> storage;
    std::int32_t cx = 0, cy = 0;
    for (const EmbeddedObject::Reply& reply :
         {object.InitNew(), object.Load(Bytes("Lutaris_0.2")), object.Save(storage),
          object.GetExtent(1, cx, cy), object.DoVerb(1)}) {
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->name, "Lutaris.Error.Closed");
    }
    EXPECT_TRUE(storage.empty());
}

}  // namespace
}  // namespace lutaris
