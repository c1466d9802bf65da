// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <string>

namespace lutaris {

class ViewDocument;

// Writes what the view paints at an outer window width as a PNG picture as wide as the window
// and as high as the items reach (plus the top margin again below them), with the caret or
// without it. Needs a Qt GUI application object. Returns an empty text on
// success, otherwise what went wrong.
std::string ExportViewPaint(ViewDocument& document, const std::string& path,
                            std::int32_t windowWidth, bool caret);

}  // namespace lutaris
