// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "sound/fluid/FluidSynth.h"

#include <fluidsynth.h>

#include <mutex>

namespace lutaris {
namespace {

std::mutex messagesMutex;
std::string messages;

void CollectMessage(int level, const char* message, void*) {
    if (level > FLUID_WARN || !message) return;
    std::lock_guard lock(messagesMutex);
    // A few sentences are enough to say why; a driver that fails keeps talking.
    if (messages.size() > 2000) return;
    if (!messages.empty()) messages += "; ";
    messages += message;
}

// FluidSynth prints to the terminal unless told otherwise; its messages become ours.
void CaptureLogOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (const int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
            fluid_set_log_function(level, CollectMessage, nullptr);
        }
    });
}

// The loudness at which a six-string chord strummed hard stays below full scale.
constexpr double kGain = 0.5;

}  // namespace

FluidSynth::FluidSynth() {
    CaptureLogOnce();
    settings_ = new_fluid_settings();
    if (!settings_) return;
    fluid_settings_setnum(settings_, "synth.sample-rate", kSampleRate);
    fluid_settings_setnum(settings_, "synth.gain", kGain);
    // No MIDI input, no shell, no server: the events come from us.
    fluid_settings_setint(settings_, "synth.midi-channels", 16);
}

FluidSynth::~FluidSynth() {
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
}

bool FluidSynth::Create(const std::string& soundfont, std::string* error) {
    if (!settings_) {
        if (error) *error = "The synthesizer could not be started.";
        return false;
    }
    synth_ = new_fluid_synth(settings_);
    if (!synth_) {
        if (error) *error = "The synthesizer could not be started.";
        return false;
    }
    if (fluid_synth_sfload(synth_, soundfont.c_str(), 1) == FLUID_FAILED) {
        if (error) *error = "The soundfont \"" + soundfont + "\" could not be loaded.";
        TakeMessages();
        return false;
    }
    return true;
}

void FluidSynth::Apply(const SoundEvent& event) {
    const int channel = event.channel & 0x0F;
    switch (event.kind) {
        case SoundKind::NoteOn:
            fluid_synth_noteon(synth_, channel, event.data1, event.data2);
            break;
        case SoundKind::NoteOff:
            fluid_synth_noteoff(synth_, channel, event.data1);
            break;
        case SoundKind::Controller:
            fluid_synth_cc(synth_, channel, event.data1, event.data2);
            break;
        case SoundKind::Program:
            fluid_synth_program_change(synth_, channel, event.data1);
            break;
        case SoundKind::PitchBend:
            fluid_synth_pitch_bend(synth_, channel, event.BendValue());
            break;
    }
}

std::string FluidSynth::TakeMessages() {
    std::lock_guard lock(messagesMutex);
    std::string taken;
    taken.swap(messages);
    return taken;
}

}  // namespace lutaris
