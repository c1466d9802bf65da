// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "edit/CaretPlace.h"

#include "model/TabCursor.h"
#include "model/TabDocument.h"

namespace lutaris {

CaretPlace CaretPlace::Of(const TabDocument& document) {
    CaretPlace place;
    place.contents = document.ContentsGeneration();
    const TabCursor* cursor = document.cursor.get();
    if (cursor == nullptr) return place;
    place.item = cursor->tabItem;
    if (place.item != nullptr) place.position = place.item->position;
    place.string = cursor->current.string;
    place.column = cursor->current.column;
    return place;
}

}  // namespace lutaris
