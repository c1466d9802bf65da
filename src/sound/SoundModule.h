// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sound/SoundEvent.h"

namespace lutaris {

// A synthesizer that sounds through the machine's audio output as events arrive. Send may be
// called from any thread.
class LiveSynth : public SoundSink {
public:
    // The audio output that opened ("pulseaudio", "alsa", … or "file").
    virtual std::string OutputName() const = 0;
    // Audio buffered between the synthesizer and the output, in milliseconds.
    virtual double BufferMilliseconds() const = 0;
};

// The audio outputs live play tries, in order, when none is named: FluidSynth's drivers as
// Debian builds them, pulseaudio (which PipeWire desktops serve too), alsa, jack, sdl2.
inline const std::vector<std::string>& DefaultAudioDrivers() {
    static const std::vector<std::string> drivers = {"pulseaudio", "alsa", "jack", "sdl2"};
    return drivers;
}

// Which audio output live play uses: the first of FluidSynth's drivers that opens, in the order
// pulseaudio, alsa, jack, sdl2; or the one named. The "file" driver writes what would sound to
// `fileName` instead, at the pace of real time, for machines without sound.
struct AudioOutputChoice {
    std::string driver;  // empty: the first that opens
    std::string fileName;

    // LUTARIS_AUDIO_DRIVER and LUTARIS_AUDIO_FILE, where set.
    static AudioOutputChoice FromEnvironment();
};

// An offline render of an event list into an audio file.
struct AudioRenderRequest {
    std::string soundfont;
    // "wav", "flac" or "ogg": 16-bit PCM WAV, FLAC or Ogg Vorbis.
    std::string type;
    double microsecondsPerTick = 0;
    // Sends every event in time order to the sink it is given; returns the end tick.
    std::function<std::int64_t(const std::function<void(const SoundEvent&)>&)> forEachEvent;
};

// What the FluidSynth module offers. It is a library of its own, loaded on the first play or
// sounded note: FluidSynth and the sixty libraries it pulls in would otherwise load with the
// editor and lengthen every start.
class SoundModule {
public:
    virtual ~SoundModule() = default;
    // Loads the soundfont and opens the audio output; null and one sentence in `error` (naming
    // every output tried) when either fails.
    virtual std::unique_ptr<LiveSynth> OpenLiveSynth(const std::string& soundfont,
                                                     const AudioOutputChoice& output,
                                                     std::string* error) = 0;
    // Renders as fast as the machine can into the open, empty, seekable file `fd`. False and
    // one sentence in `error` on failure.
    virtual bool RenderAudio(int fd, const AudioRenderRequest& request, std::string* error) = 0;
};

// The module's entry point, looked up by name after loading it.
inline constexpr char kSoundModuleEntry[] = "lutaris_sound_module";
using SoundModuleEntry = SoundModule* (*)();

// Loads the module once (later calls return the same), from LUTARIS_SOUND_MODULE when set, else
// beside the program (../lib/lutaris/modules/ from its folder, as the build and the installed
// package lay it out). Null, with `error` set, when it cannot be loaded.
SoundModule* LoadSoundModule(std::string* error);

}  // namespace lutaris
