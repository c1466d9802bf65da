// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/qt/QtFontCache.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <tuple>

#include "platform/qt/QtFaceResolver.h"

namespace lutaris {
namespace {

// Distinct texts are fret numbers and a few marks; a bound keeps hostile input from growing it.
constexpr std::size_t kMaxRememberedTexts = 4096;
// A view uses one or two fonts; many more means sizes that keep changing, not reuse.
constexpr std::size_t kMaxCachedFonts = 64;

using FontKey = std::tuple<std::string, std::int32_t, std::int32_t, bool, bool, bool>;

QFont MakeFont(const std::string& face, std::int32_t pixelSize, std::int32_t weight, bool italic,
               bool underline, bool strikeOut) {
    QFont font = face.empty() ? QGuiApplication::font() : QFont(QtFaceResolver::Family(face));
    font.setPixelSize(std::clamp(pixelSize, 1, kMaxFontPixelSize));
    if (weight > 0)
        font.setWeight(QFont::Weight(std::clamp(weight, 1, 1000)));
    else
        font.setWeight(QFont::Normal);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    return font;
}

}  // namespace

QtFontCacheEntry::QtFontCacheEntry(const QFont& font)
    : font_(font),
      metrics_(font),
      ascent_(metrics_.ascent()),
      descent_(metrics_.descent()),
      glyphTop_(metrics_.ascent() - QFontMetricsF(font).ascent()) {}

const QtLaidOutText& QtFontCacheEntry::LayOut(std::string_view text) const {
    std::string key(text);
    if (auto found = texts_.find(key); found != texts_.end()) return found->second;
    if (texts_.size() >= kMaxRememberedTexts) texts_.clear();
    QtLaidOutText laidOut;
    laidOut.text = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    laidOut.advance = metrics_.horizontalAdvance(laidOut.text);
    laidOut.glyphs.setText(laidOut.text);
    laidOut.glyphs.setTextFormat(Qt::PlainText);
    laidOut.glyphs.setPerformanceHint(QStaticText::AggressiveCaching);
    laidOut.glyphs.prepare(QTransform(), font_);
    return texts_.emplace(std::move(key), std::move(laidOut)).first->second;
}

std::shared_ptr<const QtFontCacheEntry> QtFontCache::Lookup(const LogicalFont& font,
                                                            std::int32_t deviceHeight) {
    static std::map<FontKey, std::shared_ptr<const QtFontCacheEntry>> cache;
    const FontKey key{font.faceName, deviceHeight,   font.weight,
                      font.italic,   font.underline, font.strikeOut};
    if (auto found = cache.find(key); found != cache.end()) return found->second;
    if (cache.size() >= kMaxCachedFonts) cache.clear();

    std::int32_t pixelSize = kDefaultFontPixelSize;
    if (deviceHeight < 0) {
        pixelSize = deviceHeight == INT32_MIN ? kMaxFontPixelSize : -deviceHeight;
    } else if (deviceHeight > 0) {
        // A positive height asks for the cell (ascent + descent): scale the em to fit it.
        const QFont probe = MakeFont(font.faceName, std::min(deviceHeight, kMaxFontPixelSize),
                                     font.weight, font.italic, font.underline, font.strikeOut);
        const QFontMetrics metrics(probe);
        const std::int32_t cell = std::max(1, metrics.ascent() + metrics.descent());
        const std::int64_t scaled =
            (std::int64_t{std::min(deviceHeight, kMaxFontPixelSize)} * probe.pixelSize() +
             cell / 2) /
            cell;
        pixelSize = static_cast<std::int32_t>(std::max<std::int64_t>(1, scaled));
    }
    auto entry = std::make_shared<const QtFontCacheEntry>(MakeFont(
        font.faceName, pixelSize, font.weight, font.italic, font.underline, font.strikeOut));
    cache.emplace(key, entry);
    return entry;
}

}  // namespace lutaris
