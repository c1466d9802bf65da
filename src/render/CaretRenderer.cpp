// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "render/CaretRenderer.h"

#include <limits>

#include "model/ItemGeometry.h"
#include "model/TabCursor.h"
#include "platform/runtime/Int32Math.h"
#include "platform/surface/Surface.h"

namespace lutaris {

std::string CaretText(const TabNote& current) {
    if (current.fret == BlankFret) return "?";
    switch (current.action) {
        case Mute:
            return "X";
        case Harmonic:
            return "<" + std::to_string(current.fret) + ">";
        case Optional:
            return "(" + std::to_string(current.fret) + ")";
        case NoNote:
            return "?";
        default:
            return std::to_string(current.fret);
    }
}

LayoutPoint CaretCorner(const TabCursor& cursor) {
    return ItemGeometry(*cursor.settings)
        .CellCorner(cursor.tabItem->GetLastOrigin(), cursor.current.column, cursor.current.string);
}

void DrawCaret(const TabCursor& cursor, Surface& surface) {
    const TabSettings& settings = *cursor.settings;
    LogicalFont font;
    font.height = settings.verticalSpacing == std::numeric_limits<std::int32_t>::min()
                      ? std::numeric_limits<std::int32_t>::max()
                      : -settings.verticalSpacing;
    font.outPrecision = 4;       // TrueType preferred
    font.clipPrecision = 0;      // default clipping
    font.quality = 2;            // proof
    font.pitchAndFamily = 0x22;  // variable pitch, Swiss family
    font.faceName = "Courier";
    const LogicalFont previousFont = surface.SelectFont(font);
    const Color previousColor = surface.SetTextColor(kRed);

    if (cursor.tabItem != nullptr) {
        const LayoutPoint corner = CaretCorner(cursor);
        surface.SetBkMode(BackgroundMode::Opaque);
        surface.TextOut(corner.x, corner.y, CaretText(cursor.current));
    }

    surface.SetTextColor(previousColor);
    surface.SelectFont(previousFont);
}

std::optional<LayoutRect> CaretInkBounds(const TabCursor& cursor) {
    if (cursor.tabItem == nullptr) return std::nullopt;
    // Beyond these sizes the font may not be what the bound assumes (a substitute for a
    // microscopic or gigantic height); the caller then repaints everything.
    constexpr std::int64_t kSmallestEm = 4, kLargestEm = 1000;
    const std::int64_t em = cursor.settings->verticalSpacing;
    if (em < kSmallestEm || em > kLargestEm) return std::nullopt;
    const LayoutPoint corner = CaretCorner(cursor);
    const auto characters = static_cast<std::int64_t>(CaretText(cursor.current).size());
    return LayoutRect{ClampToInt32(corner.x - 2 * em), ClampToInt32(corner.y - 2 * em),
                      ClampToInt32(corner.x + 2 * em * (characters + 1)),
                      ClampToInt32(corner.y + 4 * em)};
}

}  // namespace lutaris
