#include "render/qt/PresentationExport.h"

#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/MulDiv.h"
#include "platform/SvgSurface.h"
#include "platform/qt/QtSurface.h"
#include "render/CCorvaneSrvrItem.h"
#include "render/ScreenResolution.h"

namespace lutaris {
namespace {

constexpr std::int32_t kPictureDpi = 96;
// A presentation is one row of items; past this many pixels a picture is no longer a picture
// but a memory problem.
constexpr std::int32_t kMaxPixels = 32767;
constexpr int kPdfResolution = 1200;

std::string Extension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

std::string WriteBytes(const std::string& path, const QByteArray& bytes) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        return "cannot write " + path;
    }
    return {};
}

std::string ExportSvg(CCorvaneSrvrItem& item, LayoutSize extent, QSize pixels,
                      const std::string& path) {
    const ScreenResolution screen = GetScreenResolution();
    SvgSurface svg(pixels.width(), pixels.height(), screen.dpiX, screen.dpiY);
    svg.SetPhysicalSize(extent.width, extent.height);
    LayoutSize drawn;
    item.OnDraw(svg, drawn);
    return WriteBytes(path, QByteArray::fromStdString(svg.Document()));
}

std::string ExportPng(CCorvaneSrvrItem& item, QSize pixels, const std::string& path) {
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull()) return "the picture is too large";
    image.fill(Qt::white);
    const int dotsPerMeter = static_cast<int>(kPictureDpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    {
        QPainter painter(&image);
        const ScreenResolution screen = GetScreenResolution();
        QtSurface surface(painter, image.rect(), screen.dpiX, screen.dpiY);
        LayoutSize drawn;
        item.OnDraw(surface, drawn);
    }
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        return "cannot write " + path;
    }
    return {};
}

std::string ExportPdf(CCorvaneSrvrItem& item, LayoutSize extent, const std::string& path) {
    QPdfWriter writer(QString::fromStdString(path));
    writer.setResolution(kPdfResolution);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    const QPageSize page(QSizeF(extent.width / 100.0, extent.height / 100.0), QPageSize::Millimeter,
                         QString(), QPageSize::ExactMatch);
    if (!writer.setPageSize(page)) return "the page size is not possible";
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer)) return "cannot write " + path;
    {
        const ScreenResolution screen = GetScreenResolution();
        QtSurface surface(painter, QRect(0, 0, writer.width(), writer.height()), screen.dpiX,
                          screen.dpiY);
        LayoutSize drawn;
        item.OnDraw(surface, drawn);
    }
    return painter.end() ? std::string() : "cannot write " + path;
}

}  // namespace

std::string ExportPresentation(CCorvaneDoc& document, const std::string& path) {
    const std::string extension = Extension(path);
    if (extension != ".svg" && extension != ".png" && extension != ".pdf") {
        return "the picture must be a .svg, .png or .pdf file";
    }
    CCorvaneSrvrItem item(document);
    LayoutSize extent;
    if (!item.OnGetExtent(DrawAspect::Content, extent)) return "the document has no tab items";
    const QSize pixels(std::clamp(HimetricToPixels(extent.width, kPictureDpi), 1, kMaxPixels),
                       std::clamp(HimetricToPixels(extent.height, kPictureDpi), 1, kMaxPixels));
    if (extension == ".svg") return ExportSvg(item, extent, pixels, path);
    if (extension == ".png") return ExportPng(item, pixels, path);
    return ExportPdf(item, extent, path);
}

}  // namespace lutaris
