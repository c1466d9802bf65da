// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "platform/files/FileDescriptor.h"
#include "sound/LivePlayer.h"
#include "sound/SoundModule.h"
#include "sound/SoundfontLocator.h"
#include "sound/fluid/FluidAudioRenderer.h"
#include "sound/fluid/FluidLiveSynth.h"
#include "support/SoundItem.h"
#include "support/TabDocumentFixture.h"
#include "support/TestPaths.h"

namespace lutaris {
namespace {

using namespace std::chrono_literals;

std::string SystemSoundfont() { return FindSoundfont().value_or(""); }

#define REQUIRE_SOUNDFONT() \
    if (SystemSoundfont().empty()) GTEST_SKIP() << "no General MIDI soundfont installed"

struct ReadAudio {
    SF_INFO info{};
    std::vector<float> samples;
    float peak = 0;
};

ReadAudio ReadBack(const std::string& path) {
    ReadAudio audio;
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &audio.info);
    if (!file) return audio;
    audio.samples.resize(static_cast<std::size_t>(audio.info.frames * audio.info.channels));
    sf_readf_float(file, audio.samples.data(), audio.info.frames);
    sf_close(file);
    for (const float sample : audio.samples) audio.peak = std::max(audio.peak, std::fabs(sample));
    return audio;
}

// Renders one tab item's song into `path` through the renderer, as export does.
bool Render(const std::string& path, const std::string& type, const std::string& soundfont,
            std::string* error) {
    test::SoundItem tab;
    tab.Add(5, 0, 0).Add(7, 1, 1, BendUp);
    const SoundSetup setup = tab.Setup();
    AudioRenderRequest request;
    request.soundfont = soundfont;
    request.type = type;
    request.microsecondsPerTick = setup.MicrosecondsPerTick();
    request.forEachEvent = [&](const std::function<void(const SoundEvent&)>& send) {
        for (const auto& event : StartEvents(setup)) send(event);
        for (const auto& event : ItemSoundBuilder(setup).Build(tab.item).events) send(event);
        for (const auto& event : StopEvents(setup, 480)) send(event);
        return std::int64_t{480};
    };
    const FileDescriptor fd(::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    return RenderAudioFile(fd.Get(), request, error);
}

TEST(FluidAudioRenderer, WritesEachTypeWithTheSongAndTwoSecondsToDieAway) {
    REQUIRE_SOUNDFONT();
    test::TempDir dir;
    for (const std::string type : {"wav", "flac", "ogg"}) {
        const std::string path = (dir / ("song." + type)).string();
        std::string error;
        ASSERT_TRUE(Render(path, type, SystemSoundfont(), &error)) << error;
        const ReadAudio audio = ReadBack(path);
        EXPECT_EQ(audio.info.samplerate, 44100) << type;
        EXPECT_EQ(audio.info.channels, 2) << type;
        const int major = audio.info.format & SF_FORMAT_TYPEMASK;
        EXPECT_EQ(major, type == "wav"    ? SF_FORMAT_WAV
                         : type == "flac" ? SF_FORMAT_FLAC
                                          : SF_FORMAT_OGG);
        // Two steps at 240 a minute, then two seconds.
        EXPECT_NEAR(static_cast<double>(audio.info.frames), 0.5 * 44100 + 2 * 44100, 64) << type;
        EXPECT_GT(audio.peak, 0.01f) << type;
        EXPECT_LT(audio.peak, 1.0f) << type;
    }
}

TEST(FluidAudioRenderer, ASoundfontThatDoesNotLoadIsSaidSo) {
    test::TempDir dir;
    test::WriteFileText(dir / "bad.sf2", "RIFF not really");
    std::string error;
    EXPECT_FALSE(Render((dir / "out.wav").string(), "wav", (dir / "bad.sf2").string(), &error));
    EXPECT_NE(error.find("could not be loaded"), std::string::npos) << error;
}

TEST(FluidLiveSynth, NamesEveryOutputItTriedWhenNoneOpens) {
    REQUIRE_SOUNDFONT();
    std::string error;
    AudioOutputChoice none;
    none.driver = "no-such-driver";
    EXPECT_EQ(OpenFluidLiveSynth(SystemSoundfont(), none, &error), nullptr);
    EXPECT_NE(error.find("tried no-such-driver"), std::string::npos) << error;

    // The machine's own outputs, in order: on a machine without sound (as CI) none opens, and
    // the message says which were tried; where one opens, it is one of them.
    const auto started = std::chrono::steady_clock::now();
    auto synth = OpenFluidLiveSynth(SystemSoundfont(), AudioOutputChoice{}, &error);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 20s);
    if (synth) {
        const auto& drivers = DefaultAudioDrivers();
        EXPECT_NE(std::find(drivers.begin(), drivers.end(), synth->OutputName()), drivers.end());
        EXPECT_LE(synth->BufferMilliseconds(), 25.0);
    } else {
        EXPECT_EQ(error.rfind("No audio output could be opened (tried pulseaudio, alsa, jack and "
                              "sdl2).",
                              0),
                  0u)
            << error;
    }
}

using FluidPlayerTest = test::TabDocumentTest;

// Play with FluidSynth's file driver, through the module the programs load: what would have
// sounded is in the file.
TEST_F(FluidPlayerTest, PlaysThroughTheModuleIntoTheFileDriver) {
    REQUIRE_SOUNDFONT();
    std::string error;
    ASSERT_NE(LoadSoundModule(&error), nullptr) << error;
    AudioOutputChoice file;
    file.driver = "file";
    file.fileName = (dir / "played.wav").string();
    doc.tabItems[0]->AppendNote(test::Note(5, 0, 0));
    doc.tabItems[0]->AppendNote(test::Note(0, 5, 1));
    {
        LivePlayer player(LivePlayer::FluidSynthOpener("", file));
        ASSERT_TRUE(player.Play(doc, PlaySpan::ForDocument(doc))) << player.Error();
        EXPECT_EQ(player.OutputName(), "file");
        EXPECT_LE(player.BufferMilliseconds(), 25.0);
        const auto end = std::chrono::steady_clock::now() + 5s;
        while (player.IsPlaying() && std::chrono::steady_clock::now() < end) {
            player.Pump(doc);
            std::this_thread::sleep_for(10ms);
        }
        EXPECT_FALSE(player.IsPlaying());
        std::this_thread::sleep_for(200ms);
    }
    const ReadAudio audio = ReadBack(file.fileName);
    EXPECT_GT(audio.info.frames, 44100 / 4);
    EXPECT_GT(audio.peak, 0.01f);
}

TEST(FluidPlayer, AFileDriverWithoutAFileIsRefusedWithAReason) {
    REQUIRE_SOUNDFONT();
    std::string error;
    AudioOutputChoice file;
    file.driver = "file";
    EXPECT_EQ(OpenFluidLiveSynth(SystemSoundfont(), file, &error), nullptr);
    EXPECT_NE(error.find("LUTARIS_AUDIO_FILE"), std::string::npos) << error;
}

}  // namespace
}  // namespace lutaris
