// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lutaris {

// An RGB colour as the drawing code names it (RGB(255, 0, 0) is pure red).
struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Color&) const = default;
};

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kRed{255, 0, 0};

// A logical font description. A negative height asks for a character (em) height of |height|
// pixels, a positive one for a cell height (ascent + descent), 0 for the surface's default size.
// The numeric fields keep the drawing code's own values (output precision 4 is "TrueType
// preferred", pitch and family 0x22 "variable pitch, Swiss"); surfaces use what they can.
struct LogicalFont {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;  // 0: don't care (normal), 700: bold
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::string faceName;
    bool operator==(const LogicalFont&) const = default;
};

// The pixel size a font of height 0 gets on a pixel surface.
inline constexpr std::int32_t kDefaultFontPixelSize = 12;
// The largest pixel size a pixel surface asks for: far beyond any legitimate text (a 1200-dpi
// print of large spacings stays well below), while damaged settings cannot ask the font engine
// for glyphs of absurd size.
inline constexpr std::int32_t kMaxFontPixelSize = 4096;

enum class PenStyle { Solid, Dot };

// A pen as a value: selecting one is all it takes to draw with it, and the previous value that
// Select hands back restores the surface. Width 0 and 1 both mean the thinnest line.
struct Pen {
    PenStyle style = PenStyle::Solid;
    std::int32_t width = 1;
    Color color = kBlack;
    bool operator==(const Pen&) const = default;
};

enum class BackgroundMode { Transparent = 1, Opaque = 2 };

// A box in logical units, edges included.
struct SurfaceBox {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const SurfaceBox&) const = default;
};

// The box of a surface whose drawing reaches everywhere.
inline constexpr SurfaceBox kUnboundedBox{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};

// A drawing surface with the device-context rules the renderer was written for: coordinates are
// logical units mapped to device pixels (one to one until SetWindowExtent), rectangles exclude
// their right and bottom edges, arcs run counter-clockwise from the ray through the start point
// to the ray through the end point, a line does not paint its end point, text is placed by the
// top-left corner of its cell and opaque text fills that cell with the background colour.
//
// A fresh surface holds a black 1-pixel pen, a white brush, black text on a white background in
// opaque mode and the surface's default font.
class Surface {
public:
    virtual ~Surface() = default;

    // Dots per inch of the attribute context: what fonts and the resolution ratio are sized by.
    virtual std::int32_t LogPixelsX() const = 0;
    virtual std::int32_t LogPixelsY() const = 0;

    // Each Select returns the previous value, so that selecting it again restores the surface.
    virtual LogicalFont SelectFont(const LogicalFont& font) = 0;
    virtual Pen SelectPen(const Pen& pen) = 0;

    virtual BackgroundMode GetBkMode() const = 0;
    virtual BackgroundMode SetBkMode(BackgroundMode mode) = 0;
    virtual Color GetTextColor() const = 0;
    virtual Color SetTextColor(Color color) = 0;

    // Anisotropic mapping with the window origin at (0, 0): from here on the logical box
    // (0, 0)–(cx, cy) covers the surface's viewport. The embedded presentation draws in HIMETRIC
    // this way; everything else keeps the one-to-one mapping.
    virtual void SetWindowExtent(std::int32_t cx, std::int32_t cy) = 0;

    // The logical box that drawing can reach at all (the device's area and any clipping), so
    // that a caller can skip what would land outside. Never smaller than what can be seen.
    virtual SurfaceBox GetClipBox() const = 0;

    virtual void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                           std::int32_t bottom) = 0;
    virtual void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                     std::int32_t startX, std::int32_t startY, std::int32_t endX,
                     std::int32_t endY) = 0;
    virtual void MoveTo(std::int32_t x, std::int32_t y) = 0;
    virtual void LineTo(std::int32_t x, std::int32_t y) = 0;
    virtual void TextOut(std::int32_t x, std::int32_t y, std::string_view text) = 0;
};

}  // namespace lutaris
