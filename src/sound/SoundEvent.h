// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

namespace lutaris {

// Time in ticks: one step per column, kTicksPerStep ticks to the step. A step is an eighth note,
// so the quarter note that a Standard MIDI File counts in is two steps and the file's ticks are
// these ticks.
inline constexpr std::int64_t kTicksPerStep = 240;
inline constexpr std::int32_t kTicksPerQuarter = 480;

enum class SoundKind : std::uint8_t {
    NoteOff = 0x80,
    NoteOn = 0x90,
    Controller = 0xB0,
    Program = 0xC0,
    PitchBend = 0xE0,
};

// One MIDI channel message at a time. Playback, MIDI export and audio export all consume these,
// built by the one event list, so what is heard and what is exported never diverge.
struct SoundEvent {
    std::int64_t tick = 0;
    SoundKind kind = SoundKind::NoteOff;
    std::uint8_t channel = 0;  // 0 … 15
    // Key, controller or program; a pitch bend's low seven bits.
    std::uint8_t data1 = 0;
    // Velocity or controller value; a pitch bend's high seven bits.
    std::uint8_t data2 = 0;

    std::uint8_t Status() const { return static_cast<std::uint8_t>(kind) | channel; }
    // A pitch bend's 14-bit value, 8192 at rest.
    int BendValue() const { return data1 | (data2 << 7); }

    bool operator==(const SoundEvent&) const = default;
};

inline SoundEvent NoteOnEvent(std::int64_t tick, int channel, int key, int velocity) {
    return {tick, SoundKind::NoteOn, static_cast<std::uint8_t>(channel),
            static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(velocity)};
}
inline SoundEvent NoteOffEvent(std::int64_t tick, int channel, int key) {
    return {tick, SoundKind::NoteOff, static_cast<std::uint8_t>(channel),
            static_cast<std::uint8_t>(key), 64};
}
inline SoundEvent ControllerEvent(std::int64_t tick, int channel, int controller, int value) {
    return {tick, SoundKind::Controller, static_cast<std::uint8_t>(channel),
            static_cast<std::uint8_t>(controller), static_cast<std::uint8_t>(value)};
}
inline SoundEvent ProgramEvent(std::int64_t tick, int channel, int program) {
    return {tick, SoundKind::Program, static_cast<std::uint8_t>(channel),
            static_cast<std::uint8_t>(program), 0};
}
inline SoundEvent PitchBendEvent(std::int64_t tick, int channel, int value) {
    return {tick, SoundKind::PitchBend, static_cast<std::uint8_t>(channel),
            static_cast<std::uint8_t>(value & 0x7F), static_cast<std::uint8_t>(value >> 7)};
}

// Where sound events go as they fall due: a synthesizer, or a test's list.
class SoundSink {
public:
    virtual ~SoundSink() = default;
    virtual void Send(const SoundEvent& event) = 0;
};

}  // namespace lutaris
