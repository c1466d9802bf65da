#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/Tablature.h"

namespace lutaris {

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

    struct Geometry {
        LayoutSize extent;  // HIMETRIC
        LayoutSize pixels;  // at kDpi, each side 1 … kMaxPixels
    };

    // Nothing for a document without tab items.
    static std::optional<Geometry> GeometryOf(ViewDocument& document);
    // The complete SVG document; nothing for a document without tab items.
    static std::optional<std::string> Svg(ViewDocument& document);
};

}  // namespace lutaris
