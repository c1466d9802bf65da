// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace lutaris {

struct PlaybackSettings;
struct TabSettings;

// Controllers the event list uses.
namespace midi {
inline constexpr int kModulation = 1;
inline constexpr int kDataEntry = 6;
inline constexpr int kVolume = 7;
inline constexpr int kDataEntryFine = 38;
inline constexpr int kRpnFine = 100;
inline constexpr int kRpnCoarse = 101;
inline constexpr int kResetAllControllers = 121;
inline constexpr int kAllNotesOff = 123;
inline constexpr int kBendCenter = 8192;
}  // namespace midi

// A slide or a legato note glides with the pitch wheel, so the wheel spans an octave each way
// (set with RPN 0 on every channel the tab uses); a whole-step bend is a sixth of it.
inline constexpr int kBendRangeSemitones = 12;
// One channel per string and never channel 10 (the drums): fifteen strings can sound.
inline constexpr int kMaxSoundingStrings = 15;

// What the event list needs to know of a document: the open strings that sound, the
// instrument and the tempo.
struct SoundSetup {
    // Open-string pitches (MIDI note numbers), string 0 (the top line) first; strings beyond
    // kMaxSoundingStrings are left out and stay silent.
    std::vector<std::int32_t> tuning;
    std::int32_t program = 25;
    // Steps per minute.
    std::int32_t tempo = 240;

    static SoundSetup For(const TabSettings& settings, const PlaybackSettings& playback);

    int Strings() const { return static_cast<int>(tuning.size()); }
    // The channel of a string: 0 … 8, then 10 … 15 (counted from 0), skipping the drums' 9.
    static int ChannelOf(int string) { return string < 9 ? string : string + 1; }
    // How long a tick lasts at this tempo, played at `speed` (1 is the written tempo).
    double MicrosecondsPerTick(double speed = 1.0) const;

    bool operator==(const SoundSetup&) const = default;
};

// The key a note sounds on its string, or nothing for a note without a pitch: a blank fret,
// a negative fret or a pitch outside MIDI's 0 … 127. A harmonic sounds its natural harmonic at
// frets 12, 7, 5, 4 and 3, and an octave above the fret elsewhere.
std::optional<int> SoundingKey(std::int32_t openPitch, std::int32_t fret, std::int32_t action);

// A typed note as it sounds for a moment: its channel, key, velocity and program.
struct TypedNote {
    int channel = 0;
    int key = 0;
    int velocity = 0;
    int program = 0;
};
// Nothing for a string that does not sound or a fret without a pitch.
std::optional<TypedNote> TypedNoteFor(const SoundSetup& setup, std::int32_t string,
                                      std::int32_t fret, std::int32_t action);

}  // namespace lutaris
