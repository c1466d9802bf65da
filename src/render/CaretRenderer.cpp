#include "render/CaretRenderer.h"

#include <algorithm>
#include <limits>

#include "edit/TabCursor.h"
#include "platform/Surface.h"

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
        const LayoutPoint origin = cursor.tabItem->GetLastOrigin();
        const std::int64_t x = std::int64_t{origin.x} + (std::int64_t{cursor.current.column} + 1) *
                                                            settings.horizontalSpacing;
        const std::int64_t y = std::int64_t{origin.y} +
                               std::int64_t{cursor.current.string} * settings.verticalSpacing +
                               settings.nextLineSpacing / 2 - settings.textFloat;
        surface.SetBkMode(BackgroundMode::Opaque);
        constexpr std::int64_t kLow = std::numeric_limits<std::int32_t>::min();
        constexpr std::int64_t kHigh = std::numeric_limits<std::int32_t>::max();
        surface.TextOut(static_cast<std::int32_t>(std::clamp(x, kLow, kHigh)),
                        static_cast<std::int32_t>(std::clamp(y, kLow, kHigh)),
                        CaretText(cursor.current));
    }

    surface.SetTextColor(previousColor);
    surface.SelectFont(previousFont);
}

}  // namespace lutaris
