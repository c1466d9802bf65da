// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "edit/RandomRiffGenerator.h"

#include "model/Tablature.h"
#include "platform/runtime/Rng.h"

namespace lutaris {

void RandomRiffGenerator::Fill(Tablature& item, std::int32_t numberOfStrings) {
    const std::int32_t strings = numberOfStrings > 0 ? numberOfStrings : 1;
    const std::int32_t count = rng_.Next() % kMaxNotes + 1;
    for (std::int32_t column = 0; column < count; ++column) {
        TabNote note;
        note.Clear();
        note.string = rng_.Next() % strings;
        note.fret = rng_.Next() % kFretCount;
        note.column = column;
        item.AppendNote(note);
    }
}

}  // namespace lutaris
