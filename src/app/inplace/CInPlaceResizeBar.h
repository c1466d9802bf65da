// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QRect>
#include <QWidget>
#include <optional>

namespace lutaris {

// The hatched border with its eight handles that the in-place frame puts around the object.
// Dragging a handle asks for a new rectangle (in the container's site coordinates); the bar
// never resizes anything itself: the container answers with the object's new rectangle.
class CInPlaceResizeBar : public QWidget {
    Q_OBJECT
public:
    // The border's width, handles included; the view sits inside it.
    static constexpr int kBorder = 6;
    // The smallest object (border included) a drag asks for.
    static constexpr int kMinimumSide = 4 * kBorder;

    explicit CInPlaceResizeBar(QWidget* frame);

    // Where the frame stands in the site: the drag's rectangles start from it.
    void SetFrameRect(const QRect& rect) { frameRect_ = rect; }

    // The handle under a point of the bar (0..7, clockwise from the top left), or nothing.
    std::optional<int> HandleAt(const QPoint& point) const;
    // The rectangle that dragging `handle` by `delta` asks for.
    QRect Dragged(int handle, const QPoint& delta) const;

signals:
    void RequestRect(const QRect& rect);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect HandleRect(int handle) const;

    QRect frameRect_;
    std::optional<int> dragged_;
    QPoint dragStart_;
};

}  // namespace lutaris
