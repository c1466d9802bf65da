// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <memory>
#include <string>

#include "sound/SoundEvent.h"

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

namespace lutaris {

// Audio is made at CD rate, in stereo.
inline constexpr int kSampleRate = 44100;

// A FluidSynth synthesizer with its settings and one soundfont, fed with sound events.
class FluidSynth {
public:
    FluidSynth();
    ~FluidSynth();
    FluidSynth(const FluidSynth&) = delete;
    FluidSynth& operator=(const FluidSynth&) = delete;

    fluid_settings_t* Settings() const { return settings_; }
    fluid_synth_t* Synth() const { return synth_; }

    // Makes the synthesizer from the settings as they stand and loads the soundfont; false with
    // a sentence in `error` when either fails.
    bool Create(const std::string& soundfont, std::string* error);
    void Apply(const SoundEvent& event);

    // What FluidSynth reported as errors since the last call (it would print them otherwise).
    static std::string TakeMessages();

private:
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
};

}  // namespace lutaris
