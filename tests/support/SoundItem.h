// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <algorithm>
#include <vector>

#include "model/PlaybackSettings.h"
#include "model/TabNote.h"
#include "model/TabSettings.h"
#include "model/Tablature.h"
#include "sound/ItemSound.h"
#include "sound/SoundEvent.h"
#include "sound/SoundSetup.h"

namespace lutaris::test {

inline std::vector<SoundEvent> OfKind(const std::vector<SoundEvent>& events, SoundKind kind,
                                      int channel = -1) {
    std::vector<SoundEvent> found;
    for (const auto& event : events) {
        if (event.kind == kind && (channel < 0 || event.channel == channel)) found.push_back(event);
    }
    return found;
}

// A tab item on its own settings, for the event list.
struct SoundItem {
    explicit SoundItem(int strings = 6) : item(&settings) { settings.numberOfStrings = strings; }
    SoundItem& Add(std::int32_t fret, std::int32_t string, std::int32_t column,
                   std::int32_t action = Normal) {
        item.AppendNote(TabNote{fret, string, column, 0, action});
        return *this;
    }
    SoundSetup Setup(const PlaybackSettings& playback = {}) const {
        return SoundSetup::For(settings, playback);
    }
    ItemSound Sound(const PlaybackSettings& playback = {}, std::int32_t firstColumn = 0) const {
        ItemSoundBuilder builder(Setup(playback));
        return builder.Build(item, firstColumn);
    }

    TabSettings settings;
    Tablature item;
};

}  // namespace lutaris::test
