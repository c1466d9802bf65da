// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "sound/fluid/FluidLiveSynth.h"

#include <SDL.h>
#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <cstdarg>
#include <cstdlib>

#include "sound/fluid/FluidSynth.h"

namespace lutaris {
namespace {

// ALSA prints every failed lookup of a card to the terminal; FluidSynth's own message says it.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

class FluidLiveSynth : public LiveSynth {
public:
    explicit FluidLiveSynth(std::unique_ptr<FluidSynth> synth) : synth_(std::move(synth)) {}
    ~FluidLiveSynth() override {
        // The driver first: it calls into the synthesizer until it is gone.
        if (driver_) delete_fluid_audio_driver(driver_);
        if (sdlStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    void Send(const SoundEvent& event) override { synth_->Apply(event); }
    std::string OutputName() const override { return name_; }
    double BufferMilliseconds() const override {
        return 1000.0 * kPeriodSize * kPeriods / kSampleRate;
    }

    // False, with what went wrong, when the driver does not open.
    bool Open(const std::string& driver, const AudioOutputChoice& output, std::string* why) {
        fluid_settings_t* settings = synth_->Settings();
        if (fluid_settings_setstr(settings, "audio.driver", driver.c_str()) != FLUID_OK) {
            *why = "not built into FluidSynth";
            return false;
        }
        if (driver == "file") {
            if (output.fileName.empty()) {
                *why = "LUTARIS_AUDIO_FILE names no file";
                return false;
            }
            fluid_settings_setstr(settings, "audio.file.name", output.fileName.c_str());
        }
        // A JACK client would otherwise start a JACK server of its own, which can take long or
        // hang on a machine without sound.
        if (driver == "jack") ::setenv("JACK_NO_START_SERVER", "1", 0);
        if (driver == "alsa") snd_lib_error_set_handler(QuietAlsa);
        // FluidSynth's SDL2 driver expects the program to have started SDL's audio.
        const bool sdl = driver == "sdl2";
        if (sdl && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            *why = SDL_GetError();
            return false;
        }
        FluidSynth::TakeMessages();
        driver_ = new_fluid_audio_driver(settings, synth_->Synth());
        if (!driver_) {
            *why = FluidSynth::TakeMessages();
            if (sdl) SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        sdlStarted_ = sdl;
        name_ = driver;
        return true;
    }

private:
    std::unique_ptr<FluidSynth> synth_;
    fluid_audio_driver_t* driver_ = nullptr;
    bool sdlStarted_ = false;
    std::string name_;
};

std::string JoinedNames(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
        text += names[i];
    }
    return text;
}

}  // namespace

std::unique_ptr<LiveSynth> OpenFluidLiveSynth(const std::string& soundfont,
                                              const AudioOutputChoice& output, std::string* error) {
    auto synth = std::make_unique<FluidSynth>();
    fluid_settings_t* settings = synth->Settings();
    if (settings) {
        fluid_settings_setint(settings, "audio.period-size", kPeriodSize);
        fluid_settings_setint(settings, "audio.periods", kPeriods);
    }
    if (!synth->Create(soundfont, error)) return nullptr;
    auto live = std::make_unique<FluidLiveSynth>(std::move(synth));
    const std::vector<std::string> drivers =
        output.driver.empty() ? DefaultAudioDrivers() : std::vector<std::string>{output.driver};
    std::string reasons;
    for (const std::string& driver : drivers) {
        std::string why;
        if (live->Open(driver, output, &why)) return live;
        // FluidSynth's own words, a line's worth per output.
        if (why.size() > 120) why = why.substr(0, 117) + "...";
        while (!why.empty() && (why.back() == '.' || why.back() == ' ')) why.pop_back();
        if (!why.empty()) reasons += " " + driver + ": " + why + ".";
    }
    if (error) {
        *error = "No audio output could be opened (tried " + JoinedNames(drivers) +
                 "). Playback needs a sound card or a sound server; MIDI and audio export "
                 "still work." +
                 reasons;
    }
    return nullptr;
}

}  // namespace lutaris
