// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <string>

namespace lutaris {

class ViewDocument;

// Writes a document's embedded presentation as a picture of the physical size of its HIMETRIC
// extent: SVG, PNG (96 dots per inch) or PDF, chosen by the file name's extension. The picture
// is drawn as a container would record it, against the screen's resolution, and scaled onto
// the page. PNG and PDF need a Qt GUI application object. Returns an empty text on success,
// otherwise what went wrong.
std::string ExportPresentation(ViewDocument& document, const std::string& path);

}  // namespace lutaris
