#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/Surface.h"

namespace lutaris {

// One resolved font with the metrics that text placement needs. Widths of the short texts the
// renderer draws (fret numbers and marks) are remembered, so a repaint full of notes measures
// each distinct text once.
class QtFontCacheEntry {
public:
    explicit QtFontCacheEntry(const QFont& font);

    const QFont& Font() const { return font_; }
    std::int32_t Ascent() const { return ascent_; }
    std::int32_t Descent() const { return descent_; }
    std::int32_t Advance(std::string_view text, const QString& converted) const;

private:
    QFont font_;
    QFontMetrics metrics_;
    std::int32_t ascent_;
    std::int32_t descent_;
    mutable std::unordered_map<std::string, std::int32_t> advances_;
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
