// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <vector>

#include "compound/CompoundFileReader.h"
#include "compound/CompoundFileWriter.h"
#include "platform/files/DocumentClassId.h"
#include "platform/files/DocumentFile.h"
#include "support/ContentsBuilder.h"
#include "support/TabDocumentFixture.h"

namespace lutaris {
namespace {

using test::ContentsBuilder;
using test::Note;
using test::ReadFileBytes;
using test::WriteFileBytes;

class TabDocumentPlaybackTest : public test::TabDocumentTest {
protected:
    std::string PathOf(const std::string& name) { return (dir / name).string(); }

    PlaybackSettings DropD() {
        PlaybackSettings values;
        values.tuning = {64, 59, 55, 50, 45, 38};
        values.tempo = 180;
        values.program = 24;
        return values;
    }
};

TEST_F(TabDocumentPlaybackTest, ANewDocumentIsSavedByteForByteAsBeforePlaybackExisted) {
    // Saved by the editor before the document had playback settings.
    const auto before = ReadFileBytes(test::SourceDir() / "tests/data/playback/new-document.ltf");
    ASSERT_TRUE(doc.SaveToPath(PathOf("new.ltf")));
    EXPECT_EQ(ReadFileBytes(dir / "new.ltf"), before);
    EXPECT_TRUE(doc.PlaybackBytes().empty());
    EXPECT_EQ(doc.StorageBytes(), before);
}

TEST_F(TabDocumentPlaybackTest, ADocumentOfDefaultsHasNoPlaybackStreamWhateverItHolds) {
    doc.tabItems[0]->AppendNote(Note(5, 0, 3, BendUp));
    PlaybackSettings defaults;
    defaults.tuning = DefaultTuning(6);
    doc.SetPlayback(defaults);
    ASSERT_TRUE(doc.SaveToPath(PathOf("song.ltf")));
    EXPECT_EQ(ReadFileBytes(dir / "song.ltf"),
              WriteCompoundFile(kDocumentClassId, "Contents", doc.ContentsBytes()));
}

TEST_F(TabDocumentPlaybackTest, PlaybackSettingsRoundTripThroughAFileBesideContents) {
    doc.tabItems[0]->AppendNote(Note(7, 2, 1, HammerOn));
    doc.SetModifiedFlag(false);
    doc.SetPlayback(DropD());
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.SaveToPath(PathOf("song.ltf")));
    const auto file = ReadFileBytes(dir / "song.ltf");
    const CompoundFileReader reader(file);
    EXPECT_EQ(reader.StreamNames(), (std::vector<std::string>{"Contents", "Playback"}));
    EXPECT_EQ(reader.ReadStream("Contents"), doc.ContentsBytes());

    doc.OnNewDocument();
    EXPECT_EQ(doc.playback, PlaybackSettings{});
    ASSERT_TRUE(doc.OnOpenDocument(PathOf("song.ltf")));
    EXPECT_EQ(doc.playback, DropD());
    ASSERT_EQ(doc.tabItems[0]->notes.size(), 1u);
    EXPECT_EQ(doc.tabItems[0]->notes[0].fret, 7);
    EXPECT_TRUE(doc.TakePlaybackNotice().empty());
    EXPECT_FALSE(doc.IsModified());

    // An embedded object's storage, and a copy saved with Save Copy As, carry the same.
    const auto storage = doc.StorageBytes();
    EXPECT_EQ(storage, file);
    ASSERT_TRUE(doc.WriteCopy(PathOf("copy.ltf")));
    EXPECT_EQ(ReadFileBytes(dir / "copy.ltf"), file);
    std::vector<std::uint8_t> scratch;
    SideStream playback;
    const auto contents = StorageContents(storage, scratch, playback);
    TabDocument other(prompter);
    ASSERT_TRUE(other.OpenContents(contents, playback));
    EXPECT_EQ(other.playback, DropD());
}

TEST_F(TabDocumentPlaybackTest, ADamagedPlaybackStreamOpensWithTheDefaultsAndSaysSoOnce) {
    const auto contents = ContentsBuilder()
                              .DefaultHeader()
                              .Int(1)
                              .Item(0, {Note(3, 1, 0), Note(5, 1, 2, SlideUp)})
                              .Bytes();
    const auto damaged = ContentsBuilder().Raw("Lutaris_Playback").Ints({1, 240}).Bytes();
    const auto newer = ContentsBuilder().Raw("Lutaris_Playback").Ints({7, 240, -1, 0}).Bytes();
    for (const auto& playback : {damaged, newer}) {
        const CompoundStream streams[] = {{"Contents", contents}, {"Playback", playback}};
        WriteFileBytes(dir / "song.ltf", WriteCompoundFile(kDocumentClassId, streams));
        doc.SetPlayback(DropD());
        ASSERT_TRUE(doc.OnOpenDocument(PathOf("song.ltf")));
        // Nothing else is lost, and no message box interrupts the open.
        EXPECT_TRUE(prompter.Messages().empty());
        ASSERT_EQ(doc.tabItems.size(), 1u);
        EXPECT_EQ(doc.tabItems[0]->notes.size(), 2u);
        EXPECT_EQ(doc.playback, PlaybackSettings{});
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(doc.TakePlaybackNotice(), TabDocument::kPlaybackUnreadable);
        EXPECT_EQ(doc.TakePlaybackNotice(), "");
    }
    // The next open of a sound file says nothing.
    const auto good = ContentsBuilder().Raw("Lutaris_Playback").Ints({1, 100, -1, 0}).Bytes();
    const CompoundStream streams[] = {{"Contents", contents}, {"Playback", good}};
    WriteFileBytes(dir / "song.ltf", WriteCompoundFile(kDocumentClassId, streams));
    ASSERT_TRUE(doc.OnOpenDocument(PathOf("song.ltf")));
    EXPECT_EQ(doc.playback.tempo, 100);
    EXPECT_EQ(doc.TakePlaybackNotice(), "");
}

TEST_F(TabDocumentPlaybackTest, NewForgetsThePlaybackSettingsAndAFailedOpenKeepsThem) {
    doc.SetPlayback(DropD());
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.playback, PlaybackSettings{});
    doc.SetPlayback(DropD());
    WriteFileBytes(dir / "bad.ltf", {'n', 'o', 'p', 'e', '!', '!', '!', '!', '!', '!', '!', '!'});
    EXPECT_FALSE(doc.OnOpenDocument(PathOf("bad.ltf")));
    EXPECT_EQ(doc.playback, DropD());
}

}  // namespace
}  // namespace lutaris
