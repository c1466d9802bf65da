// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "sound/SoundEvent.h"
#include "sound/SoundSetup.h"

namespace lutaris {

class Tablature;

// The whole document's event list, as export hears it: the start events at tick 0, every item
// in reading order one after the other, and the stop events where the last item ends. `send`
// gets each event with its tick from the start. Returns that end tick.
std::int64_t ForEachSongEvent(std::span<Tablature* const> itemsInReadingOrder,
                              const SoundSetup& setup,
                              const std::function<void(const SoundEvent&)>& send);

struct ItemSound;

// The same item by item: `visit` gets each item's sound and the tick it starts at, between the
// start events and the stop events (which it does not get). Returns the end tick.
std::int64_t ForEachSongItem(
    std::span<Tablature* const> itemsInReadingOrder, const SoundSetup& setup,
    const std::function<void(const ItemSound& sound, std::int64_t start)>& visit);

// How many steps the items last, one after the other.
std::int64_t SongSteps(std::span<Tablature* const> itemsInReadingOrder);

}  // namespace lutaris
