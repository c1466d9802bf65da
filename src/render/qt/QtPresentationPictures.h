// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QImage>

#include "render/PresentationPictures.h"

namespace lutaris {

// The presentation's pictures with a PNG bitmap after the SVG: image editors and most word
// processors paste a bitmap, and the bitmap is drawn with the same painter as the screen. Needs
// a Qt GUI application object.
class QtPresentationPictures : public PresentationPictures {
public:
    std::vector<ClipboardFormat> Pictures(ViewDocument& document) override;

    // The presentation on white at PresentationPicture::kDpi; a null image for a document
    // without tab items or a picture too large to allocate.
    static QImage Image(ViewDocument& document);
    // The same scaled to fill `size` pixels, as a container draws it into the rectangle it
    // chose; a null image for a document without tab items or a picture too large to allocate.
    static QImage Image(ViewDocument& document, QSize size);
};

}  // namespace lutaris
