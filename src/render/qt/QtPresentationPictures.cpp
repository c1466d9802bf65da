// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "render/qt/QtPresentationPictures.h"

#include <QPainter>

#include "platform/clipboard/ClipboardFormatNames.h"
#include "platform/qt/PngEncoding.h"
#include "platform/qt/QtSurface.h"
#include "render/CCorvaneSrvrItem.h"
#include "render/PresentationPicture.h"
#include "render/ScreenResolution.h"
#include "render/ViewDocument.h"

namespace lutaris {

QImage QtPresentationPictures::Image(ViewDocument& document) {
    const auto geometry = PresentationPicture::GeometryOf(document);
    if (!geometry) return {};
    return Image(document, QSize(geometry->pixels.width, geometry->pixels.height));
}

QImage QtPresentationPictures::Image(ViewDocument& document, QSize size) {
    if (document.tabItems.empty() || size.isEmpty()) return {};
    if (PresentationPicture::HasTooManyElements(document)) return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    const int dotsPerMeter = static_cast<int>(PresentationPicture::kDpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    {
        QPainter painter(&image);
        const ScreenResolution screen = GetScreenResolution();
        QtSurface surface(painter, image.rect(), screen.dpiX, screen.dpiY);
        LayoutSize drawn;
        CCorvaneSrvrItem(document).OnDraw(surface, drawn);
    }
    return image;
}

std::vector<ClipboardFormat> QtPresentationPictures::Pictures(ViewDocument& document) {
    std::vector<ClipboardFormat> pictures = PresentationPictures::Pictures(document);
    const QImage image = Image(document);
    if (image.isNull()) return pictures;
    const QByteArray png = EncodePng(image);
    if (!png.isEmpty())
        pictures.push_back({kPngFormat, std::vector<std::uint8_t>(png.begin(), png.end())});
    return pictures;
}

}  // namespace lutaris
