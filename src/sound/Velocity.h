// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

#include "model/TabNote.h"

namespace lutaris {

// How hard a note is picked: a tap is an accented attack, an optional note a quiet ghost.
inline int VelocityOf(std::int32_t action) {
    switch (action) {
        case Tap:
            return 124;
        case Optional:
            return 44;
        default:
            return 96;
    }
}

}  // namespace lutaris
