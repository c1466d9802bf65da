// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lutaris {

// Pitch names as guitarists write them: a letter A to G, an optional sharp (#) or flat (b) and
// the octave (E2 is MIDI note 40, A4 is 69, the octave running from C to B).
std::optional<std::int32_t> ParsePitchName(std::string_view name);
std::string PitchName(std::int32_t pitch);

// A comma-separated list of open strings from the lowest to the highest ("E2,A2,D3,G3,B3,E4"),
// as the command line takes it, turned into the document's order (the top string, the highest,
// first). Nothing, with `error` set, for a name that is not a pitch.
std::optional<std::vector<std::int32_t>> ParseTuningList(std::string_view list,
                                                         std::string* error = nullptr);
// The same list written out.
std::string TuningList(const std::vector<std::int32_t>& topFirst);

// The tunings Playback Settings offers, open strings from the lowest to the highest.
struct TuningPreset {
    std::string_view name;
    std::vector<std::int32_t> lowToHigh;

    // In the document's order, the top string first.
    std::vector<std::int32_t> TopFirst() const { return {lowToHigh.rbegin(), lowToHigh.rend()}; }
};
const std::vector<TuningPreset>& TuningPresets();

// The General MIDI guitars and basses (programs 24 to 39) by their names.
std::string_view FrettedProgramName(std::int32_t program);

}  // namespace lutaris
