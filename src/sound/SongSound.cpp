// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "sound/SongSound.h"

#include "model/PrefetchingWalk.h"
#include "model/Tablature.h"
#include "sound/ItemSound.h"

namespace lutaris {

std::int64_t ForEachSongItem(
    std::span<Tablature* const> itemsInReadingOrder, const SoundSetup& setup,
    const std::function<void(const ItemSound& sound, std::int64_t start)>& visit) {
    ItemSoundBuilder builder(setup);
    ItemSound sound;
    std::int64_t start = 0;
    ForEachItemPrefetched(itemsInReadingOrder, [&](const Tablature& item) {
        builder.Build(item, 0, sound);
        visit(sound, start);
        start += sound.steps * kTicksPerStep;
    });
    return start;
}

std::int64_t ForEachSongEvent(std::span<Tablature* const> itemsInReadingOrder,
                              const SoundSetup& setup,
                              const std::function<void(const SoundEvent&)>& send) {
    for (const SoundEvent& event : StartEvents(setup)) send(event);
    const std::int64_t end = ForEachSongItem(itemsInReadingOrder, setup,
                                             [&](const ItemSound& sound, std::int64_t start) {
                                                 for (SoundEvent event : sound.events) {
                                                     event.tick += start;
                                                     send(event);
                                                 }
                                             });
    for (const SoundEvent& event : StopEvents(setup, end)) send(event);
    return end;
}

std::int64_t SongSteps(std::span<Tablature* const> itemsInReadingOrder) {
    std::int64_t steps = 0;
    for (const Tablature* item : itemsInReadingOrder) steps += ItemSteps(*item);
    return steps;
}

}  // namespace lutaris
