// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QMainWindow;

namespace lutaris {

class ProfileStore;

// Where the main window stands: the size, place and bars the person left it with, kept in the
// profile, and for a first run a window that fits the screen it opens on. A scaled desktop can
// make the program's default size larger than the screen; a window whose title bar is off
// screen cannot even be moved.
namespace window_placement {

// The size a first window asks for, in logical pixels.
inline constexpr QSize kDefaultSize{640, 480};

// The window's client rectangle for a first run: the default size, shrunk where the screen's
// available area (less the window manager's frame) is smaller, centred in that area.
QRect FirstWindowRect(QSize wanted, const QRect& available, const QMargins& frame);

// Gives `window` the first-run size on the screen it would open on.
void FitToScreen(QMainWindow& window);
// Gives `window` the geometry and bars the profile remembers, or the first-run rectangle on
// the screen it would open on when the profile holds none (or nothing usable).
void Restore(QMainWindow& window, const ProfileStore& profile);
// Keeps the window's geometry, its toolbar's place and whether it shows.
void Save(const QMainWindow& window, ProfileStore& profile);

}  // namespace window_placement
}  // namespace lutaris
