// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <random>
#include <vector>

#include "model/Tablature.h"

namespace lutaris::test {

// Fills `item` with notes as a person types them: frets 0 to 99, every column 0 … n − 1 holds
// a note, chords of any size, blank slides alone in their column, every technique, and the
// notes in no particular list order. What an export must be able to carry.
void FillWithTypedNotes(Tablature& item, std::mt19937& random);

// The notes as text tablature carries them, in the order an import makes them: a muted note
// loses its fret, Tap and Unmarked read back as Normal, and notes come column by column, top
// string first.
std::vector<TabNote> AsTextCarriesThem(std::vector<TabNote> notes);

}  // namespace lutaris::test
