// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/qt/QtClipboard.h"

#include <QGuiApplication>
#include <QMimeData>

namespace lutaris {
namespace {

QString FormatName(const std::string& name) { return QString::fromUtf8(name.data(), name.size()); }

// What the X11 selection protocol lists beside the data: requests, not formats.
bool IsSelectionProtocolTarget(const QString& name) {
    return name == QLatin1String("TARGETS") || name == QLatin1String("MULTIPLE") ||
           name == QLatin1String("TIMESTAMP") || name == QLatin1String("SAVE_TARGETS");
}

}  // namespace

QtClipboard::QtClipboard(QClipboard* clipboard, QClipboard::Mode mode)
    : clipboard_(clipboard != nullptr ? clipboard : QGuiApplication::clipboard()), mode_(mode) {}

void QtClipboard::Clear() { clipboard_->clear(mode_); }

void QtClipboard::SetFormats(std::vector<ClipboardFormat> formats) {
    auto* mime = new QMimeData;
    for (const auto& format : formats) {
        mime->setData(FormatName(format.name),
                      QByteArray(reinterpret_cast<const char*>(format.data.data()),
                                 static_cast<qsizetype>(format.data.size())));
    }
    clipboard_->setMimeData(mime, mode_);  // the clipboard takes the object
}

bool QtClipboard::HasFormat(const std::string& name) const {
    const QMimeData* mime = clipboard_->mimeData(mode_);
    return mime != nullptr && mime->hasFormat(FormatName(name));
}

std::optional<std::vector<std::uint8_t>> QtClipboard::GetFormat(const std::string& name) const {
    const QMimeData* mime = clipboard_->mimeData(mode_);
    if (mime == nullptr || !mime->hasFormat(FormatName(name))) return std::nullopt;
    const QByteArray data = mime->data(FormatName(name));
    return std::vector<std::uint8_t>(data.begin(), data.end());
}

std::vector<std::string> QtClipboard::ListFormats() const {
    std::vector<std::string> names;
    const QMimeData* mime = clipboard_->mimeData(mode_);
    if (mime == nullptr) return names;
    for (const QString& format : mime->formats()) {
        if (!IsSelectionProtocolTarget(format)) names.push_back(format.toStdString());
    }
    return names;
}

}  // namespace lutaris
