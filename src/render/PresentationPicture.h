// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/Tablature.h"

namespace lutaris {

class TabDocument;
class ViewDocument;

// The embedded presentation as a picture of the physical size of its HIMETRIC extent, at
// kDpi pixels per inch, drawn as a container records it: against the screen's resolution and
// scaled onto the picture. Picture files and the pictures Copy offers are the same.
class PresentationPicture {
public:
    static constexpr std::int32_t kDpi = 96;
    // A presentation is one row of items; past this many pixels a picture is no longer a
    // picture but a memory problem.
    static constexpr std::int32_t kMaxPixels = 32767;

    // A picture of more elements (a string line or a note each) is not drawn. The picture
    // squeezes the whole extent into its pixels, so no line falls outside it and each costs a
    // drawing call: a damaged document can ask for billions of string lines, and a real one
    // of a few thousand items has far fewer.
    static constexpr std::int64_t kMaxElements = 100'000;

    struct Geometry {
        LayoutSize extent;  // HIMETRIC
        LayoutSize pixels;  // at kDpi, each side 1 … kMaxPixels
    };

    static bool HasTooManyElements(const TabDocument& document);
    // Nothing for a document without tab items.
    static std::optional<Geometry> GeometryOf(ViewDocument& document);
    // The complete SVG document; nothing for a document without tab items or with too many
    // elements.
    static std::optional<std::string> Svg(ViewDocument& document);
};

}  // namespace lutaris
