#pragma once

namespace lutaris {

// Whether the window system can be reached before Qt is asked to: Qt ends the process with an
// abort of its own when it cannot open its display, which leaves the person no word of ours.
// Platforms other than X11 (offscreen, Wayland) are left to Qt.
bool DisplayAvailable();

}  // namespace lutaris
