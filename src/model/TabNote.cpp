// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "model/TabNote.h"

#include "platform/files/Archive.h"

namespace lutaris {

void TabNote::Serialize(Archive& archive) {
    archive.Int32(fret);
    archive.Int32(string);
    archive.Int32(column);
    // The last two words are raw blocks in the file: a note cut short inside them loads with
    // the missing bytes zero instead of failing.
    if (archive.IsLoading()) {
        std::uint8_t tail[8] = {};
        archive.ReadRaw(tail, sizeof tail);
        auto word = [&](int offset) {
            return static_cast<std::int32_t>(
                std::uint32_t{tail[offset]} | (std::uint32_t{tail[offset + 1]} << 8) |
                (std::uint32_t{tail[offset + 2]} << 16) | (std::uint32_t{tail[offset + 3]} << 24));
        };
        reserved = word(0);
        action = word(4);
    } else {
        archive.WriteInt32(reserved);
        archive.WriteInt32(action);
    }
}

}  // namespace lutaris
