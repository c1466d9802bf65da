// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "sound/SoundSetup.h"

#include <algorithm>

#include "model/PlaybackSettings.h"
#include "model/TabNote.h"
#include "model/TabSettings.h"
#include "sound/SoundEvent.h"
#include "sound/Velocity.h"

namespace lutaris {

SoundSetup SoundSetup::For(const TabSettings& settings, const PlaybackSettings& playback) {
    SoundSetup setup;
    setup.tuning = playback.TuningFor(settings.numberOfStrings);
    if (setup.tuning.size() > static_cast<std::size_t>(kMaxSoundingStrings)) {
        setup.tuning.resize(kMaxSoundingStrings);
    }
    setup.program = playback.ProgramFor(settings.numberOfStrings);
    setup.tempo =
        std::clamp(playback.tempo, PlaybackSettings::kMinTempo, PlaybackSettings::kMaxTempo);
    return setup;
}

double SoundSetup::MicrosecondsPerTick(double speed) const {
    return 60e6 / (static_cast<double>(tempo) * speed * static_cast<double>(kTicksPerStep));
}

std::optional<int> SoundingKey(std::int32_t openPitch, std::int32_t fret, std::int32_t action) {
    if (fret < 0) return std::nullopt;  // BlankFret too
    std::int64_t key = std::int64_t{openPitch} + fret;
    if (action == Harmonic) {
        switch (fret) {
            case 12:
                key = openPitch + 12;
                break;
            case 7:
                key = openPitch + 19;
                break;
            case 5:
                key = openPitch + 24;
                break;
            case 4:
                key = openPitch + 28;
                break;
            case 3:
                key = openPitch + 31;
                break;
            default:
                key += 12;
                break;
        }
    }
    if (key < 0 || key > 127) return std::nullopt;
    return static_cast<int>(key);
}

std::optional<TypedNote> TypedNoteFor(const SoundSetup& setup, std::int32_t string,
                                      std::int32_t fret, std::int32_t action) {
    if (string < 0 || string >= setup.Strings()) return std::nullopt;
    const auto key = SoundingKey(setup.tuning[static_cast<std::size_t>(string)], fret, action);
    if (!key) return std::nullopt;
    TypedNote note;
    note.channel = SoundSetup::ChannelOf(string);
    note.key = *key;
    note.velocity = VelocityOf(action);
    note.program = action == Harmonic ? PlaybackSettings::kGuitarHarmonics : setup.program;
    return note;
}

}  // namespace lutaris
