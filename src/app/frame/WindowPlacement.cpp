// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/frame/WindowPlacement.h"

#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QStyle>
#include <algorithm>

#include "app/shell/ProfileStore.h"

namespace lutaris::window_placement {
namespace {

// Before the window is shown the window manager has not told us its frame: a title bar and a
// border of the style's size is the usual decoration.
QMargins ExpectedFrame(const QWidget& window) {
    const QStyle* style = window.style();
    const int border = std::max(1, style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth));
    const int title = std::max(style->pixelMetric(QStyle::PM_TitleBarHeight), 24);
    return {border, title + border, border, border};
}

}  // namespace

QRect FirstWindowRect(QSize wanted, const QRect& available, const QMargins& frame) {
    const QRect inside = available.marginsRemoved(frame);
    const QSize size(std::max(1, std::min(wanted.width(), inside.width())),
                     std::max(1, std::min(wanted.height(), inside.height())));
    QRect rect(QPoint(0, 0), size);
    rect.moveCenter(inside.center());
    // A screen smaller than the frame leaves the title bar at the top left, where it can be
    // reached.
    rect.moveLeft(std::max(rect.left(), inside.left()));
    rect.moveTop(std::max(rect.top(), inside.top()));
    return rect;
}

void FitToScreen(QMainWindow& window) {
    const QScreen* screen =
        window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        window.resize(kDefaultSize);
        return;
    }
    // The size only: the window manager places a new window so that its frame stays on the
    // screen, which we cannot do before it has told us the frame.
    window.resize(
        FirstWindowRect(kDefaultSize, screen->availableGeometry(), ExpectedFrame(window)).size());
}

void Restore(QMainWindow& window, const ProfileStore& profile) {
    const ProfileStore::WindowPlacement kept = profile.ReadWindowPlacement();
    // Qt brings a remembered geometry back onto a screen that exists now.
    if (kept.geometry.isEmpty() || !window.restoreGeometry(kept.geometry)) FitToScreen(window);
    if (!kept.state.isEmpty()) window.restoreState(kept.state);
}

void Save(const QMainWindow& window, ProfileStore& profile) {
    profile.WriteWindowPlacement({window.saveGeometry(), window.saveState()});
}

}  // namespace lutaris::window_placement
