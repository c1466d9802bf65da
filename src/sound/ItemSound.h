// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <vector>

#include "sound/SoundEvent.h"
#include "sound/SoundSetup.h"

namespace lutaris {

class Tablature;

// The sound of one tab item: how many steps it lasts and its events, with ticks counted from
// its first column played. Every item starts and ends with its channels at rest (no note on,
// the wheel centred, the instrument's program), so items can be played in any order, alone,
// again, or rebuilt after an edit.
struct ItemSound {
    std::int64_t steps = 1;
    std::vector<SoundEvent> events;  // in time order
};

// How long an item lasts from `firstColumn` on: to its last note's column plus one step, one
// step at least (an empty item, or a first column past the last note).
std::int64_t ItemSteps(const Tablature& item, std::int32_t firstColumn = 0);

// Builds items' sounds: time, pitch and technique as the README's "Playback and export"
// defines them. Keeps its buffers from one item to the next.
class ItemSoundBuilder {
public:
    explicit ItemSoundBuilder(SoundSetup setup) : setup_(std::move(setup)) {}

    // The sound of `item` from column `firstColumn` on; notes before that column are left out
    // as if the item began there.
    void Build(const Tablature& item, std::int32_t firstColumn, ItemSound& out);
    ItemSound Build(const Tablature& item, std::int32_t firstColumn = 0);

    const SoundSetup& Setup() const { return setup_; }

private:
    struct Placed {
        std::int32_t string;
        std::int32_t column;
        std::size_t index;  // in the item's note list: the later of two notes in a cell wins
        std::int32_t fret;
        std::int32_t action;
    };
    struct Voice {
        std::int64_t start;
        std::int64_t end;
        int key;
        std::int32_t action;
        int glideIn;  // +1 from below, −1 from above (a blank-fret slide before it), 0 none
    };

    void BuildString(int string, std::int64_t itemEnd, std::vector<SoundEvent>& out);

    SoundSetup setup_;
    std::vector<Placed> placed_;
    std::vector<Voice> voices_;
};

// What every channel a document uses gets before its first note: controllers reset, the wheel
// centred, the wheel's range (RPN 0), the volume and the program; all at tick 0.
std::vector<SoundEvent> StartEvents(const SoundSetup& setup);
// What every such channel gets at the end or at a stop: all notes off, controllers reset, the
// wheel centred, so that nothing hangs on or stays bent.
std::vector<SoundEvent> StopEvents(const SoundSetup& setup, std::int64_t tick);

}  // namespace lutaris
