// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lutaris {
class CCorvaneDoc;
}

namespace lutaris::bench {

// The two songbooks the benchmarks edit, paint, open and save: tab items of kNotesPerItem notes.
inline constexpr std::size_t kNotesPerItem = 12;
inline constexpr std::size_t kLargeItems = 10'000;
inline constexpr std::size_t kHugeItems = 100'000;

// Text tablature as people write it, about `bytes` long: systems of six named string lines with
// measure bars, frets of one and two digits, chords and technique marks, each system followed
// by an empty line and a line of lyrics; CR LF line ends, as exported files have.
std::string TextTablatureWorkload(std::size_t bytes, unsigned seed = 1);

// Replaces the document's tab items with `items` generated ones at positions 0 … items − 1, in
// a shuffled list order (as a document edited for a while has it), each with kNotesPerItem
// notes on six strings: chords and runs over eight to twelve columns, frets 0 to 24 and blank
// frets, every technique. The caret goes to column 0, string 0 of the item at position 0. The
// same seed gives the same document.
void FillSongbook(CCorvaneDoc& document, std::size_t items, unsigned seed = 7);

// Puts the caret on column 0, string 0 of the item at `position`, showing the note there.
void PutCaretOn(CCorvaneDoc& document, std::int32_t position);

// The real tablature of the shared corpus, the files one after another in name order, repeated
// until the text is at least `bytes` long. The corpus folder is found under LUTARIS_SHARED_DIR
// (the environment variable, or the folder the build was configured with). Empty when there is
// no corpus.
std::string CorpusTextWorkload(std::size_t bytes);

}  // namespace lutaris::bench
