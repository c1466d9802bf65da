// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "edit/SoundCommands.h"
#include "model/ReadingOrder.h"
#include "sound/MidiFileWriter.h"
#include "support/TabDocumentFixture.h"

namespace lutaris {
namespace {

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(StoredPlayback, TheDefaultsOfTheStringCountAreLeftUnset) {
    PlaybackSettings values;
    values.tuning = DefaultTuning(6);
    values.program = PlaybackSettings::kSteelGuitar;
    values.tempo = 300;
    const PlaybackSettings stored = StoredPlayback(values, 6);
    EXPECT_TRUE(stored.tuning.empty());
    EXPECT_EQ(stored.program, PlaybackSettings::kDefaultProgram);
    EXPECT_EQ(stored.tempo, 300);
    // So that the tab turned into a bass's sounds as a bass.
    EXPECT_EQ(stored.ProgramFor(4), PlaybackSettings::kFingerBass);
}

TEST(StoredPlayback, OtherValuesAreKept) {
    PlaybackSettings values;
    values.tuning = {64, 59, 55, 50, 45, 38};  // drop D
    values.program = PlaybackSettings::kSteelGuitar;
    // A steel guitar is no default for four strings.
    EXPECT_EQ(StoredPlayback(values, 4).program, PlaybackSettings::kSteelGuitar);
    EXPECT_EQ(StoredPlayback(values, 6).tuning, values.tuning);
    // A tuning of another length than the tab's strings is the default anyway.
    EXPECT_TRUE(StoredPlayback(values, 7).tuning.empty());
}

class SoundExportTest : public test::TabDocumentTest {
protected:
    SoundExportTest() {
        doc.tabItems[0]->AppendNote(test::Note(5, 0, 0));
        doc.tabItems[0]->AppendNote(test::Note(7, 1, 1, BendUp));
    }
};

TEST_F(SoundExportTest, ExportMidiWritesWhatThePlayersEventListMakes) {
    const auto path = dir / "song.mid";
    prompter.QueueFile(path.string());
    ASSERT_TRUE(SoundExportCommands(doc).ExportMidi());
    const auto& dialog = prompter.FileDialogs().back();
    EXPECT_EQ(dialog.defaultExtension, "mid");
    EXPECT_TRUE(dialog.overwritePrompt);
    EXPECT_EQ(ReadBytes(path), MidiFileBytes(ItemsInReadingOrder(doc.tabItems),
                                             SoundSetup::For(*doc.settings, doc.playback)));
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(SoundExportTest, CancellingWritesNothingAndSaysNothing) {
    prompter.QueueFile(std::nullopt);
    EXPECT_FALSE(SoundExportCommands(doc).ExportMidi());
    prompter.QueueFile(std::nullopt);
    EXPECT_FALSE(SoundExportCommands(doc).ExportAudio(""));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(SoundExportTest, AFailedWriteIsToldOnceAndLeavesTheOldFile) {
    EXPECT_FALSE(SoundExportCommands(doc).WriteMidi((dir / "no such folder" / "x.mid").string()));
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].icon, MessageIcon::Exclamation);

    const auto old = dir / "old.mp3";
    std::ofstream(old) << "kept";
    EXPECT_FALSE(SoundExportCommands(doc).WriteAudio(old.string(), ""));
    ASSERT_EQ(prompter.Messages().size(), 2u);
    EXPECT_EQ(prompter.Messages()[1].text, "An audio file's name ends in .wav, .flac or .ogg.");
    EXPECT_EQ(ReadBytes(old), (std::vector<std::uint8_t>{'k', 'e', 'p', 't'}));
}

TEST_F(SoundExportTest, AMissingSoundfontIsToldAndNoFileAppears) {
    const auto path = dir / "song.wav";
    EXPECT_FALSE(SoundExportCommands(doc).WriteAudio(path.string(), (dir / "none.sf2").string()));
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_FALSE(prompter.Messages()[0].text.empty());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(SoundExportTest, ReplacingThePlaybackSettingsRunsTheUpdateStep) {
    PlaybackSettings values;
    values.tempo = 480;
    doc.SetModifiedFlag(false);
    ReplacePlaybackSettings(doc, values);
    EXPECT_EQ(doc.playback.tempo, 480);
    EXPECT_TRUE(doc.IsModified());
}

}  // namespace
}  // namespace lutaris
