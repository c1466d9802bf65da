// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// The "Playback" stream of a document file: read as an open reads it. Whatever it holds, the
// reader answers without a crash, and what it accepts it writes back to the same values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "model/PlaybackSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto read = lutaris::PlaybackSettings::Decode(std::span<const std::uint8_t>(data, size));
    if (!read) return 0;
    for (const std::int32_t strings : {4, 6, static_cast<std::int32_t>(read->tuning.size())}) {
        const auto stored = read->Encode(strings);
        if (stored.empty()) {
            if (!read->IsDefaultFor(strings)) std::abort();
            continue;
        }
        const auto again = lutaris::PlaybackSettings::Decode(stored);
        if (!again) std::abort();
        if (again->tempo != read->tempo || again->TuningFor(strings) != read->TuningFor(strings) ||
            again->ProgramFor(strings) != read->ProgramFor(strings)) {
            std::abort();
        }
    }
    return 0;
}
