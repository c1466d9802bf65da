// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstddef>
#include <optional>

#include "document/CCorvaneDoc.h"
#include "platform/qt/QtSurface.h"
#include "render/ScrollSizes.h"
#include "render/ViewPainter.h"
#include "render/ViewRepaintArea.h"
#include "support/EditorViewport.h"

namespace lutaris::bench {

// What the editor's view does when the document says it changed: the scroll range, then a
// repaint request for what changed (the edited item and the caret, or everything), which
// accumulates until the paint as the window system's update region does.
class BenchView : public DocumentObserver {
public:
    explicit BenchView(CCorvaneDoc& document) : document_(document) { document_.AddView(this); }
    ~BenchView() override { document_.RemoveView(this); }

    void OnDocumentUpdated() override {
        UpdateScrollSizes();
        RequestRepaint();
    }

    void RequestRepaint() {
        const std::optional<LayoutRect> area = repaintArea_.Changed(document_, kOuterWidth);
        if (!area) {
            everything_ = true;
        } else {
            Extend(pending_, *area);
        }
    }

    void RequestEverything() { everything_ = true; }

    void UpdateScrollSizes() {
        sizes_ = ComputeScrollSizes(document_, kOuterWidth, kBorderWidth, kScrollBarWidth);
    }

    // The paint event: the requested area of the viewport at the scroll position erased and
    // painted (clipped to it), then the scroll range.
    std::size_t Paint(QImage& image, LayoutPoint scroll) {
        const LayoutRect viewport{scroll.x, scroll.y, scroll.x + kViewportWidth - 1,
                                  scroll.y + kViewportHeight - 1};
        std::optional<LayoutRect> exposed;
        if (!everything_ && pending_) {
            const LayoutRect area{std::max(pending_->left, viewport.left),
                                  std::max(pending_->top, viewport.top),
                                  std::min(pending_->right, viewport.right),
                                  std::min(pending_->bottom, viewport.bottom)};
            if (area.left <= area.right && area.top <= area.bottom && !(area == viewport))
                exposed = area;
        }
        everything_ = false;
        pending_.reset();
        const LayoutRect painted = exposed.value_or(viewport);
        const QRect client(painted.left - scroll.x, painted.top - scroll.y,
                           painted.right - painted.left + 1, painted.bottom - painted.top + 1);
        std::size_t drawn = 0;
        {
            QPainter painter(&image);
            painter.fillRect(client, Qt::white);
            painter.setClipRect(client);
            painter.translate(-scroll.x, -scroll.y);
            QtSurface surface(painter);
            ViewPaintState state;
            state.windowWidth = kOuterWidth;
            state.exposed = painted;
            drawn = ViewPainter::Paint(document_, surface, state);
        }
        repaintArea_.Painted(document_, exposed);
        if (exposed) ++partialPaints_;
        UpdateScrollSizes();
        return drawn;
    }

    bool RepaintRequested() const { return everything_ || pending_.has_value(); }
    const ScrollSizes& Sizes() const { return sizes_; }
    std::size_t PartialPaints() const { return partialPaints_; }

private:
    CCorvaneDoc& document_;
    ScrollSizes sizes_;
    ViewRepaintArea repaintArea_;
    std::optional<LayoutRect> pending_;
    bool everything_ = true;
    std::size_t partialPaints_ = 0;
};

}  // namespace lutaris::bench
