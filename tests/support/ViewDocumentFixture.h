// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/surface/RecordingSurface.h"
#include "render/ViewDocument.h"
#include "support/TabDocumentFixture.h"

namespace lutaris::test {

// The document as its view sees it, for the rendering layer's tests.
using ViewDocumentTest = DocumentTestOn<ViewDocument>;

// The left edge of each drawn item's first string rectangle, in drawing order: where a paint
// put the items along their rows.
inline std::vector<std::int32_t> ItemLefts(const RecordingSurface& surface) {
    std::vector<std::int32_t> lefts;
    const auto rectangles = surface.Calls(RecordedCall::Kind::Rectangle);
    for (std::size_t i = 0; i < rectangles.size(); i += 5) lefts.push_back(rectangles[i].args[0]);
    return lefts;
}

}  // namespace lutaris::test
