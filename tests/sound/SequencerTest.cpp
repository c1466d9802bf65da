// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <vector>

#include "sound/Sequencer.h"
#include "support/SoundItem.h"

namespace lutaris {
namespace {

using test::OfKind;
using test::SoundItem;

struct ListSink : SoundSink {
    void Send(const SoundEvent& event) override { events.push_back(event); }
    std::vector<SoundEvent> Take() { return std::exchange(events, {}); }
    std::vector<SoundEvent> events;
};

// 240 steps a minute: a step is 250 ms, a tick 1041.67 microseconds.
constexpr std::int64_t kStep = 250'000;

class SequencerTest : public ::testing::Test {
protected:
    SequencerTest() {
        first.Add(5, 0, 0).Add(7, 0, 2);  // A4 for two steps, then B4
        second.Add(0, 1, 0);              // B3
        sequencer.Start(0, first.Setup(), 1.0);
        sink.Take();
    }
    void Queue(SoundItem& tab, std::int32_t position) {
        ItemSoundBuilder builder(tab.Setup());
        sequencer.Append(&tab.item, position, 0, builder.Build(tab.item));
    }

    SoundItem first;
    SoundItem second;
    ListSink sink;
    Sequencer sequencer{sink};
};

TEST_F(SequencerTest, SendsEachEventWhenItFallsDue) {
    Queue(first, 0);
    Queue(second, 1);
    sequencer.Advance(0);
    EXPECT_EQ(OfKind(sink.Take(), SoundKind::NoteOn), std::vector{NoteOnEvent(0, 0, 69, 96)});
    sequencer.Advance(2 * kStep - 1);
    EXPECT_TRUE(sink.Take().empty());
    EXPECT_EQ(sequencer.NextDue(), 2 * kStep);
    sequencer.Advance(2 * kStep);
    EXPECT_EQ(OfKind(sink.Take(), SoundKind::NoteOn), std::vector{NoteOnEvent(480, 0, 71, 96)});
    EXPECT_EQ(sequencer.Position(2 * kStep + 10), (PlayPosition{&first.item, 0, 2}));
    // The second item follows the first's three steps.
    sequencer.Advance(3 * kStep);
    const auto events = sink.Take();
    EXPECT_EQ(OfKind(events, SoundKind::NoteOn), std::vector{NoteOnEvent(720, 1, 59, 96)});
    EXPECT_EQ(OfKind(events, SoundKind::NoteOff), std::vector{NoteOffEvent(720, 0, 71)});
    EXPECT_EQ(sequencer.Position(3 * kStep), (PlayPosition{&second.item, 1, 0}));
}

TEST_F(SequencerTest, WaitsAtTheQueuesEndForTheNextItemInsteadOfRushingOn) {
    Queue(first, 0);
    sequencer.Advance(0);
    sink.Take();
    // Long after the first item's end nothing has come: the clock holds at its end.
    sequencer.Advance(10 * kStep);
    EXPECT_EQ(sequencer.NextDue(), std::nullopt);
    EXPECT_EQ(sequencer.Position(10 * kStep), (PlayPosition{&first.item, 0, 2}));
    sink.Take();
    Queue(second, 1);
    // The next item starts from where the clock waited, not in the past.
    EXPECT_EQ(sequencer.NextDue(), 10 * kStep);
    sequencer.Advance(10 * kStep);
    EXPECT_EQ(OfKind(sink.Take(), SoundKind::NoteOn).size(), 1u);
    sequencer.Advance(10 * kStep + kStep / 2);
    EXPECT_EQ(sequencer.Position(10 * kStep + kStep / 2), (PlayPosition{&second.item, 1, 0}));
}

TEST_F(SequencerTest, EndsAfterTheLastItemWithTheStopEvents) {
    Queue(second, 0);
    sequencer.Finish();
    sequencer.Advance(0);
    sink.Take();
    EXPECT_TRUE(sequencer.Playing());
    sequencer.Advance(kStep);
    EXPECT_FALSE(sequencer.Playing());
    const auto events = sink.Take();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), StopEvents(second.Setup(), 0).back());
}

TEST_F(SequencerTest, StopEndsEveryNoteThatSoundsAndLeavesNothingBent) {
    SoundItem bend;
    bend.Add(7, 2, 0, BendUp).Add(5, 0, 0);
    Queue(bend, 0);
    sequencer.Advance(kStep / 4);
    sink.Take();
    sequencer.Stop();
    const auto events = sink.Take();
    const auto offs = OfKind(events, SoundKind::NoteOff);
    EXPECT_EQ(offs.size(), 2u);
    const auto bends = OfKind(events, SoundKind::PitchBend, 2);
    ASSERT_FALSE(bends.empty());
    EXPECT_EQ(bends.back().BendValue(), midi::kBendCenter);
    EXPECT_FALSE(sequencer.Playing());
    EXPECT_EQ(sequencer.Position(kStep), PlayPosition{});
}

TEST_F(SequencerTest, AnEditIsHeardFromTheNextStepOnAndNoteThatStayRingOn) {
    Queue(first, 0);
    Queue(second, 1);
    sequencer.Advance(kStep / 2);
    sink.Take();
    // Mid-step 0 the person adds a note on string 3 at column 1 and one at column 0 (too late
    // for this step), and B4 at column 2 becomes C5.
    first.item.notes.clear();
    first.Add(5, 0, 0).Add(2, 3, 0).Add(4, 3, 1).Add(8, 0, 2);
    ItemSoundBuilder builder(first.Setup());
    sequencer.Replace(kStep / 2, &first.item,
                      [&](std::int32_t column) { return builder.Build(first.item, column); });
    sequencer.Advance(kStep);
    auto events = sink.Take();
    // A4 rings on (no new attack, no stop), the note too late for column 0 is not heard at all
    // (not even ended), and the new note at column 1 starts on time.
    EXPECT_TRUE(OfKind(events, SoundKind::NoteOff).empty());
    EXPECT_EQ(OfKind(events, SoundKind::NoteOn), std::vector{NoteOnEvent(240, 3, 54, 96)});
    sequencer.Advance(2 * kStep);
    events = sink.Take();
    EXPECT_EQ(OfKind(events, SoundKind::NoteOn, 0), std::vector{NoteOnEvent(480, 0, 72, 96)});
    // The second item still follows three steps in.
    sequencer.Advance(3 * kStep);
    EXPECT_EQ(OfKind(sink.Take(), SoundKind::NoteOn), std::vector{NoteOnEvent(720, 1, 59, 96)});
}

TEST_F(SequencerTest, AnEditThatRemovesTheSoundingNoteEndsItAtTheNextStep) {
    Queue(first, 0);
    Queue(second, 1);
    sequencer.Advance(kStep / 2);
    sink.Take();
    first.item.notes.clear();  // everything deleted: the item is one empty step now
    ItemSoundBuilder builder(first.Setup());
    sequencer.Replace(kStep / 2, &first.item,
                      [&](std::int32_t column) { return builder.Build(first.item, column); });
    sequencer.Advance(kStep);
    const auto events = sink.Take();
    EXPECT_EQ(OfKind(events, SoundKind::NoteOff), std::vector{NoteOffEvent(240, 0, 69)});
    // The item now ends at that step, and the next follows at once.
    EXPECT_EQ(OfKind(events, SoundKind::NoteOn), std::vector{NoteOnEvent(240, 1, 59, 96)});
}

TEST_F(SequencerTest, AnEditThatTakesTheVibratoAwayStillsTheNoteAtTheNextStep) {
    SoundItem vibrato;
    vibrato.Add(5, 0, 0, Vibrato).Add(7, 0, 2);
    Queue(vibrato, 0);
    sequencer.Advance(kStep / 2);
    EXPECT_EQ(OfKind(sink.Take(), SoundKind::Controller),
              std::vector{ControllerEvent(0, 0, midi::kModulation, 64)});
    vibrato.item.notes[0].action = Normal;
    ItemSoundBuilder builder(vibrato.Setup());
    sequencer.Replace(kStep / 2, &vibrato.item,
                      [&](std::int32_t column) { return builder.Build(vibrato.item, column); });
    sequencer.Advance(kStep);
    const auto events = sink.Take();
    EXPECT_EQ(events, std::vector{ControllerEvent(240, 0, midi::kModulation, 0)});
}

TEST_F(SequencerTest, AQueuedItemIsRebuiltWholeAndWhatFollowsMoves) {
    SoundItem third;
    third.Add(3, 2, 0);
    Queue(second, 0);
    Queue(first, 1);
    Queue(third, 2);
    sequencer.Advance(0);
    first.Add(9, 1, 4);  // now five steps long
    ItemSoundBuilder builder(first.Setup());
    sequencer.Replace(0, &first.item,
                      [&](std::int32_t column) { return builder.Build(first.item, column); });
    sink.Take();
    sequencer.Advance(6 * kStep - 1);
    EXPECT_TRUE(OfKind(sink.Take(), SoundKind::NoteOn, 2).empty());
    sequencer.Advance(6 * kStep);
    EXPECT_EQ(OfKind(sink.Take(), SoundKind::NoteOn, 2), std::vector{NoteOnEvent(1440, 2, 58, 96)});
}

TEST_F(SequencerTest, DroppingTheQueueKeepsTheItemThatPlays) {
    Queue(first, 0);
    Queue(second, 1);
    sequencer.Advance(kStep);
    EXPECT_EQ(sequencer.DropQueued(kStep), &first.item);
    EXPECT_EQ(sequencer.QueuedAhead(kStep), 2 * kStep);
    sequencer.Renumber([](const Tablature*, std::int32_t) { return 4; });
    EXPECT_EQ(sequencer.Position(kStep).itemPosition, 4);
}

TEST_F(SequencerTest, ASpeedChangeKeepsThePlaceAndChangesThePace) {
    Queue(first, 0);
    sequencer.Advance(kStep);
    sequencer.ChangeSetup(kStep, first.Setup(), 0.5);  // half speed: a step is 500 ms
    EXPECT_TRUE(OfKind(sink.Take(), SoundKind::Controller).empty());
    EXPECT_EQ(sequencer.Position(kStep).column, 1);
    EXPECT_EQ(sequencer.NextDue(), kStep + 2 * kStep);
}

}  // namespace
}  // namespace lutaris
