// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QStaticText>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/surface/Surface.h"

namespace lutaris {

// A text laid out once in one font: its width and its glyphs, ready to draw.
struct QtLaidOutText {
    QString text;
    std::int32_t advance = 0;
    QStaticText glyphs;
};

// One resolved font with the metrics that text placement needs. The short texts the renderer
// draws (fret numbers and marks) are laid out once and remembered: laying text out is most of
// the cost of a repaint full of notes.
class QtFontCacheEntry {
public:
    explicit QtFontCacheEntry(const QFont& font);

    const QFont& Font() const { return font_; }
    std::int32_t Ascent() const { return ascent_; }
    std::int32_t Descent() const { return descent_; }
    // Where the laid-out glyphs go for a cell whose top is 0: Qt places them by the font's
    // fractional ascent, the cell's baseline lies at the whole one.
    double GlyphTop() const { return glyphTop_; }
    // Valid until the next call.
    const QtLaidOutText& LayOut(std::string_view text) const;

private:
    QFont font_;
    QFontMetrics metrics_;
    std::int32_t ascent_;
    std::int32_t descent_;
    double glyphTop_;
    mutable std::unordered_map<std::string, QtLaidOutText> texts_;
};

// Process-wide: every paint creates its surface afresh, and looking fonts up through
// fontconfig on each paint would cost more than the drawing itself.
class QtFontCache {
public:
    // The font for a logical description whose height the caller already mapped to device
    // pixels (negative: em height; positive: cell height; 0: default).
    // Shared, so that a surface keeps its font alive while the cache forgets old entries.
    static std::shared_ptr<const QtFontCacheEntry> Lookup(const LogicalFont& font,
                                                          std::int32_t deviceHeight);
};

}  // namespace lutaris
