// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "render/qt/QtScreenResolution.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "render/ScreenResolution.h"

namespace lutaris {

void SetScreenResolutionFromPrimaryScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    SetScreenResolution(ScreenResolution{
        static_cast<std::int32_t>(std::lround(screen->logicalDotsPerInchX())),
        static_cast<std::int32_t>(std::lround(screen->logicalDotsPerInchY()))});
}

}  // namespace lutaris
