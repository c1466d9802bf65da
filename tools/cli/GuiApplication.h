// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

namespace lutaris::cli {

// Qt's picture writers (PNG, PDF, fonts) need a GUI application object. The tool makes one on
// first use only, so the commands that never draw start without it. Unless QT_QPA_PLATFORM says
// otherwise it draws off-screen: a picture must not depend on the display it was made under,
// nor fail for want of one.
void EnsureGuiApplication();

// Destroys the application object, if one was made, when main returns: Qt's own globals are
// gone by the time static destructors run, so it must not outlive main.
class GuiApplicationLifetime {
public:
    GuiApplicationLifetime() = default;
    ~GuiApplicationLifetime();
    GuiApplicationLifetime(const GuiApplicationLifetime&) = delete;
    GuiApplicationLifetime& operator=(const GuiApplicationLifetime&) = delete;
};

}  // namespace lutaris::cli
