// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// The event list of a tab item whose notes come from a damaged file or an import: any frets,
// strings, columns and actions. The events stay in time order within the item, never use the
// drums' channel, stay few for few notes, and leave every channel at rest.
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "model/PlaybackSettings.h"
#include "model/TabSettings.h"
#include "model/Tablature.h"
#include "sound/ItemSound.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    lutaris::TabSettings settings;
    settings.numberOfStrings = data[0] % 20;
    const std::int32_t firstColumn = data[1] % 4;
    lutaris::Tablature item(&settings);
    for (std::size_t at = 2; at + 20 <= size && item.notes.size() < 64; at += 20) {
        lutaris::TabNote note;
        std::memcpy(&note, data + at, sizeof note);
        // Columns far apart are allowed; only their count of events is bounded below.
        item.AppendNote(note);
    }
    const auto setup = lutaris::SoundSetup::For(settings, lutaris::PlaybackSettings{});
    lutaris::ItemSoundBuilder builder(setup);
    const lutaris::ItemSound sound = builder.Build(item, firstColumn);
    // A note makes a few dozen events at most, whatever its length.
    if (sound.events.size() > 64 * (item.notes.size() + 1)) std::abort();
    std::bitset<128> on[16];
    int wheel[16];
    int program[16];
    int modulation[16] = {};
    for (int c = 0; c < 16; ++c) {
        wheel[c] = lutaris::midi::kBendCenter;
        program[c] = setup.program;
    }
    std::int64_t last = 0;
    for (const auto& event : sound.events) {
        if (event.tick < last || event.tick > sound.steps * lutaris::kTicksPerStep) std::abort();
        if (event.channel == 9 || event.channel > 15) std::abort();
        last = event.tick;
        switch (event.kind) {
            case lutaris::SoundKind::NoteOn:
                on[event.channel].set(event.data1 & 0x7F);
                break;
            case lutaris::SoundKind::NoteOff:
                on[event.channel].reset(event.data1 & 0x7F);
                break;
            case lutaris::SoundKind::PitchBend:
                wheel[event.channel] = event.BendValue();
                break;
            case lutaris::SoundKind::Program:
                program[event.channel] = event.data1;
                break;
            case lutaris::SoundKind::Controller:
                break;
        }
    }
    for (int c = 0; c < 16; ++c) {
        if (on[c].any() || wheel[c] != lutaris::midi::kBendCenter || program[c] != setup.program ||
            modulation[c] != 0) {
            std::abort();
        }
    }
    return 0;
}
