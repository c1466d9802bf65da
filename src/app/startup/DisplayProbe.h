// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

struct _XDisplay;

namespace lutaris {

// Whether the window system can be reached before Qt is asked to: Qt ends the process with an
// abort of its own when it cannot open its display, which leaves the person no word of ours.
// Platforms other than X11 (offscreen, Wayland) are left to Qt.
//
// The probe's connection stays open until Release() (or the end of the probe), to be called
// once Qt holds its own: an X server whose last client leaves resets itself, and a connection
// made meanwhile waits for the whole reset, a good part of the start-up time.
class DisplayProbe {
public:
    DisplayProbe();
    ~DisplayProbe();
    DisplayProbe(const DisplayProbe&) = delete;
    DisplayProbe& operator=(const DisplayProbe&) = delete;

    bool Available() const { return available_; }
    void Release();

private:
    _XDisplay* display_ = nullptr;
    bool available_ = false;
};

}  // namespace lutaris
