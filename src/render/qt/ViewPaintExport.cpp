// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "render/qt/ViewPaintExport.h"

#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>

#include "platform/surface/RecordingSurface.h"
#include "platform/qt/QtSurface.h"
#include "render/ScreenResolution.h"
#include "render/ScrollSizes.h"
#include "render/ViewDocument.h"
#include "render/ViewPainter.h"

namespace lutaris {
namespace {

// Past this height a picture of a long document is cut off rather than allocated.
constexpr std::int32_t kMaxPixels = 32767;

}  // namespace

std::string ExportViewPaint(ViewDocument& document, const std::string& path,
                            std::int32_t windowWidth, bool caret) {
    const ScreenResolution screen = GetScreenResolution();
    ViewPaintState state;
    state.windowWidth = windowWidth;
    state.printing = !caret;

    // A first paint that draws nothing lays the items out, so the picture's height is known.
    RecordingSurface layout(screen.dpiY, screen.dpiX);
    ViewPaintState layoutOnly = state;
    layoutOnly.exposed = LayoutRect{0, 0, -1, -1};
    ViewPainter::Paint(document, layout, layoutOnly);
    const std::int64_t contentHeight =
        ComputeScrollSizes(document.tabItems, windowWidth, 0, 0).total.height;
    const int height = static_cast<int>(
        std::clamp<std::int64_t>(contentHeight + document.settings->topMargin, 1, kMaxPixels));
    const int width = std::clamp(windowWidth, 1, kMaxPixels);

    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return "the picture is too large";
    image.fill(Qt::white);
    const int dotsPerMeter = static_cast<int>(screen.dpiX / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(static_cast<int>(screen.dpiY / 0.0254 + 0.5));
    {
        QPainter painter(&image);
        QtSurface surface(painter, image.rect(), screen.dpiX, screen.dpiY);
        ViewPainter::Paint(document, surface, state);
    }
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        return "cannot write " + path;
    }
    return {};
}

}  // namespace lutaris
