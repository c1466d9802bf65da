// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// Writes the program icon into a hicolor icon theme folder, one PNG for each size a desktop
// looks for, so that the installed icons are the window's own artwork and not a copy kept
// beside it. Run by the build: lutaris-program-icons FOLDER ICON-NAME

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>
#include <cstdlib>

#include "app/shell/AppArtwork.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: lutaris-program-icons FOLDER ICON-NAME\n");
        return 2;
    }
    // Drawing text needs a GUI application; the build has no display.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString sizeFolder = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString path = QStringLiteral("%1/%2.png").arg(sizeFolder, name);
        if (!QDir().mkpath(sizeFolder) || !lutaris::AppArtwork::ProgramImage(size).save(path)) {
            std::fprintf(stderr, "lutaris-program-icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
