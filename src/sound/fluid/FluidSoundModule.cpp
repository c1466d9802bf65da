// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// The module's entry point: what the program finds by name after loading the module.
#include "sound/SoundModule.h"
#include "sound/fluid/FluidAudioRenderer.h"
#include "sound/fluid/FluidLiveSynth.h"

namespace lutaris {
namespace {

class FluidSoundModule : public SoundModule {
public:
    std::unique_ptr<LiveSynth> OpenLiveSynth(const std::string& soundfont,
                                             const AudioOutputChoice& output,
                                             std::string* error) override {
        return OpenFluidLiveSynth(soundfont, output, error);
    }
    bool RenderAudio(int fd, const AudioRenderRequest& request, std::string* error) override {
        return RenderAudioFile(fd, request, error);
    }
};

}  // namespace
}  // namespace lutaris

extern "C" __attribute__((visibility("default"))) lutaris::SoundModule* lutaris_sound_module() {
    static lutaris::FluidSoundModule module;
    return &module;
}
