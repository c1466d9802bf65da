// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "model/PlaybackSettings.h"
#include "support/ContentsBuilder.h"

namespace lutaris {
namespace {

using test::ContentsBuilder;

std::vector<std::uint8_t> Stream(std::int32_t tempo, std::int32_t program,
                                 std::initializer_list<std::int32_t> tuning) {
    ContentsBuilder stream;
    stream.Raw("Lutaris_Playback").Ints({1, tempo, program});
    stream.Int(static_cast<std::int32_t>(tuning.size())).Ints(tuning);
    return stream.Bytes();
}

TEST(PlaybackSettings, DefaultTuningFollowsTheStringCount) {
    EXPECT_EQ(DefaultTuning(6), (std::vector<std::int32_t>{64, 59, 55, 50, 45, 40}));
    EXPECT_EQ(DefaultTuning(7), (std::vector<std::int32_t>{64, 59, 55, 50, 45, 40, 35}));
    EXPECT_EQ(DefaultTuning(4), (std::vector<std::int32_t>{43, 38, 33, 28}));
    EXPECT_EQ(DefaultTuning(5), (std::vector<std::int32_t>{43, 38, 33, 28, 23}));
    // Others: a guitar's top strings, then fourths down.
    EXPECT_EQ(DefaultTuning(3), (std::vector<std::int32_t>{64, 59, 55}));
    EXPECT_EQ(DefaultTuning(8), (std::vector<std::int32_t>{64, 59, 55, 50, 45, 40, 35, 30}));
    EXPECT_TRUE(DefaultTuning(0).empty());
    EXPECT_TRUE(DefaultTuning(-3).empty());
    EXPECT_EQ(DefaultTuning(1000000).size(), PlaybackSettings::kMaxTuningStrings);
}

TEST(PlaybackSettings, DefaultInstrumentIsASteelGuitarOrForFourAndFiveStringsABass) {
    EXPECT_EQ(DefaultProgram(6), 25);
    EXPECT_EQ(DefaultProgram(7), 25);
    EXPECT_EQ(DefaultProgram(4), 33);
    EXPECT_EQ(DefaultProgram(5), 33);
    PlaybackSettings settings;
    EXPECT_EQ(settings.ProgramFor(4), 33);
    settings.program = 24;
    EXPECT_EQ(settings.ProgramFor(4), 24);
}

TEST(PlaybackSettings, ATuningOfAnotherStringCountGivesWayToTheDefault) {
    PlaybackSettings settings;
    settings.tuning = {62, 57, 55, 50, 45, 38};  // drop D, top string first
    EXPECT_EQ(settings.TuningFor(6), settings.tuning);
    EXPECT_EQ(settings.TuningFor(7), DefaultTuning(7));
}

TEST(PlaybackSettings, DefaultsWriteNoStream) {
    PlaybackSettings settings;
    EXPECT_TRUE(settings.Encode(6).empty());
    EXPECT_TRUE(settings.IsDefaultFor(6));
    // Values set to what the string count gives anyway are defaults too.
    settings.tuning = DefaultTuning(6);
    settings.program = 25;
    EXPECT_TRUE(settings.Encode(6).empty());
    // ... but not for another string count.
    EXPECT_FALSE(settings.IsDefaultFor(4));
}

TEST(PlaybackSettings, StoresOnlyWhatDiffersFromTheDefaults) {
    PlaybackSettings tempo;
    tempo.tempo = 300;
    tempo.tuning = DefaultTuning(6);
    tempo.program = 25;
    EXPECT_EQ(tempo.Encode(6), Stream(300, -1, {}));

    PlaybackSettings tuning;
    tuning.tuning = {62, 57, 55, 50, 45, 38};
    EXPECT_EQ(tuning.Encode(6), Stream(240, -1, {62, 57, 55, 50, 45, 38}));

    PlaybackSettings program;
    program.program = 24;
    EXPECT_EQ(program.Encode(6), Stream(240, 24, {}));
}

TEST(PlaybackSettings, RoundTripsWhatItStores) {
    PlaybackSettings settings;
    settings.tempo = 90;
    settings.program = 38;
    settings.tuning = {43, 38, 33, 28, 23};
    const auto read = PlaybackSettings::Decode(settings.Encode(6));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, settings);
}

TEST(PlaybackSettings, RefusesDamagedOrUnknownStreams) {
    const auto good = Stream(240, 24, {62, 57});
    ASSERT_TRUE(PlaybackSettings::Decode(good).has_value());
    auto wrongMagic = good;
    wrongMagic[0] = 'l';
    auto longer = good;
    longer.push_back(0);
    const std::vector<std::vector<std::uint8_t>> bad = {
        {},
        wrongMagic,
        longer,
        {good.begin(), good.end() - 1},
        {good.begin(), good.begin() + 16},
        ContentsBuilder().Raw("Lutaris_Playback").Ints({2, 240, -1, 0}).Bytes(),  // version 2
        Stream(9, -1, {}),
        Stream(2001, -1, {}),
        Stream(240, 23, {}),
        Stream(240, 40, {}),
        Stream(240, -2, {}),
        Stream(240, -1, {64, 128}),
        Stream(240, -1, {-1}),
        // A count that promises more strings than any stream holds, and a negative one.
        ContentsBuilder().Raw("Lutaris_Playback").Ints({1, 240, -1, 65}).Bytes(),
        ContentsBuilder().Raw("Lutaris_Playback").Ints({1, 240, -1, -1}).Bytes(),
        ContentsBuilder().Raw("Lutaris_Playback").Ints({1, 240, -1, 0x7fffffff}).Bytes(),
    };
    for (std::size_t i = 0; i < bad.size(); ++i) {
        EXPECT_FALSE(PlaybackSettings::Decode(bad[i]).has_value()) << "stream " << i;
    }
    EXPECT_TRUE(PlaybackSettings::Decode(Stream(10, 39, {0, 127})).has_value());
    EXPECT_TRUE(PlaybackSettings::Decode(Stream(2000, 24, {})).has_value());
}

}  // namespace
}  // namespace lutaris
