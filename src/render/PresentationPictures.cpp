// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "render/PresentationPictures.h"

#include "platform/clipboard/ClipboardFormatNames.h"
#include "render/PresentationPicture.h"

namespace lutaris {

std::vector<ClipboardFormat> PresentationPictures::Pictures(ViewDocument& document) {
    std::vector<ClipboardFormat> pictures;
    if (const auto svg = PresentationPicture::Svg(document)) {
        pictures.push_back({kSvgFormat, std::vector<std::uint8_t>(svg->begin(), svg->end())});
    }
    return pictures;
}

}  // namespace lutaris
