// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "render/TabRenderer.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "model/ItemGeometry.h"
#include "platform/runtime/Int32Math.h"
#include "platform/runtime/MulDiv.h"
#include "platform/surface/Surface.h"
#include "render/ScreenResolution.h"

namespace lutaris {
namespace {

// Device sums that stay in range whatever the settings.
std::int32_t Add(std::int32_t a, std::int32_t b) { return ClampToInt32(std::int64_t{a} + b); }

// Layout values to device values. Every coordinate is formed in exactly one of three ways,
// and the choice matters when the ratio is not 1: from a layout value, D(v) = trunc(scale × v ×
// r); or from a device value Z already computed, Z ⊕ v = trunc(Z + scale × v × r) and Z ⊖ v.
// The ratio is kept in single precision as the resolution ratio always was; the products are
// taken in double so that large HIMETRIC coordinates keep every unit.
class DeviceScale {
public:
    DeviceScale(std::int32_t scale, float ratio) : scale_(scale), ratio_(ratio) {}

    std::int32_t D(std::int64_t v) const { return TruncateToInt32(Product(v)); }
    std::int32_t Plus(std::int32_t z, std::int64_t v) const {
        return TruncateToInt32(static_cast<double>(z) + Product(v));
    }
    std::int32_t Minus(std::int32_t z, std::int64_t v) const {
        return TruncateToInt32(static_cast<double>(z) - Product(v));
    }
    float Ratio() const { return ratio_; }

private:
    double Product(std::int64_t v) const {
        // In double from the start: a hostile document's sums of settings reach far past
        // what the 64-bit product can hold, and every real one stays exact (below 2^53).
        return static_cast<double>(scale_) * static_cast<double>(v) * static_cast<double>(ratio_);
    }

    std::int64_t scale_;
    float ratio_;
};

LogicalFont FretFont(std::int32_t height) {
    LogicalFont font;
    font.height = height;
    font.outPrecision = 4;       // TrueType preferred
    font.clipPrecision = 0;      // default clipping
    font.quality = 2;            // proof
    font.pitchAndFamily = 0x22;  // variable pitch, Swiss family
    font.faceName = "Courier";
    return font;
}

std::string NumberText(const TabNote& note) {
    return note.fret == BlankFret ? std::string(" ") : std::to_string(note.fret);
}

std::string ShownText(const TabNote& note, const std::string& number) {
    switch (note.action) {
        case Mute:
            return "X";
        case Vibrato:
            return number + "~";
        case Tap:
            return number + "T";
        case Harmonic:
            return "<" + number + ">";
        case Optional:
            return "(" + number + ")";
        default:
            return number;
    }
}

void DrawNote(const TabNote& note, Surface& surface, const DeviceScale& device, LayoutPoint origin,
              const TabSettings& settings) {
    const std::int64_t hs = settings.horizontalSpacing;
    const std::int64_t vs = settings.verticalSpacing;
    const ItemGeometry geometry(settings);
    const std::int32_t x = device.D(origin.x + geometry.CellLeft(note.column));
    const std::int32_t y = device.D(origin.y + geometry.CellTop(note.string));
    const std::string number = NumberText(note);
    // Six layout units stand for the width of one character.
    const std::int32_t w = device.D(6 * static_cast<std::int64_t>(number.size()));
    const std::int32_t m = device.D(6);

    surface.TextOut(x, y, ShownText(note, number));
    switch (note.action) {
        case SlideUp:
            surface.MoveTo(Add(x, w), device.Plus(y, vs));
            surface.LineTo(device.Plus(x, hs), y);
            break;
        case SlideDown:
            surface.MoveTo(Add(x, w), y);
            surface.LineTo(device.Plus(x, hs), device.Plus(y, vs));
            break;
        case BendUp:
            surface.Arc(device.Minus(x, hs), device.Minus(y, vs), device.Plus(x, hs),
                        device.Plus(y, vs), Add(x, w), device.Plus(y, vs), device.Plus(x, hs), y);
            break;
        case BendRelease:
            surface.Arc(device.Minus(x, hs), y, device.Plus(x, hs), device.Plus(y, 2 * vs),
                        device.Plus(x, hs), device.Plus(y, vs), Add(x, w), y);
            break;
        case HammerOn:
        case PullOff:
            surface.Arc(Add(x, m), device.Minus(y, vs / 2), device.Plus(x, hs),
                        device.Plus(y, vs / 2), device.Plus(x, hs), y, Add(x, m), y);
            break;
        default:
            break;
    }
}

}  // namespace

void TabRenderer::SetPresentationScale(Tablature& item, bool embedded) {
    if (!embedded) {
        item.scale = 1;
        return;
    }
    // HIMETRIC per screen pixel, the way the framework converts a size of 100 pixels.
    item.scale = PixelsToHimetric(100, GetScreenResolution().dpiX) / 100;
}

void TabRenderer::Draw(Tablature& item, Surface& surface, LayoutPoint origin, LayoutSize extent,
                       bool highlighted) {
    const TabSettings& settings = *item.settings;
    // The reference is the screen's resolution, never the first surface drawn on: a print made
    // before the first screen paint must come out as large as every other print.
    const float ratio =
        static_cast<float>(surface.LogPixelsY()) / static_cast<float>(GetScreenResolution().dpiY);
    const DeviceScale device(item.scale, ratio);
    const std::int64_t vs = settings.verticalSpacing;
    const ItemGeometry geometry(settings);

    const std::int32_t fontHeight =
        TruncateToInt32(-static_cast<double>(std::int64_t{item.scale} * vs) * ratio);
    const LogicalFont previousFont = surface.SelectFont(FretFont(fontHeight));
    const std::int32_t penWidth = TruncateToInt32(ratio);
    const Pen pen{PenStyle::Solid, penWidth, highlighted ? kRed : kBlack};
    const Pen previousPen = surface.SelectPen(pen);

    // The first string's line is the top edge of the first rectangle, the second's its bottom
    // edge, which the surface leaves out: hence one more.
    const std::int32_t left = device.D(origin.x);
    const std::int32_t right = device.D(std::int64_t{origin.x} + extent.width);
    std::int32_t top = device.D(origin.y + geometry.StringLine(0));
    std::int32_t bottom = device.D(origin.y + geometry.StringLine(1) + 1);
    // A damaged document can ask for billions of strings: once the rectangles have left what
    // the surface can show, or stop moving, the rest would change no pixel.
    const SurfaceBox clip = surface.GetClipBox();
    const std::int64_t margin = std::int64_t{penWidth} + 1;
    for (std::int32_t i = 1; i < settings.numberOfStrings; ++i) {
        surface.Rectangle(left, top, right, bottom);
        const std::int32_t nextTop = device.Plus(top, vs);
        const std::int32_t nextBottom = device.Plus(bottom, vs);
        if (nextTop == top && nextBottom == bottom) break;
        const bool downwards = nextTop > top;
        if (downwards && std::min(nextTop, nextBottom) > clip.bottom + margin) break;
        if (!downwards && std::max(nextTop, nextBottom) < clip.top - margin) break;
        top = nextTop;
        bottom = nextBottom;
    }

    surface.SetBkMode(settings.textOpaque != 0 ? BackgroundMode::Opaque
                                               : BackgroundMode::Transparent);
    for (const TabNote& note : item.notes) DrawNote(note, surface, device, origin, settings);

    surface.SelectPen(previousPen);
    surface.SelectFont(previousFont);
}

LayoutRect TabRenderer::InkBounds(const Tablature& item, LayoutPoint origin, LayoutSize extent) {
    return PlaceInk(InkAroundOrigin(item, extent), origin);
}

namespace {

// The columns and strings the notes of an item span; empty when it has none.
struct NoteRanges {
    bool empty = true;
    std::int32_t minColumn = 0, maxColumn = 0, minString = 0, maxString = 0;

    void Add(const TabNote& note) {
        if (empty) {
            minColumn = maxColumn = note.column;
            minString = maxString = note.string;
            empty = false;
            return;
        }
        minColumn = std::min(minColumn, note.column);
        maxColumn = std::max(maxColumn, note.column);
        minString = std::min(minString, note.string);
        maxString = std::max(maxString, note.string);
    }
};

NoteRanges RangesOf(const Tablature& item) {
    NoteRanges ranges;
    for (const TabNote& note : item.notes) ranges.Add(note);
    return ranges;
}

TabRenderer::InkBox InkFor(const TabSettings& settings, const NoteRanges& notes,
                           LayoutSize extent) {
    const std::int64_t hs = std::abs(std::int64_t{settings.horizontalSpacing});
    const std::int64_t vs = std::abs(std::int64_t{settings.verticalSpacing});
    const ItemGeometry geometry(settings);
    const std::int64_t staffTop = geometry.StringLine(0);
    const std::int64_t staffBottom = geometry.StringLine(settings.numberOfStrings - 1LL) + 1;
    TabRenderer::InkBox ink;
    ink.left = std::min<std::int64_t>(0, extent.width);
    ink.right = std::max<std::int64_t>(0, extent.width);
    ink.top = std::min(staffTop, staffBottom);
    ink.bottom = std::max(staffTop, staffBottom);

    if (!notes.empty) {
        // Text top-left corners of the notes, then room for the longest text ("<-2147483648>",
        // thirteen characters of at most one em each, the em being verticalSpacing), its cell
        // (under two ems high) and the marks (at most two string spacings away, one column
        // spacing to either side). Both corners move in a straight line with the column and the
        // string, so the extreme notes give the extreme corners.
        const auto x = [&](std::int32_t column) { return geometry.CellLeft(column); };
        const auto y = [&](std::int32_t string) { return geometry.CellTop(string); };
        const std::int64_t minX = std::min(x(notes.minColumn), x(notes.maxColumn));
        const std::int64_t maxX = std::max(x(notes.minColumn), x(notes.maxColumn));
        const std::int64_t minY = std::min(y(notes.minString), y(notes.maxString));
        const std::int64_t maxY = std::max(y(notes.minString), y(notes.maxString));
        const std::int64_t em = std::max<std::int64_t>(vs, 1);
        ink.left = std::min(ink.left, minX - hs - 1);
        ink.right = std::max(ink.right, maxX + std::max(hs, 13 * em) + 1);
        ink.top = std::min(ink.top, minY - 2 * vs - 1);
        ink.bottom = std::max(ink.bottom, maxY + 2 * vs + 2 * em + 1);
    }
    return ink;
}

}  // namespace

TabRenderer::InkBox TabRenderer::InkAroundOrigin(const Tablature& item, LayoutSize extent) {
    return InkFor(*item.settings, RangesOf(item), extent);
}

TabRenderer::Measurement TabRenderer::Measure(const Tablature& item) {
    const NoteRanges ranges = RangesOf(item);
    const LayoutSize extent = item.ExtentForMaxColumn(ranges.empty ? -1 : ranges.maxColumn);
    return {extent, InkFor(*item.settings, ranges, extent)};
}

LayoutRect TabRenderer::PlaceInk(const InkBox& ink, LayoutPoint origin) {
    return {ClampToInt32(origin.x + ink.left), ClampToInt32(origin.y + ink.top),
            ClampToInt32(origin.x + ink.right), ClampToInt32(origin.y + ink.bottom)};
}

}  // namespace lutaris
