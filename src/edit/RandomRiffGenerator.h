// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

namespace lutaris {

class Rng;
class Tablature;

// Fills a tab item with a random riff: 1 to 10 notes in columns 0, 1, 2, …, one per column, on
// random strings with random frets 0 … 23, all Normal. The draws come in a fixed order (the
// note count, then string and fret of each note), so a seed always gives the same riff.
class RandomRiffGenerator {
public:
    static constexpr std::int32_t kFretCount = 24;
    static constexpr std::int32_t kMaxNotes = 10;

    explicit RandomRiffGenerator(Rng& rng) : rng_(rng) {}

    // A string count of zero or less puts every note on string 0 (the draws are still taken).
    void Fill(Tablature& item, std::int32_t numberOfStrings);

private:
    Rng& rng_;
};

}  // namespace lutaris
