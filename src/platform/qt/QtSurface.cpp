// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/qt/QtSurface.h"

#include <QPaintDevice>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <optional>
#include <utility>

#include "platform/qt/QtFontCache.h"
#include "platform/surface/ArcGeometry.h"

namespace lutaris {
namespace {

QColor ToQColor(Color color) { return QColor(color.red, color.green, color.blue); }

std::int32_t DeviceDpi(const QPainter& painter, bool vertical) {
    const QPaintDevice* device = painter.device();
    if (device == nullptr) return 96;
    const int dpi = vertical ? device->logicalDpiY() : device->logicalDpiX();
    return dpi > 0 ? dpi : 96;
}

// Device pixels per logical unit of the painter's device: 1 on printers and plain pictures,
// more on a high-density screen (QT_SCALE_FACTOR, a scaled desktop) or a picture made for one.
double PixelRatio(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    if (device == nullptr || device->devType() == QInternal::Printer) return 1.0;
    return std::max(1.0, static_cast<double>(device->devicePixelRatio()));
}

// The device's area in its pixels, where the painter's combined transform ends. A widget
// measures itself in logical units, every other device in its pixels: taking a widget's size
// for pixels cut the area to half the window at a ratio of 2, and the renderer then stopped
// drawing string lines below the middle of the window.
QRectF DevicePixelArea(const QPaintDevice& device) {
    const double ratio = device.devType() == QInternal::Widget
                             ? std::max(1.0, static_cast<double>(device.devicePixelRatio()))
                             : 1.0;
    return QRectF(0, 0, device.width() * ratio, device.height() * ratio);
}

}  // namespace

QtSurface::QtSurface(QPainter& painter)
    : QtSurface(painter, QRect(), DeviceDpi(painter, false), DeviceDpi(painter, true)) {}

QtSurface::QtSurface(QPainter& painter, QRect viewport, std::int32_t dpiX, std::int32_t dpiY)
    : painter_(painter),
      mapping_(viewport.x(), viewport.y(), viewport.width(), viewport.height()),
      dpiX_(dpiX > 0 ? dpiX : 96),
      dpiY_(dpiY > 0 ? dpiY : 96),
      scaled_(PixelRatio(painter) != 1.0) {
    painter_.save();
    // The rules below are pixel rules: smoothing would smear every one-pixel line over two.
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setBrush(QBrush(ToQColor(kWhite)));
    painter_.setBackgroundMode(Qt::TransparentMode);
    linePen_ = MakeLinePen();
    fontEntry_ = QtFontCache::Lookup(font_, 0);
    painter_.setFont(fontEntry_->Font());
}

QtSurface::~QtSurface() { painter_.restore(); }

QPen QtSurface::MakeLinePen() const {
    QPen pen(ToQColor(pen_.color));
    // Widths 0 and 1 are the thinnest line on every device; wider pens are logical units. On a
    // device with more pixels than logical units the thinnest line is one logical unit wide, as
    // thick as the text beside it is scaled.
    const double thinnest = scaled_ ? 1.0 : 0.0;
    const double width = pen_.width <= 1 ? thinnest : std::max(1.0, pen_.width * mapping_.ScaleX());
    pen.setWidthF(width);
    pen.setCosmetic(pen_.width <= 1 && !scaled_);
    if (pen_.style == PenStyle::Dot) {
        pen.setStyle(Qt::CustomDashLine);
        pen.setDashPattern({1.0, 1.0});
    }
    // Scaled, a solid line's square ends reach the outer edges of its first and last units.
    pen.setCapStyle(scaled_ && pen_.style != PenStyle::Dot ? Qt::SquareCap : Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void QtSurface::UseLinePen() {
    if (painterPen_ == PainterPen::Line) return;
    painter_.setPen(linePen_);
    painterPen_ = PainterPen::Line;
}

void QtSurface::UseTextPen() {
    if (painterPen_ == PainterPen::Text) return;
    painter_.setPen(textPen_);
    painterPen_ = PainterPen::Text;
}

LogicalFont QtSurface::SelectFont(const LogicalFont& font) {
    LogicalFont previous = font_;
    font_ = font;
    const std::int32_t height =
        font.height < 0 ? -mapping_.LengthY(-font.height) : mapping_.LengthY(font.height);
    fontEntry_ = QtFontCache::Lookup(font_, height);
    painter_.setFont(fontEntry_->Font());
    return previous;
}

Pen QtSurface::SelectPen(const Pen& pen) {
    Pen previous = pen_;
    pen_ = pen;
    linePen_ = MakeLinePen();
    painterPen_ = PainterPen::Unknown;
    return previous;
}

BackgroundMode QtSurface::SetBkMode(BackgroundMode mode) { return std::exchange(bkMode_, mode); }

Color QtSurface::SetTextColor(Color color) {
    const Color previous = textColor_;
    textColor_ = color;
    textPen_ = QPen(ToQColor(color));
    if (painterPen_ == PainterPen::Text) painterPen_ = PainterPen::Unknown;
    return previous;
}

void QtSurface::SetWindowExtent(std::int32_t cx, std::int32_t cy) {
    mapping_.SetWindowExtent(cx, cy);
    linePen_ = MakeLinePen();
    painterPen_ = PainterPen::Unknown;
    SelectFont(font_);
}

SurfaceBox QtSurface::GetClipBox() const {
    const QPaintDevice* device = painter_.device();
    if (device == nullptr) return kUnboundedBox;
    // The device's area in the painter's coordinates (a view translates by its scroll
    // position), cut down to the painter's clipping, then through the window mapping.
    bool invertible = false;
    const QTransform toPainter = painter_.combinedTransform().inverted(&invertible);
    if (!invertible) return kUnboundedBox;
    QRectF area = toPainter.mapRect(DevicePixelArea(*device));
    if (painter_.hasClipping()) area &= painter_.clipBoundingRect();
    SurfaceBox box;
    mapping_.DeviceToLogical(area.left(), area.top(), area.right(), area.bottom(), box.left,
                             box.top, box.right, box.bottom);
    return box;
}

void QtSurface::Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                          std::int32_t bottom) {
    const std::optional<SurfaceBox> box = mapping_.DeviceBox(left, top, right, bottom);
    if (!box) return;
    const auto [l, t, r, b] = *box;
    UseLinePen();
    // Columns l … r − 1 and rows t … b − 1: Qt strokes a rectangle one pixel beyond its size.
    // A line a unit wide covers those columns and rows when it runs through their centres.
    const double centre = scaled_ ? 0.5 : 0.0;
    painter_.drawRect(QRectF(l + centre, t + centre, static_cast<double>(r) - l - 1,
                             static_cast<double>(b) - t - 1));
}

void QtSurface::Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                    std::int32_t startX, std::int32_t startY, std::int32_t endX,
                    std::int32_t endY) {
    const auto arc = mapping_.MapArc(left, top, right, bottom, startX, startY, endX, endY);
    if (!arc) return;
    const auto [l, t, r, b] = arc->box;
    const ArcSweep& sweep = arc->sweep;
    // The ellipse runs through the centres of the outermost columns and rows l … r − 1 and
    // t … b − 1.
    const QRectF box(l + 0.5, t + 0.5, static_cast<double>(r) - l - 1,
                     static_cast<double>(b) - t - 1);
    // The platform leaves the last pixel of the run unpainted, as it does with lines: end one
    // pixel's length of arc early.
    const double rx = box.width() / 2.0;
    const double ry = box.height() / 2.0;
    const double end = (sweep.startDegrees + sweep.spanDegrees) * std::numbers::pi / 180.0;
    const double speed = std::hypot(rx * std::sin(end), ry * std::cos(end));
    const double trim = speed > 0.0 ? 180.0 / std::numbers::pi / speed : 0.0;
    const double span = sweep.spanDegrees - trim;
    if (span <= 0.0) return;
    UseLinePen();
    painter_.drawArc(box, static_cast<int>(std::lround(sweep.startDegrees * 16.0)),
                     static_cast<int>(std::lround(span * 16.0)));
}

void QtSurface::MoveTo(std::int32_t x, std::int32_t y) { current_ = QPoint(x, y); }

void QtSurface::LineTo(std::int32_t x, std::int32_t y) {
    const QPoint from(mapping_.X(current_.x()), mapping_.Y(current_.y()));
    const QPoint to(mapping_.X(x), mapping_.Y(y));
    current_ = QPoint(x, y);
    if (from == to) return;
    UseLinePen();
    if (scaled_) {
        // Pixel rules do not apply where a unit is several pixels: from the first unit's centre
        // to the last one's, the end point left out as the platform leaves it out.
        const QPointF step =
            QPointF(to - from) / std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
        const QPointF centre(0.5, 0.5);
        painter_.drawLine(QPointF(from) + centre, QPointF(to) - step + centre);
        return;
    }
    // Qt's aliased stroker orders the end points, paints the major-axis pixels round(low) …
    // round(high) − 1 and floors the minor axis at each pixel (at its centre where the minor
    // coordinate grows, at its leading edge otherwise). The platform walks from the start, stops
    // before the end and rounds the minor axis at the pixel. Moving the line by fractions of a
    // pixel turns the first rule into the second: half a pixel along the major axis when the line
    // runs towards smaller coordinates (so that the start is painted and the end is not), and on
    // the minor axis whatever makes Qt's floor the platform's rounding.
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    const auto minorShift = [](double majorShift, double slope) {
        const double sample = slope > 0.0 ? 0.5 : 0.0;
        return 0.5 - slope * (sample - majorShift);
    };
    QPointF shift;
    if (std::abs(dx) >= std::abs(dy)) {
        const double along = dx > 0.0 ? 0.0 : 0.5;
        shift = QPointF(along, minorShift(along, dy / dx));
    } else {
        const double along = dy > 0.0 ? 0.0 : 0.5;
        shift = QPointF(minorShift(along, dx / dy), along);
    }
    painter_.drawLine(QPointF(from) + shift, QPointF(to) + shift);
}

void QtSurface::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
    if (text.empty()) return;
    const QtLaidOutText& laidOut = fontEntry_->LayOut(text);
    const std::int32_t left = mapping_.X(x);
    const std::int32_t top = mapping_.Y(y);
    if (bkMode_ == BackgroundMode::Opaque) {
        painter_.fillRect(
            QRect(left, top, laidOut.advance, fontEntry_->Ascent() + fontEntry_->Descent()),
            backgroundQColor_);
    }
    UseTextPen();
    painter_.drawStaticText(QPointF(left, top + fontEntry_->GlyphTop()), laidOut.glyphs);
}

}  // namespace lutaris
