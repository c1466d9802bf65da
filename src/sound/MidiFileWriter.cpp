// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "sound/MidiFileWriter.h"

#include <algorithm>
#include <cmath>

#include "platform/files/SafeFileReplacer.h"
#include "sound/ItemSound.h"
#include "sound/SongSound.h"

namespace lutaris {
namespace {

// A delta time is at most 28 bits; a longer pause is bridged by empty text events.
constexpr std::int64_t kMaxDelta = 0x0FFFFFFF;
constexpr std::uint8_t kMetaText = 0x01;
constexpr std::uint8_t kMetaTrackName = 0x03;
constexpr std::uint8_t kMetaEndOfTrack = 0x2F;
constexpr std::uint8_t kMetaTempo = 0x51;

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A delta time of at most 28 bits into `out`, seven bits a byte, the highest first; returns the
// byte count.
int PutVariableLength(std::uint8_t* out, std::uint32_t value) {
    int count = 0;
    for (int shift = 21; shift > 0; shift -= 7) {
        if (value >= 1u << shift)
            out[count++] = static_cast<std::uint8_t>(0x80 | ((value >> shift) & 0x7F));
    }
    out[count++] = static_cast<std::uint8_t>(value & 0x7F);
    return count;
}

void PutVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t bytes[4];
    out.insert(out.end(), bytes, bytes + PutVariableLength(bytes, value));
}

std::vector<std::uint8_t> Text(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace

MidiFileBuilder::MidiFileBuilder(const SoundSetup& setup) {
    std::fill(std::begin(trackOfChannel_), std::end(trackOfChannel_), -1);
    tracks_.resize(1 + static_cast<std::size_t>(setup.Strings()));
    // The tempo: a quarter note is two steps.
    const auto microsecondsPerQuarter =
        static_cast<std::uint32_t>(std::lround(120e6 / std::max(1, setup.tempo)));
    std::vector<std::uint8_t> tempo;
    PutBigEndian(tempo, std::min<std::uint32_t>(microsecondsPerQuarter, 0xFFFFFF), 3);
    Meta(tracks_[0], 0, kMetaTempo, tempo);
    for (int string = 0; string < setup.Strings(); ++string) {
        trackOfChannel_[SoundSetup::ChannelOf(string)] = string + 1;
        Meta(tracks_[static_cast<std::size_t>(string) + 1], 0, kMetaTrackName,
             Text("String " + std::to_string(string + 1)));
    }
    header_ = {'M', 'T', 'h', 'd'};
    PutBigEndian(header_, 6, 4);
    PutBigEndian(header_, 1, 2);
    PutBigEndian(header_, static_cast<std::uint32_t>(tracks_.size()), 2);
    PutBigEndian(header_, kTicksPerQuarter, 2);
}

void MidiFileBuilder::Delta(Track& track, std::int64_t tick) {
    std::int64_t delta = std::max<std::int64_t>(0, tick - track.lastTick);
    while (delta > kMaxDelta) {
        PutVariableLength(track.body, kMaxDelta);
        track.body.insert(track.body.end(), {0xFF, kMetaText, 0x00});
        track.runningStatus = 0;
        delta -= kMaxDelta;
    }
    PutVariableLength(track.body, static_cast<std::uint32_t>(delta));
    track.lastTick = std::max(track.lastTick, tick);
}

void MidiFileBuilder::Meta(Track& track, std::int64_t tick, std::uint8_t type,
                           std::span<const std::uint8_t> data) {
    Delta(track, tick);
    track.body.push_back(0xFF);
    track.body.push_back(type);
    PutVariableLength(track.body, static_cast<std::uint32_t>(data.size()));
    track.body.insert(track.body.end(), data.begin(), data.end());
    // A meta event ends running status for the readers that are strict about it.
    track.runningStatus = 0;
}

void MidiFileBuilder::Add(const SoundEvent& event, std::int64_t tick) {
    const int index = trackOfChannel_[event.channel & 0x0F];
    if (index < 0) return;
    Track& track = tracks_[static_cast<std::size_t>(index)];
    const std::int64_t delta = tick - track.lastTick;
    if (delta < 0 || delta > kMaxDelta) {
        Delta(track, tick);
    } else {
        PutVariableLength(track.body, static_cast<std::uint32_t>(delta));
        track.lastTick = tick;
    }
    // Millions of events go through here: each message is put together and appended at once.
    std::uint8_t message[3];
    int length = 0;
    const std::uint8_t status = event.Status();
    if (status != track.runningStatus) message[length++] = status;
    track.runningStatus = status;
    message[length++] = event.data1 & 0x7F;
    if (event.kind != SoundKind::Program) message[length++] = event.data2 & 0x7F;
    track.body.insert(track.body.end(), message, message + length);
}

void MidiFileBuilder::Finish(std::int64_t tick) {
    for (Track& track : tracks_) {
        Meta(track, tick, kMetaEndOfTrack, {});
        track.header = {'M', 'T', 'r', 'k'};
        PutBigEndian(track.header, static_cast<std::uint32_t>(track.body.size()), 4);
    }
}

std::vector<std::span<const std::uint8_t>> MidiFileBuilder::Pieces() const {
    std::vector<std::span<const std::uint8_t>> pieces{header_};
    for (const Track& track : tracks_) {
        pieces.emplace_back(track.header);
        pieces.emplace_back(track.body);
    }
    return pieces;
}

std::vector<std::uint8_t> MidiFileBuilder::Bytes() const {
    std::vector<std::uint8_t> bytes;
    for (const auto piece : Pieces()) bytes.insert(bytes.end(), piece.begin(), piece.end());
    return bytes;
}

namespace {

void BuildMidi(MidiFileBuilder& builder, std::span<Tablature* const> items,
               const SoundSetup& setup) {
    for (const SoundEvent& event : StartEvents(setup)) builder.Add(event);
    const std::int64_t end =
        ForEachSongItem(items, setup, [&](const ItemSound& sound, std::int64_t start) {
            for (const SoundEvent& event : sound.events) builder.Add(event, start + event.tick);
        });
    for (const SoundEvent& event : StopEvents(setup, end)) builder.Add(event);
    builder.Finish(end);
}

}  // namespace

std::vector<std::uint8_t> MidiFileBytes(std::span<Tablature* const> itemsInReadingOrder,
                                        const SoundSetup& setup) {
    MidiFileBuilder builder(setup);
    BuildMidi(builder, itemsInReadingOrder, setup);
    return builder.Bytes();
}

void WriteMidiFile(const std::string& path, std::span<Tablature* const> itemsInReadingOrder,
                   const SoundSetup& setup) {
    MidiFileBuilder builder(setup);
    BuildMidi(builder, itemsInReadingOrder, setup);
    const auto pieces = builder.Pieces();
    ReplaceFileSafely(path, pieces);
}

}  // namespace lutaris
