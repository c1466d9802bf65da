#include "sound/SongSound.h"

#include "model/PrefetchingWalk.h"
#include "model/Tablature.h"
#include "sound/ItemSound.h"

namespace lutaris {

std::int64_t ForEachSongEvent(std::span<Tablature* const> itemsInReadingOrder,
                              const SoundSetup& setup,
                              const std::function<void(const SoundEvent&)>& send) {
    for (const SoundEvent& event : StartEvents(setup)) send(event);
    ItemSoundBuilder builder(setup);
    ItemSound sound;
    std::int64_t start = 0;
    ForEachItemPrefetched(itemsInReadingOrder, [&](const Tablature& item) {
        builder.Build(item, 0, sound);
        for (SoundEvent event : sound.events) {
            event.tick += start;
            send(event);
        }
        start += sound.steps * kTicksPerStep;
    });
    for (const SoundEvent& event : StopEvents(setup, start)) send(event);
    return start;
}

std::int64_t SongSteps(std::span<Tablature* const> itemsInReadingOrder) {
    std::int64_t steps = 0;
    for (const Tablature* item : itemsInReadingOrder) steps += ItemSteps(*item);
    return steps;
}

}  // namespace lutaris
