// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "render/qt/PresentationExport.h"

#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/qt/QtSurface.h"
#include "render/CCorvaneSrvrItem.h"
#include "render/PresentationPicture.h"
#include "render/ScreenResolution.h"
#include "render/ViewDocument.h"
#include "render/qt/QtPresentationPictures.h"

namespace lutaris {
namespace {

constexpr int kPdfResolution = 1200;
constexpr const char* kNoItems = "the document has no tab items";

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

std::string ExportSvg(ViewDocument& document, const std::string& path) {
    const auto svg = PresentationPicture::Svg(document);
    if (!svg) return kNoItems;
    return WriteBytes(path, QByteArray::fromStdString(*svg));
}

std::string ExportPng(ViewDocument& document, const std::string& path) {
    const QImage image = QtPresentationPictures::Image(document);
    if (image.isNull()) return "the picture is too large";
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

std::string ExportPresentation(ViewDocument& document, const std::string& path) {
    const std::string extension = Extension(path);
    if (extension != ".svg" && extension != ".png" && extension != ".pdf") {
        return "the picture must be a .svg, .png or .pdf file";
    }
    CCorvaneSrvrItem item(document);
    LayoutSize extent;
    if (!item.OnGetExtent(DrawAspect::Content, extent)) return kNoItems;
    if (PresentationPicture::HasTooManyElements(document)) return "the picture is too large";
    if (extension == ".svg") return ExportSvg(document, path);
    if (extension == ".png") return ExportPng(document, path);
    return ExportPdf(item, extent, path);
}

}  // namespace lutaris
