// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/surface/SvgSurface.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <optional>
#include <utility>

#include "platform/surface/ArcGeometry.h"
#include "platform/surface/MonospaceMetrics.h"

namespace lutaris {
namespace {

std::string Hex(Color color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", color.red, color.green, color.blue);
    return text;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    std::string result = text;
    result.erase(result.find_last_not_of('0') + 1);
    if (result.back() == '.') result.pop_back();
    return result == "-0" ? "0" : result;
}

std::string Escaped(std::string_view text) {
    std::string result;
    for (const char c : text) {
        switch (c) {
            case '&':
                result += "&amp;";
                break;
            case '<':
                result += "&lt;";
                break;
            case '>':
                result += "&gt;";
                break;
            case '"':
                result += "&quot;";
                break;
            default:
                // Texts are Latin-1 bytes; XML wants them as characters.
                if (static_cast<unsigned char>(c) < 0x20) {
                    result += ' ';
                } else if (static_cast<unsigned char>(c) >= 0x80) {
                    result += "&#" + std::to_string(static_cast<unsigned char>(c)) + ";";
                } else {
                    result += c;
                }
        }
    }
    return result;
}

}  // namespace

SvgSurface::SvgSurface(std::int32_t width, std::int32_t height, std::int32_t dpiX,
                       std::int32_t dpiY)
    : width_(std::max(1, width)),
      height_(std::max(1, height)),
      dpiX_(dpiX > 0 ? dpiX : 96),
      dpiY_(dpiY > 0 ? dpiY : 96),
      mapping_(0, 0, width_, height_) {}

void SvgSurface::SetPhysicalSize(std::int32_t widthHimetric, std::int32_t heightHimetric) {
    physicalSize_ = std::make_pair(widthHimetric, heightHimetric);
}

std::string SvgSurface::Document() const {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"";
    if (physicalSize_) {
        out << " width=\"" << Number(physicalSize_->first / 100.0) << "mm\" height=\""
            << Number(physicalSize_->second / 100.0) << "mm\"";
    } else {
        out << " width=\"" << width_ << "\" height=\"" << height_ << "\"";
    }
    out << " viewBox=\"0 0 " << width_ << " " << height_ << "\">\n"
        << "<rect x=\"0\" y=\"0\" width=\"" << width_ << "\" height=\"" << height_
        << "\" fill=\"#ffffff\"/>\n"
        << body_.str() << "</svg>\n";
    return out.str();
}

LogicalFont SvgSurface::SelectFont(const LogicalFont& font) { return std::exchange(font_, font); }

Pen SvgSurface::SelectPen(const Pen& pen) { return std::exchange(pen_, pen); }

BackgroundMode SvgSurface::SetBkMode(BackgroundMode mode) { return std::exchange(bkMode_, mode); }

Color SvgSurface::SetTextColor(Color color) { return std::exchange(textColor_, color); }

void SvgSurface::SetWindowExtent(std::int32_t cx, std::int32_t cy) {
    mapping_.SetWindowExtent(cx, cy);
}

SurfaceBox SvgSurface::GetClipBox() const {
    SurfaceBox box;
    mapping_.DeviceToLogical(0, 0, width_, height_, box.left, box.top, box.right, box.bottom);
    return box;
}

std::string SvgSurface::StrokeAttributes() const {
    const double width = pen_.width <= 1 ? 1.0 : std::max(1.0, pen_.width * mapping_.ScaleX());
    std::string attributes =
        " fill=\"none\" stroke=\"" + Hex(pen_.color) + "\" stroke-width=\"" + Number(width) + "\"";
    if (pen_.style == PenStyle::Dot) attributes += " stroke-dasharray=\"1 1\"";
    return attributes;
}

std::int32_t SvgSurface::FontPixelSize() const {
    if (font_.height == 0) return kDefaultFontPixelSize;
    const std::int64_t device = std::abs(std::int64_t{
        mapping_.LengthY(font_.height == INT32_MIN ? INT32_MAX : std::abs(font_.height))});
    if (font_.height > 0) {
        // A cell height: the em that gives that cell.
        const MonospaceMetrics unit(2048);
        const std::int64_t em = device * 2048 / std::max(1, unit.ascent + unit.descent);
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(em, 1, kMaxFontPixelSize));
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(device, 1, kMaxFontPixelSize));
}

void SvgSurface::Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                           std::int32_t bottom) {
    const std::optional<SurfaceBox> box = mapping_.DeviceBox(left, top, right, bottom);
    if (!box) return;
    const auto [l, t, r, b] = *box;
    const std::int64_t width = std::int64_t{r} - l;
    const std::int64_t height = std::int64_t{b} - t;
    std::string stroke = StrokeAttributes();
    stroke.replace(stroke.find("fill=\"none\""), 11, "fill=\"#ffffff\"");
    body_ << "<rect x=\"" << Number(l + 0.5) << "\" y=\"" << Number(t + 0.5) << "\" width=\""
          << (width - 1) << "\" height=\"" << (height - 1) << "\"" << stroke << "/>\n";
}

void SvgSurface::Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                     std::int32_t startX, std::int32_t startY, std::int32_t endX,
                     std::int32_t endY) {
    const auto arc = mapping_.MapArc(left, top, right, bottom, startX, startY, endX, endY);
    if (!arc) return;
    const auto [l, t, r, b] = arc->box;
    const ArcSweep& sweep = arc->sweep;
    const double cx = (static_cast<double>(l) + r) / 2.0;
    const double cy = (static_cast<double>(t) + b) / 2.0;
    const double rx = (static_cast<double>(r) - l - 1) / 2.0;
    const double ry = (static_cast<double>(b) - t - 1) / 2.0;
    const auto at = [&](double degrees) {
        const double radians = degrees * std::numbers::pi / 180.0;
        return std::make_pair(cx + rx * std::cos(radians), cy - ry * std::sin(radians));
    };
    // One pixel's length of arc short of the end, as the platform stops.
    const double end = sweep.startDegrees + sweep.spanDegrees;
    const double speed = std::hypot(rx * std::sin(end * std::numbers::pi / 180.0),
                                    ry * std::cos(end * std::numbers::pi / 180.0));
    const double span = sweep.spanDegrees - (speed > 0.0 ? 180.0 / std::numbers::pi / speed : 0.0);
    if (span <= 0.0) return;
    // An SVG arc cannot close on itself: draw it in pieces of at most half the ellipse. Counter-
    // clockwise on the screen is the negative sweep direction.
    const auto [x0, y0] = at(sweep.startDegrees);
    body_ << "<path d=\"M" << Number(x0) << " " << Number(y0);
    const int pieces = span > 180.0 ? 2 : 1;
    for (int i = 1; i <= pieces; ++i) {
        const auto [x, y] = at(sweep.startDegrees + span * i / pieces);
        body_ << " A" << Number(rx) << " " << Number(ry) << " 0 0 0 " << Number(x) << " "
              << Number(y);
    }
    body_ << "\"" << StrokeAttributes() << "/>\n";
}

void SvgSurface::MoveTo(std::int32_t x, std::int32_t y) {
    currentX_ = x;
    currentY_ = y;
}

void SvgSurface::LineTo(std::int32_t x, std::int32_t y) {
    const double x1 = mapping_.X(currentX_), y1 = mapping_.Y(currentY_);
    const double x2 = mapping_.X(x), y2 = mapping_.Y(y);
    currentX_ = x;
    currentY_ = y;
    if (x1 == x2 && y1 == y2) return;
    // From the start pixel's near edge to the end pixel's near edge along the major axis, so the
    // start pixel is covered and the end pixel is not.
    const double dx = x2 - x1, dy = y2 - y1;
    const double major = std::max(std::abs(dx), std::abs(dy));
    const double ux = dx / major * 0.5, uy = dy / major * 0.5;
    body_ << "<line x1=\"" << Number(x1 + 0.5 - ux) << "\" y1=\"" << Number(y1 + 0.5 - uy)
          << "\" x2=\"" << Number(x2 + 0.5 - ux) << "\" y2=\"" << Number(y2 + 0.5 - uy) << "\""
          << StrokeAttributes() << "/>\n";
}

void SvgSurface::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
    if (text.empty()) return;
    const std::int32_t size = FontPixelSize();
    const MonospaceMetrics metrics(size);
    const std::int32_t left = mapping_.X(x), top = mapping_.Y(y);
    if (bkMode_ == BackgroundMode::Opaque) {
        body_ << "<rect x=\"" << left << "\" y=\"" << top << "\" width=\"" << metrics.Advance(text)
              << "\" height=\"" << metrics.ascent + metrics.descent << "\" fill=\"#ffffff\"/>\n";
    }
    body_ << "<text x=\"" << left << "\" y=\"" << std::int64_t{top} + metrics.ascent
          << "\" font-family=\"'Liberation Mono', Courier, monospace\" font-size=\"" << size
          << "\"";
    if (font_.weight >= 600) body_ << " font-weight=\"bold\"";
    if (font_.italic) body_ << " font-style=\"italic\"";
    body_ << " fill=\"" << Hex(textColor_) << "\" xml:space=\"preserve\">" << Escaped(text)
          << "</text>\n";
}

}  // namespace lutaris
