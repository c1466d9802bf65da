// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <bitset>
#include <random>

#include "sound/ItemSound.h"
#include "sound/SongSound.h"
#include "support/SoundItem.h"
#include "support/TypedTabs.h"

namespace lutaris {
namespace {

using test::OfKind;
using test::SoundItem;

constexpr int kUp = 9557;    // a whole step up on the wheel's ±12 semitones
constexpr int kDown = 6827;  // a whole step down

TEST(ItemSound, PitchesComeFromTheTuningOneChannelPerStringTimesFromTheColumns) {
    SoundItem tab;
    tab.Add(5, 0, 0).Add(2, 2, 1).Add(0, 5, 2);
    const ItemSound sound = tab.Sound();
    EXPECT_EQ(sound.steps, 3);
    const auto ons = OfKind(sound.events, SoundKind::NoteOn);
    ASSERT_EQ(ons.size(), 3u);
    EXPECT_EQ(ons[0], NoteOnEvent(0, 0, 69, 96));    // A4: fret 5 on the top string, E4
    EXPECT_EQ(ons[1], NoteOnEvent(240, 2, 57, 96));  // A3 on G3
    EXPECT_EQ(ons[2], NoteOnEvent(480, 5, 40, 96));  // E2, the open low string
    // Each rings until its item ends.
    const auto offs = OfKind(sound.events, SoundKind::NoteOff);
    ASSERT_EQ(offs.size(), 3u);
    for (const auto& off : offs) EXPECT_EQ(off.tick, 720);
}

TEST(ItemSound, ANoteRingsUntilTheNextNoteOnItsString) {
    SoundItem tab;
    tab.Add(1, 1, 0).Add(3, 1, 3).Add(0, 4, 1);
    const auto offs = OfKind(tab.Sound().events, SoundKind::NoteOff, 1);
    ASSERT_EQ(offs.size(), 2u);
    EXPECT_EQ(offs[0], NoteOffEvent(720, 1, 60));
    EXPECT_EQ(offs[1], NoteOffEvent(960, 1, 62));
}

TEST(ItemSound, OtherTuningsAndStringCounts) {
    PlaybackSettings dropD;
    dropD.tuning = {64, 59, 55, 50, 45, 38};
    SoundItem six;
    six.Add(0, 5, 0).Add(3, 5, 1);
    const auto ons = OfKind(six.Sound(dropD).events, SoundKind::NoteOn);
    ASSERT_EQ(ons.size(), 2u);
    EXPECT_EQ(ons[0].data1, 38);
    EXPECT_EQ(ons[1].data1, 41);

    SoundItem bass(4);
    bass.Add(0, 3, 0);
    EXPECT_EQ(OfKind(bass.Sound().events, SoundKind::NoteOn)[0].data1, 28);  // E1
    EXPECT_EQ(bass.Setup().program, 33);
}

TEST(ItemSound, NeverUsesTheDrumChannelAndLeavesStringsPastFifteenSilent) {
    SoundItem many(17);
    for (int string = 0; string < 17; ++string) many.Add(5, string, string);
    const auto ons = OfKind(many.Sound().events, SoundKind::NoteOn);
    ASSERT_EQ(ons.size(), 15u);
    std::bitset<16> channels;
    for (const auto& on : ons) channels.set(on.channel);
    EXPECT_FALSE(channels.test(9));
    EXPECT_EQ(channels.count(), 15u);
    EXPECT_EQ(ons[9].channel, 10);
    for (const auto& event : StartEvents(many.Setup())) EXPECT_NE(event.channel, 9);
}

TEST(ItemSound, ABendRisesAWholeStepOverTheNotesFirstHalfOnItsOwnChannel) {
    SoundItem tab;
    tab.Add(7, 1, 0, BendUp).Add(0, 2, 0).Add(5, 1, 2);
    const ItemSound sound = tab.Sound();
    // The chord's other string is never bent.
    EXPECT_TRUE(OfKind(sound.events, SoundKind::PitchBend, 2).empty());
    const auto bends = OfKind(sound.events, SoundKind::PitchBend, 1);
    ASSERT_GE(bends.size(), 8u);
    int previous = midi::kBendCenter;
    std::size_t i = 0;
    for (; i < bends.size() && bends[i].tick <= 240; ++i) {
        EXPECT_GT(bends[i].tick, 0);
        EXPECT_GE(bends[i].BendValue(), previous);
        previous = bends[i].BendValue();
    }
    EXPECT_EQ(previous, kUp);
    EXPECT_EQ(bends[i - 1].tick, 240);  // the note lasts two steps: its first half
    // The next note starts with the wheel at rest again, and nothing stays bent.
    ASSERT_LT(i, bends.size());
    EXPECT_EQ(bends[i], PitchBendEvent(480, 1, midi::kBendCenter));
    const auto ons = OfKind(sound.events, SoundKind::NoteOn, 1);
    ASSERT_EQ(ons.size(), 2u);
    const auto at = [&](const SoundEvent& e) {
        return std::find(sound.events.begin(), sound.events.end(), e) - sound.events.begin();
    };
    EXPECT_LT(at(bends[i]), at(ons[1]));
}

TEST(ItemSound, ABendReleaseStartsAWholeStepUpAndFallsBack) {
    SoundItem tab;
    tab.Add(7, 0, 0, BendRelease);
    const ItemSound sound = tab.Sound();
    ASSERT_GE(sound.events.size(), 3u);
    EXPECT_EQ(sound.events[0], PitchBendEvent(0, 0, kUp));
    EXPECT_EQ(sound.events[1], NoteOnEvent(0, 0, 71, 96));
    const auto bends = OfKind(sound.events, SoundKind::PitchBend);
    const auto fallen = std::find_if(bends.begin(), bends.end(), [](const SoundEvent& e) {
        return e.BendValue() == midi::kBendCenter;
    });
    ASSERT_NE(fallen, bends.end());
    EXPECT_EQ(fallen->tick, 120);  // half of its one step
}

TEST(ItemSound, ASlideGlidesIntoTheNextNoteWithoutANewAttack) {
    SoundItem tab;
    tab.Add(5, 0, 0, SlideUp).Add(7, 0, 2);
    const ItemSound sound = tab.Sound();
    const auto ons = OfKind(sound.events, SoundKind::NoteOn);
    ASSERT_EQ(ons.size(), 1u);
    EXPECT_EQ(ons[0].data1, 69);
    const auto bends = OfKind(sound.events, SoundKind::PitchBend);
    ASSERT_GE(bends.size(), 3u);
    EXPECT_GT(bends.front().tick, 240);  // the glide is the sliding note's second half
    int previous = midi::kBendCenter;
    for (const auto& bend : bends) {
        if (bend.tick > 480) break;
        EXPECT_GE(bend.BendValue(), previous);
        previous = bend.BendValue();
    }
    EXPECT_EQ(previous, kUp);
    // The slid-to note ends with the item, and the wheel rests again.
    EXPECT_EQ(OfKind(sound.events, SoundKind::NoteOff), std::vector{NoteOffEvent(720, 0, 69)});
    EXPECT_EQ(bends.back(), PitchBendEvent(720, 0, midi::kBendCenter));

    SoundItem down;
    down.Add(7, 0, 0, SlideDown).Add(5, 0, 1);
    EXPECT_EQ(OfKind(down.Sound().events, SoundKind::PitchBend).back().BendValue(),
              midi::kBendCenter);
    const auto downBends = OfKind(down.Sound().events, SoundKind::PitchBend);
    EXPECT_EQ(downBends[downBends.size() - 2].BendValue(), kDown);
}

TEST(ItemSound, HammerOnsAndPullOffsSoundLegatoAtTheirStep) {
    SoundItem tab;
    tab.Add(5, 0, 0, HammerOn).Add(7, 0, 1, PullOff).Add(5, 0, 2);
    const ItemSound sound = tab.Sound();
    EXPECT_EQ(OfKind(sound.events, SoundKind::NoteOn).size(), 1u);
    const auto bends = OfKind(sound.events, SoundKind::PitchBend);
    ASSERT_EQ(bends.size(), 2u);
    EXPECT_EQ(bends[0], PitchBendEvent(240, 0, kUp));
    EXPECT_EQ(bends[1], PitchBendEvent(480, 0, midi::kBendCenter));
}

TEST(ItemSound, LegatoBeyondTheWheelsReachPicksTheNoteAgain) {
    SoundItem tab;
    tab.Add(0, 0, 0, HammerOn).Add(15, 0, 1);
    const auto ons = OfKind(tab.Sound().events, SoundKind::NoteOn);
    ASSERT_EQ(ons.size(), 2u);
    EXPECT_EQ(ons[1].data1, 79);
}

TEST(ItemSound, TechniquesOfAttack) {
    SoundItem tab;
    tab.Add(5, 0, 0, Mute).Add(5, 1, 0, Tap).Add(5, 2, 0, Optional).Add(5, 3, 0).Add(5, 4, 1);
    const ItemSound sound = tab.Sound();
    // A muted note is short and dead.
    EXPECT_EQ(OfKind(sound.events, SoundKind::NoteOff, 0), std::vector{NoteOffEvent(60, 0, 69)});
    const auto ons = OfKind(sound.events, SoundKind::NoteOn);
    EXPECT_GT(ons[1].data2, ons[3].data2);  // tap: accented
    EXPECT_LT(ons[2].data2, ons[3].data2);  // optional: a ghost
}

TEST(ItemSound, VibratoTurnsTheModulationWheelForItsNoteOnly) {
    SoundItem tab;
    tab.Add(5, 0, 0, Vibrato).Add(7, 0, 2).Add(5, 1, 0, HammerOn).Add(7, 1, 1, Vibrato);
    const ItemSound sound = tab.Sound();
    EXPECT_TRUE(OfKind(sound.events, SoundKind::PitchBend, 0).empty());
    const auto controls = OfKind(sound.events, SoundKind::Controller, 0);
    EXPECT_EQ(controls, (std::vector{ControllerEvent(0, 0, midi::kModulation, 64),
                                     ControllerEvent(480, 0, midi::kModulation, 0)}));
    // A legato note with vibrato: the wheel carries the pitch, the modulation the wobble.
    const auto second = OfKind(sound.events, SoundKind::Controller, 1);
    EXPECT_EQ(second, (std::vector{ControllerEvent(240, 1, midi::kModulation, 64),
                                   ControllerEvent(720, 1, midi::kModulation, 0)}));
    EXPECT_EQ(OfKind(sound.events, SoundKind::NoteOn, 1).size(), 1u);
}

TEST(ItemSound, HarmonicsSoundTheirNaturalPitchOnTheHarmonicsProgram) {
    SoundItem tab;
    tab.Add(12, 0, 0, Harmonic)
        .Add(7, 1, 0, Harmonic)
        .Add(5, 2, 0, Harmonic)
        .Add(4, 3, 0, Harmonic)
        .Add(3, 4, 0, Harmonic)
        .Add(9, 5, 0, Harmonic)
        .Add(5, 0, 1);
    const ItemSound sound = tab.Sound();
    const auto ons = OfKind(sound.events, SoundKind::NoteOn);
    ASSERT_EQ(ons.size(), 7u);
    EXPECT_EQ(ons[0].data1, 64 + 12);
    EXPECT_EQ(ons[1].data1, 59 + 19);
    EXPECT_EQ(ons[2].data1, 55 + 24);
    EXPECT_EQ(ons[3].data1, 50 + 28);
    EXPECT_EQ(ons[4].data1, 45 + 31);
    EXPECT_EQ(ons[5].data1, 40 + 9 + 12);  // elsewhere: the fret an octave up
    EXPECT_EQ(ons[6].data1, 69);           // and the next plain note is plain again
    const auto programs = OfKind(sound.events, SoundKind::Program, 0);
    EXPECT_EQ(programs, (std::vector{ProgramEvent(0, 0, 31), ProgramEvent(240, 0, 25)}));
    EXPECT_EQ(OfKind(sound.events, SoundKind::Program, 5).back(), ProgramEvent(480, 5, 25));
}

TEST(ItemSound, ABlankFretSlideGlidesShortlyIntoTheNextNote) {
    SoundItem tab;
    tab.Add(BlankFret, 0, 0, SlideUp).Add(7, 0, 1);
    const ItemSound sound = tab.Sound();
    const auto ons = OfKind(sound.events, SoundKind::NoteOn);
    ASSERT_EQ(ons.size(), 1u);
    EXPECT_EQ(ons[0].tick, 240);
    const auto bends = OfKind(sound.events, SoundKind::PitchBend);
    ASSERT_GE(bends.size(), 2u);
    EXPECT_EQ(bends.front(), PitchBendEvent(240, 0, kDown));
    const auto home = std::find_if(bends.begin(), bends.end(), [](const SoundEvent& e) {
        return e.BendValue() == midi::kBendCenter;
    });
    ASSERT_NE(home, bends.end());
    EXPECT_EQ(home->tick, 300);
}

TEST(ItemSound, OfTwoNotesInACellTheLaterSounds) {
    SoundItem tab;
    tab.Add(3, 0, 0).Add(8, 0, 0);
    const auto ons = OfKind(tab.Sound().events, SoundKind::NoteOn);
    ASSERT_EQ(ons.size(), 1u);
    EXPECT_EQ(ons[0].data1, 72);
}

TEST(ItemSound, NotesWithoutAPitchAreSilentAndCutNothing) {
    SoundItem tab;
    tab.Add(5, 0, 0).Add(-3, 0, 1).Add(200, 0, 2).Add(BlankFret, 0, 3, Vibrato).Add(1, 9, 0);
    const ItemSound sound = tab.Sound();
    EXPECT_EQ(sound.steps, 4);
    EXPECT_EQ(OfKind(sound.events, SoundKind::NoteOn).size(), 1u);
    EXPECT_EQ(OfKind(sound.events, SoundKind::NoteOff), std::vector{NoteOffEvent(960, 0, 69)});
}

TEST(ItemSound, AnEmptyItemLastsOneStepAndAFirstColumnLeavesTheNotesBeforeIt) {
    SoundItem empty;
    EXPECT_EQ(empty.Sound().steps, 1);
    EXPECT_TRUE(empty.Sound().events.empty());

    SoundItem tab;
    tab.Add(5, 0, 0, HammerOn).Add(7, 0, 2).Add(3, 1, 4);
    const ItemSound sound = tab.Sound({}, 2);
    EXPECT_EQ(sound.steps, 3);
    const auto ons = OfKind(sound.events, SoundKind::NoteOn);
    // The hammered note has no note before it now: it is picked.
    ASSERT_EQ(ons.size(), 2u);
    EXPECT_EQ(ons[0], NoteOnEvent(0, 0, 71, 96));
    EXPECT_EQ(ons[1], NoteOnEvent(480, 1, 62, 96));
    EXPECT_EQ(tab.Sound({}, 9).steps, 1);
}

// Whatever an item holds, its events are in time order within the item, never on the drums'
// channel, and leave every channel at rest: no note on, the wheel centred, the program back.
TEST(ItemSound, EveryItemEndsAtRest) {
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        SoundItem tab;
        test::FillWithTypedNotes(tab.item, random);
        const ItemSound sound = tab.Sound();
        std::bitset<128> on[16];
        int wheel[16];
        int program[16];
        int modulation[16] = {};
        std::fill(std::begin(wheel), std::end(wheel), midi::kBendCenter);
        std::fill(std::begin(program), std::end(program), 25);
        std::int64_t last = 0;
        for (const auto& event : sound.events) {
            ASSERT_GE(event.tick, last);
            ASSERT_LE(event.tick, sound.steps * kTicksPerStep);
            ASSERT_NE(event.channel, 9);
            last = event.tick;
            if (event.kind == SoundKind::NoteOn) on[event.channel].set(event.data1);
            if (event.kind == SoundKind::NoteOff) on[event.channel].reset(event.data1);
            if (event.kind == SoundKind::PitchBend) wheel[event.channel] = event.BendValue();
            if (event.kind == SoundKind::Program) program[event.channel] = event.data1;
            if (event.kind == SoundKind::Controller && event.data1 == midi::kModulation) {
                modulation[event.channel] = event.data2;
            }
        }
        for (int c = 0; c < 16; ++c) {
            EXPECT_TRUE(on[c].none()) << "round " << round << " channel " << c;
            EXPECT_EQ(wheel[c], midi::kBendCenter) << "round " << round << " channel " << c;
            EXPECT_EQ(program[c], 25) << "round " << round << " channel " << c;
            EXPECT_EQ(modulation[c], 0) << "round " << round << " channel " << c;
        }
    }
}

TEST(ItemSound, StartSetsTheWheelsRangeAndStopLeavesNothingOnOrBent) {
    SoundItem tab;
    const auto start = StartEvents(tab.Setup());
    for (int string = 0; string < 6; ++string) {
        const auto channel = OfKind(start, SoundKind::Controller, string);
        ASSERT_GE(channel.size(), 6u);
        EXPECT_EQ(channel[0].data1, midi::kResetAllControllers);
        // RPN 0, 0 selected, then twelve semitones entered.
        EXPECT_EQ(channel[1], ControllerEvent(0, string, 101, 0));
        EXPECT_EQ(channel[2], ControllerEvent(0, string, 100, 0));
        EXPECT_EQ(channel[3], ControllerEvent(0, string, 6, 12));
        EXPECT_EQ(OfKind(start, SoundKind::Program, string),
                  std::vector{ProgramEvent(0, string, 25)});
        EXPECT_EQ(OfKind(start, SoundKind::PitchBend, string),
                  std::vector{PitchBendEvent(0, string, midi::kBendCenter)});
    }
    const auto stop = StopEvents(tab.Setup(), 99);
    EXPECT_EQ(stop.size(), 18u);
    EXPECT_EQ(stop[0], ControllerEvent(99, 0, midi::kAllNotesOff, 0));
    EXPECT_EQ(stop[1], ControllerEvent(99, 0, midi::kResetAllControllers, 0));
    EXPECT_EQ(stop[2], PitchBendEvent(99, 0, midi::kBendCenter));
}

TEST(SongSound, ItemsFollowInReadingOrderBetweenStartAndStop) {
    SoundItem first;
    first.Add(5, 0, 2);
    SoundItem second;
    SoundItem third;
    third.Add(7, 1, 0);
    Tablature* items[] = {&first.item, &second.item, &third.item};
    std::vector<SoundEvent> events;
    const std::int64_t end =
        ForEachSongEvent(items, first.Setup(), [&](const SoundEvent& e) { events.push_back(e); });
    EXPECT_EQ(end, (3 + 1 + 1) * 240);
    EXPECT_EQ(SongSteps(items), 5);
    const auto ons = OfKind(events, SoundKind::NoteOn);
    ASSERT_EQ(ons.size(), 2u);
    EXPECT_EQ(ons[0].tick, 480);
    EXPECT_EQ(ons[1].tick, 960);
    EXPECT_EQ(events.front(), StartEvents(first.Setup()).front());
    EXPECT_EQ(events.back(), StopEvents(first.Setup(), end).back());
}

}  // namespace
}  // namespace lutaris
