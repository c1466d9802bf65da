// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/shell/ProfileStore.h"

#include <QPageSize>
#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <cmath>

namespace lutaris {

namespace {

const QString kRecentFileGroup = QStringLiteral("Recent File List");
const QString kSettingsGroup = QStringLiteral("Settings");

QString RecentFileKey(std::size_t index) { return QStringLiteral("File%1").arg(index + 1); }

}  // namespace

ProfileStore::ProfileStore()
    : settings_(std::make_unique<QSettings>(QString::fromLatin1(kOrganization),
                                            QString::fromLatin1(kApplication))) {}

ProfileStore::ProfileStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

std::vector<std::string> ProfileStore::ReadRecentFiles(std::size_t count) const {
    std::vector<std::string> paths;
    settings_->beginGroup(kRecentFileGroup);
    for (std::size_t i = 0; i < count; ++i) {
        const QString path = settings_->value(RecentFileKey(i)).toString();
        if (!path.isEmpty()) paths.push_back(path.toStdString());
    }
    settings_->endGroup();
    return paths;
}

void ProfileStore::WriteRecentFiles(const std::vector<std::string>& paths, std::size_t count) {
    settings_->beginGroup(kRecentFileGroup);
    for (std::size_t i = 0; i < count; ++i) {
        if (i < paths.size())
            settings_->setValue(RecentFileKey(i), QString::fromStdString(paths[i]));
        else
            settings_->remove(RecentFileKey(i));
    }
    settings_->endGroup();
    settings_->sync();
}

int ProfileStore::ReadPreviewPages() const {
    return settings_->value(kSettingsGroup + QStringLiteral("/PreviewPages"), 1).toInt();
}

void ProfileStore::WritePreviewPages(int pages) {
    settings_->setValue(kSettingsGroup + QStringLiteral("/PreviewPages"), pages);
    settings_->sync();
}

ProfileStore::WindowPlacement ProfileStore::ReadWindowPlacement() const {
    return {settings_->value(kSettingsGroup + QStringLiteral("/WindowGeometry")).toByteArray(),
            settings_->value(kSettingsGroup + QStringLiteral("/WindowState")).toByteArray()};
}

void ProfileStore::WriteWindowPlacement(const WindowPlacement& placement) {
    settings_->setValue(kSettingsGroup + QStringLiteral("/WindowGeometry"), placement.geometry);
    settings_->setValue(kSettingsGroup + QStringLiteral("/WindowState"), placement.state);
    settings_->sync();
}

namespace {

const QString kPageGroup = QStringLiteral("Page Setup");
// No paper is larger than a few metres, no margin wider than half a metre.
constexpr double kLargestPagePoints = 14400;
constexpr double kLargestMarginMillimetres = 500;

bool Plausible(double value, double largest) {
    return std::isfinite(value) && value >= 0 && value <= largest;
}

}  // namespace

std::optional<QPageLayout> ProfileStore::ReadPageLayout() const {
    settings_->beginGroup(kPageGroup);
    const QStringList keys = settings_->childKeys();
    const auto number = [&](const char* key) {
        bool ok = false;
        const double value = settings_->value(QString::fromLatin1(key)).toDouble(&ok);
        return ok ? value : -1.0;
    };
    const double width = number("WidthPoints");
    const double height = number("HeightPoints");
    const QMarginsF margins(number("LeftMillimetres"), number("TopMillimetres"),
                            number("RightMillimetres"), number("BottomMillimetres"));
    const bool landscape = settings_->value(QStringLiteral("Landscape")).toBool();
    const QString key = settings_->value(QStringLiteral("Paper")).toString();
    settings_->endGroup();
    if (keys.isEmpty() || !Plausible(width, kLargestPagePoints) || width < 1 ||
        !Plausible(height, kLargestPagePoints) || height < 1)
        return std::nullopt;
    for (const double margin : {margins.left(), margins.top(), margins.right(), margins.bottom()})
        if (!Plausible(margin, kLargestMarginMillimetres)) return std::nullopt;

    // A named paper comes back under its name (the print system knows it); any other as its
    // size.
    QPageSize paper(QSizeF(width, height), QPageSize::Point, key.left(64), QPageSize::FuzzyMatch);
    if (!paper.isValid()) return std::nullopt;
    QPageLayout layout(paper, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(), QPageLayout::Millimeter);
    // Margins that leave no paper are not kept.
    const QSizeF full = layout.fullRect(QPageLayout::Millimeter).size();
    if (margins.left() + margins.right() >= full.width() ||
        margins.top() + margins.bottom() >= full.height())
        return std::nullopt;
    layout.setMinimumMargins(QMarginsF());
    if (!layout.setMargins(margins)) return std::nullopt;
    return layout;
}

void ProfileStore::WritePageLayout(const QPageLayout& layout) {
    const QSizeF points = layout.pageSize().size(QPageSize::Point);
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    settings_->beginGroup(kPageGroup);
    settings_->setValue(QStringLiteral("Paper"), layout.pageSize().key());
    settings_->setValue(QStringLiteral("WidthPoints"), points.width());
    settings_->setValue(QStringLiteral("HeightPoints"), points.height());
    settings_->setValue(QStringLiteral("Landscape"),
                        layout.orientation() == QPageLayout::Landscape);
    settings_->setValue(QStringLiteral("LeftMillimetres"), margins.left());
    settings_->setValue(QStringLiteral("TopMillimetres"), margins.top());
    settings_->setValue(QStringLiteral("RightMillimetres"), margins.right());
    settings_->setValue(QStringLiteral("BottomMillimetres"), margins.bottom());
    settings_->endGroup();
    settings_->sync();
}

bool ProfileStore::ReadPageDecorations() const {
    return settings_->value(kPageGroup + QStringLiteral("/TitleAndPageNumbers"), true).toBool();
}

void ProfileStore::WritePageDecorations(bool shown) {
    settings_->setValue(kPageGroup + QStringLiteral("/TitleAndPageNumbers"), shown);
    settings_->sync();
}

QByteArray ProfileStore::ReadPreviewGeometry() const {
    return settings_->value(kSettingsGroup + QStringLiteral("/PreviewGeometry")).toByteArray();
}

void ProfileStore::WritePreviewGeometry(const QByteArray& geometry) {
    settings_->setValue(kSettingsGroup + QStringLiteral("/PreviewGeometry"), geometry);
    settings_->sync();
}

}  // namespace lutaris
