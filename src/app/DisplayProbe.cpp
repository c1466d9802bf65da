#include "app/DisplayProbe.h"

#include <cstdlib>
#include <string_view>

#include <X11/Xlib.h>

namespace lutaris {

namespace {

std::string_view Variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string_view{} : std::string_view{value};
}

}  // namespace

bool DisplayAvailable() {
    const std::string_view platform = Variable("QT_QPA_PLATFORM");
    if (!platform.empty() && !platform.starts_with("xcb")) return true;
    if (!Variable("DISPLAY").empty()) {
        if (Display* display = XOpenDisplay(nullptr)) {
            XCloseDisplay(display);
            return true;
        }
    }
    // Without a reachable X server Qt may still find a Wayland compositor on its own.
    return platform.empty() && !Variable("WAYLAND_DISPLAY").empty();
}

}  // namespace lutaris
