// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/qt/QtFaceResolver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QStandardPaths>
#include <cstdio>
#include <strings.h>

namespace lutaris {
namespace {

// Where fonts-liberation puts the faces, below each data folder (/usr/share first unless
// XDG_DATA_DIRS says otherwise).
constexpr const char* kLiberationFolder = "fonts/truetype/liberation";
constexpr const char* kLiberationMonoFiles[] = {
    "LiberationMono-Regular.ttf", "LiberationMono-Bold.ttf", "LiberationMono-Italic.ttf",
    "LiberationMono-BoldItalic.ttf"};

bool IsInstalled(const QString& family) {
    // The database's own list, not hasFamily(): that one follows the configuration's aliases.
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

bool LoadFromDataFolders(const QString& family) {
    const QStringList folders = QStandardPaths::locateAll(
        QStandardPaths::GenericDataLocation, QString::fromLatin1(kLiberationFolder),
        QStandardPaths::LocateDirectory);
    for (const QString& folder : folders) {
        bool loaded = false;
        for (const char* file : kLiberationMonoFiles) {
            const QString path = QDir(folder).filePath(QString::fromLatin1(file));
            if (QFileInfo::exists(path) && QFontDatabase::addApplicationFont(path) >= 0) {
                loaded = true;
            }
        }
        if (loaded && IsInstalled(family)) return true;
    }
    return false;
}

QString ProgramName() {
    if (QCoreApplication::instance() == nullptr) return QStringLiteral("lutaris");
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

QString ResolveMonospace() {
    const QString family = QString::fromLatin1(QtFaceResolver::kMonospaceFamily);
    if (IsInstalled(family) || LoadFromDataFolders(family)) return family;
    // Still draw, in the nearest thing the machine has; cells then follow that font's metrics.
    const QString fallback = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    std::fprintf(stderr,
                 "%s: font %s not found (package %s); text is drawn in %s instead, with "
                 "other cell sizes\n",
                 qPrintable(ProgramName()), QtFaceResolver::kMonospaceFamily,
                 QtFaceResolver::kMonospacePackage, qPrintable(fallback));
    return fallback;
}

}  // namespace

QString QtFaceResolver::Family(const std::string& faceName) {
    if (strcasecmp(faceName.c_str(), "Courier") == 0) {
        // Once per process: the answer cannot change, and the warning must not repeat.
        static const QString monospace = ResolveMonospace();
        return monospace;
    }
    return QString::fromStdString(faceName);
}

}  // namespace lutaris
