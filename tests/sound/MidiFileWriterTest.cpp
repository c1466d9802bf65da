// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/files/SafeFileReplacer.h"
#include "sound/MidiFileWriter.h"
#include "support/SoundItem.h"
#include "support/TestPaths.h"

namespace lutaris {
namespace {

using test::SoundItem;

std::uint32_t BigEndian(const std::vector<std::uint8_t>& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

// The tracks of a file: where each body starts and how long it is.
std::vector<std::pair<std::size_t, std::size_t>> Tracks(const std::vector<std::uint8_t>& file) {
    std::vector<std::pair<std::size_t, std::size_t>> tracks;
    std::size_t at = 14;
    while (at + 8 <= file.size()) {
        EXPECT_EQ(std::string(file.begin() + static_cast<long>(at),
                              file.begin() + static_cast<long>(at) + 4),
                  "MTrk");
        const std::size_t length = BigEndian(file, at + 4, 4);
        tracks.emplace_back(at + 8, length);
        at += 8 + length;
    }
    EXPECT_EQ(at, file.size());
    return tracks;
}

TEST(MidiFileWriter, WritesFormatOneAt480TicksWithATempoTrackAndOneTrackPerString) {
    SoundItem tab;
    tab.Add(5, 0, 0);
    Tablature* items[] = {&tab.item};
    const auto file = MidiFileBytes(items, tab.Setup());
    ASSERT_GE(file.size(), 14u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "MThd");
    EXPECT_EQ(BigEndian(file, 4, 4), 6u);
    EXPECT_EQ(BigEndian(file, 8, 2), 1u);   // format 1
    EXPECT_EQ(BigEndian(file, 10, 2), 7u);  // tempo + six strings
    EXPECT_EQ(BigEndian(file, 12, 2), 480u);
    const auto tracks = Tracks(file);
    ASSERT_EQ(tracks.size(), 7u);
    // Track 0: the tempo, 500,000 microseconds a quarter (240 steps a minute), then its end.
    const std::vector<std::uint8_t> tempoTrack(
        file.begin() + static_cast<long>(tracks[0].first),
        file.begin() + static_cast<long>(tracks[0].first + tracks[0].second));
    const std::vector<std::uint8_t> expected = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1,
                                                0x20, 0x81, 0x70, 0xFF, 0x2F, 0x00};
    EXPECT_EQ(tempoTrack, expected);  // and its end where the one-step song ends, tick 240
}

TEST(MidiFileWriter, UsesRunningStatusAndBridgesLongPauses) {
    SoundSetup setup;
    setup.tuning = {64};
    MidiFileBuilder builder(setup);
    builder.Add(NoteOnEvent(0, 0, 60, 100));
    builder.Add(NoteOnEvent(0, 0, 64, 100));
    builder.Add(NoteOffEvent(0x10000000LL * 2, 0, 60));
    builder.Finish(0x10000000LL * 2);
    const auto file = builder.Bytes();
    const auto tracks = Tracks(file);
    ASSERT_EQ(tracks.size(), 2u);
    const std::size_t body = tracks[1].first;
    // "String 1" as the track's name, then the two note-ons, the second without its status.
    const std::vector<std::uint8_t> start(file.begin() + static_cast<long>(body),
                                          file.begin() + static_cast<long>(body) + 20);
    const std::vector<std::uint8_t> expected = {0x00, 0xFF, 0x03, 0x08, 'S', 't',  'r',
                                                'i',  'n',  'g',  ' ',  '1', 0x00, 0x90,
                                                60,   100,  0x00, 64,   100, 0xFF};
    // The pause of 2^29 ticks: two empty text events of the longest delta carry it.
    EXPECT_EQ(std::vector<std::uint8_t>(start.begin(), start.begin() + 19),
              std::vector<std::uint8_t>(expected.begin(), expected.begin() + 19));
    const std::vector<std::uint8_t> rest(file.begin() + static_cast<long>(body) + 19, file.end());
    const std::vector<std::uint8_t> pause = {0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x01, 0x00};
    ASSERT_GE(rest.size(), 2 * pause.size());
    EXPECT_EQ(std::vector<std::uint8_t>(rest.begin(), rest.begin() + 7), pause);
    EXPECT_EQ(std::vector<std::uint8_t>(rest.begin() + 7, rest.begin() + 14), pause);
    // Then delta 2, the note-off with its status again (a meta event came between).
    const std::vector<std::uint8_t> off = {0x02, 0x80, 60, 64, 0x00, 0xFF, 0x2F, 0x00};
    EXPECT_EQ(std::vector<std::uint8_t>(rest.begin() + 14, rest.end()), off);
}

TEST(MidiFileWriter, TheBytesDependOnlyOnTheInputAndAreWrittenSafely) {
    SoundItem tab;
    tab.Add(5, 0, 0, BendUp).Add(3, 4, 1, Vibrato);
    Tablature* items[] = {&tab.item};
    const auto once = MidiFileBytes(items, tab.Setup());
    EXPECT_EQ(once, MidiFileBytes(items, tab.Setup()));
    test::TempDir dir;
    WriteMidiFile((dir / "song.mid").string(), items, tab.Setup());
    EXPECT_EQ(test::ReadFileBytes(dir / "song.mid"), once);
    EXPECT_THROW(WriteMidiFile((dir / "no" / "song.mid").string(), items, tab.Setup()),
                 FileWriteError);
}

}  // namespace
}  // namespace lutaris
