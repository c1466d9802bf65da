// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <bitset>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

#include "sound/ItemSound.h"
#include "sound/SoundEvent.h"
#include "sound/SoundSetup.h"

namespace lutaris {

class Tablature;

// Where playback is: the item that sounds (compared, never read: it may be gone from the
// document by now), its position when it was queued or last renumbered, and the column.
struct PlayPosition {
    const Tablature* item = nullptr;
    std::int32_t itemPosition = -1;
    std::int32_t column = -1;

    bool operator==(const PlayPosition&) const = default;
};

// Live playback's clock and queue, without threads, clocks or a synthesizer of its own: the
// owner passes the time (microseconds of a steady clock), queues the items' sounds in playing
// order ahead of time, and the events go to the sink as they fall due. It knows what every
// channel sounds, so that a stop or a changed item leaves nothing hanging.
class Sequencer {
public:
    explicit Sequencer(SoundSink& sink) : sink_(sink) {}

    // Starts the clock at `now` and sends the start events at once.
    void Start(std::int64_t now, const SoundSetup& setup, double speed);
    // Queues the next item: its sound from `firstColumn` on, after the items queued so far.
    void Append(const Tablature* item, std::int32_t position, std::int32_t firstColumn,
                ItemSound sound);
    // No item follows the last one queued: the song ends with it.
    void Finish();
    bool Finished() const { return finished_; }

    // Sends what is due at `now`. When the next item is not queued in time the clock waits at
    // the end of the last one (nothing plays late or all at once).
    void Advance(std::int64_t now);
    // When Advance next has something to do; nothing while waiting for an item or stopped.
    std::optional<std::int64_t> NextDue() const;
    // Ends every note that sounds and sends the stop events, at once.
    void Stop();
    bool Playing() const { return playing_; }

    // How much of the queue lies ahead of `now`, in microseconds.
    std::int64_t QueuedAhead(std::int64_t now) const;
    PlayPosition Position(std::int64_t now) const;

    // An edited item sounds as `build` makes it now (from the first column it was queued
    // with), from the next step after `now` on where it is playing, wholly where it is queued.
    void Replace(std::int64_t now, const Tablature* item,
                 const std::function<ItemSound(std::int32_t firstColumn)>& build);
    // Forgets the queued items after the one that plays, so that the owner can queue again
    // (after a change of the document's structure or of the loop). Returns the one that plays,
    // if any.
    const Tablature* DropQueued(std::int64_t now);
    // New positions for the queued items after the document's items moved.
    void Renumber(const std::function<std::int32_t(const Tablature*, std::int32_t old)>& position);
    // A new tempo, speed or setup from `now` on, without a jump in time.
    void ChangeSetup(std::int64_t now, const SoundSetup& setup, double speed);

private:
    struct Entry {
        const Tablature* item = nullptr;
        std::int32_t position = 0;
        std::int32_t firstColumn = 0;
        ItemSound sound;
        std::int64_t startTick = 0;

        std::int64_t EndTick() const { return startTick + sound.steps * kTicksPerStep; }
    };
    struct ChannelState {
        std::bitset<128> keys;
        int wheel = midi::kBendCenter;
        int modulation = 0;
        int program = -1;
        void Apply(const SoundEvent& event);
    };

    std::int64_t TickAt(std::int64_t now) const;
    std::int64_t TimeOf(std::int64_t tick) const;
    void Send(const SoundEvent& event);
    void ReplacePlaying(Entry& entry, std::int64_t tick, ItemSound sound);
    void Shift(std::size_t after, std::int64_t ticks);

    SoundSink& sink_;
    SoundSetup setup_;
    double microsecondsPerTick_ = 1;
    double origin_ = 0;  // the time of tick 0
    bool playing_ = false;
    bool finished_ = false;
    std::deque<Entry> entries_;  // the first one plays or is next
    std::size_t nextEvent_ = 0;  // in entries_.front()
    std::int64_t endTick_ = 0;   // where the queue ends
    ChannelState channels_[16];
};

}  // namespace lutaris
