// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "sound/fluid/FluidAudioRenderer.h"

#include <fluidsynth.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "sound/fluid/FluidSynth.h"

namespace lutaris {
namespace {

constexpr int kBlockFrames = 4096;
constexpr std::int64_t kTailFrames = 2 * kSampleRate;
// Below this the file would be silent to anyone's ear (and is, as 16-bit samples).
constexpr float kSilence = 1.0f / 32768;

class RenderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

int FormatOf(std::string_view type) {
    if (type == "flac") return SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    if (type == "ogg") return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
}

class Renderer {
public:
    Renderer(FluidSynth& synth, SNDFILE* file) : synth_(synth), file_(file) {}

    // Renders up to frame `until`.
    void RenderTo(std::int64_t until) {
        while (rendered_ < until) {
            const int frames =
                static_cast<int>(std::min<std::int64_t>(kBlockFrames, until - rendered_));
            fluid_synth_write_float(synth_.Synth(), frames, buffer_.data(), 0, 2, buffer_.data(), 1,
                                    2);
            for (int i = 0; i < 2 * frames; ++i)
                peak_ = std::max(peak_, std::fabs(buffer_[static_cast<std::size_t>(i)]));
            if (sf_writef_float(file_, buffer_.data(), frames) != frames) {
                throw RenderError(std::string("The audio file could not be written: ") +
                                  sf_strerror(file_));
            }
            rendered_ += frames;
        }
    }
    std::int64_t Rendered() const { return rendered_; }
    float Peak() const { return peak_; }

private:
    FluidSynth& synth_;
    SNDFILE* file_;
    std::vector<float> buffer_ = std::vector<float>(2 * kBlockFrames);
    std::int64_t rendered_ = 0;
    float peak_ = 0;
};

}  // namespace

bool RenderAudioFile(int fd, const AudioRenderRequest& request, std::string* error) {
    FluidSynth synth;
    if (!synth.Create(request.soundfont, error)) return false;
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 2;
    info.format = FormatOf(request.type);
    SNDFILE* file = sf_open_fd(fd, SFM_WRITE, &info, SF_FALSE);
    if (!file) {
        if (error)
            *error = std::string("The audio file could not be made: ") + sf_strerror(nullptr);
        return false;
    }
    // Float samples past full scale are clipped, not wrapped round, in the 16-bit files.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    try {
        Renderer renderer(synth, file);
        const double framesPerTick = kSampleRate * request.microsecondsPerTick / 1e6;
        request.forEachEvent([&](const SoundEvent& event) {
            renderer.RenderTo(std::llround(static_cast<double>(event.tick) * framesPerTick));
            synth.Apply(event);
        });
        renderer.RenderTo(renderer.Rendered() + kTailFrames);
        if (renderer.Peak() < kSilence) {
            throw RenderError("The soundfont \"" + request.soundfont +
                              "\" gave no sound for these notes; no audio file was written.");
        }
    } catch (const RenderError& failure) {
        sf_close(file);
        if (error) *error = failure.what();
        return false;
    }
    if (sf_close(file) != 0) {
        if (error) *error = "The audio file could not be finished.";
        return false;
    }
    return true;
}

}  // namespace lutaris
