// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace lutaris {

// The document's sound: the pitches of its open strings, its tempo and its instrument. Tuning
// and instrument that are not set follow the string count of the document's layout, so a tab
// whose string count changes keeps sounding right; only what differs from those defaults is
// saved, in the file's "Playback" stream, and a document of defaults has no such stream.
struct PlaybackSettings {
    // Steps (columns) per minute: 240 plays eighth notes at 120 beats per minute.
    static constexpr std::int32_t kDefaultTempo = 240;
    static constexpr std::int32_t kMinTempo = 10;
    static constexpr std::int32_t kMaxTempo = 2000;
    // General MIDI programs, counted from 0: the guitars and basses are 24 to 39.
    static constexpr std::int32_t kFirstFrettedProgram = 24;
    static constexpr std::int32_t kLastFrettedProgram = 39;
    static constexpr std::int32_t kSteelGuitar = 25;
    static constexpr std::int32_t kGuitarHarmonics = 31;
    static constexpr std::int32_t kFingerBass = 33;
    static constexpr std::int32_t kDefaultProgram = -1;
    // More strings than any instrument has; a stored tuning is never longer.
    static constexpr std::size_t kMaxTuningStrings = 64;
    // The stream's first bytes; the version follows them.
    static constexpr std::string_view kMagic = "Lutaris_Playback";
    static constexpr std::int32_t kVersion = 1;

    // Open-string pitches as MIDI note numbers, string 0 (the top line, the highest string)
    // first. Empty, or of another length than the document's string count: the default tuning
    // for that count.
    std::vector<std::int32_t> tuning;
    std::int32_t tempo = kDefaultTempo;
    // kDefaultProgram: the default instrument for the string count.
    std::int32_t program = kDefaultProgram;

    // What sounds for a document of `numberOfStrings` strings.
    std::vector<std::int32_t> TuningFor(std::int32_t numberOfStrings) const;
    std::int32_t ProgramFor(std::int32_t numberOfStrings) const;
    bool IsDefaultFor(std::int32_t numberOfStrings) const;

    // The "Playback" stream for a document of `numberOfStrings` strings: empty when every value
    // is its default, else only the values that differ from it.
    std::vector<std::uint8_t> Encode(std::int32_t numberOfStrings) const;
    // Reads a stream that Encode wrote; nothing for a stream that is damaged, of another version
    // or holds a value out of range.
    static std::optional<PlaybackSettings> Decode(std::span<const std::uint8_t> bytes);

    bool operator==(const PlaybackSettings&) const = default;
};

// The default open strings, top string first: six strings E4 B3 G3 D3 A2 E2, seven add B1,
// four (a bass) G2 D2 A1 E1, five add B0; any other count takes a guitar's top strings and
// then goes down in fourths.
std::vector<std::int32_t> DefaultTuning(std::int32_t numberOfStrings);
// A steel-string guitar, or a finger-picked bass for four and five strings.
std::int32_t DefaultProgram(std::int32_t numberOfStrings);
bool IsFrettedProgram(std::int32_t program);

}  // namespace lutaris
