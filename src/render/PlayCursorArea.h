// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <optional>

#include "render/LayoutRect.h"

namespace lutaris {

class Tablature;
class ViewDocument;

// The play cursor's marker: the sounding column's text cells over the whole height of its
// item, where the view's layout puts the item now. `item` is only compared, never read, until
// it is found among the document's items (playback may name one that was deleted since):
// first at `position`, where it stood when it was queued, then anywhere. Nothing for an item
// that is gone.
std::optional<LayoutRect> PlayCursorArea(const ViewDocument& document, const Tablature* item,
                                         std::int32_t position, std::int32_t column);

}  // namespace lutaris
