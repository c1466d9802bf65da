// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <xcb/xcb.h>

#include <QImage>
#include <QRect>
#include <cstdint>
#include <string>
#include <vector>

namespace lutaris::test {

// The container's half of editing in place, as a test plays it on its own X connection: a
// top-level window with a native child, the site, that the object's frame is put into; the
// XEmbed messages of an embedder and key events forwarded to the embedded window.
class XSite {
public:
    // A mapped container window with its site at (10, 10) of `size`.
    explicit XSite(QSize size);
    ~XSite();
    XSite(const XSite&) = delete;
    XSite& operator=(const XSite&) = delete;

    bool Ok() const { return connection_ != nullptr && site_ != 0; }
    // Why the connection failed (xcb's error code), 0 when it did not.
    int ConnectionError() const { return connectionError_; }
    xcb_window_t Site() const { return site_; }
    xcb_window_t Container() const { return container_; }
    // The children of a window, bottom first.
    std::vector<xcb_window_t> Children(xcb_window_t window) const;
    xcb_window_t Parent(xcb_window_t window) const;
    QRect Geometry(xcb_window_t window) const;
    // The window's WM_NAME.
    std::string Name(xcb_window_t window) const;
    // What the X server shows of the site (what its children draw included).
    QImage Grab() const;
    // What the screen shows of `area` (root coordinates).
    QImage GrabScreen(const QRect& area) const;
    // Where a window's top left corner is on the screen.
    QPoint ScreenOrigin(xcb_window_t window) const;
    // The top-level window of that WM_NAME, 0 when there is none.
    xcb_window_t TopLevelNamed(const std::string& name) const;
    // Gives `window` the keyboard focus of the X server.
    void Focus(xcb_window_t window);
    // The embedder's messages: embedded-notify, window-activate and focus-in.
    void Embed(xcb_window_t client);
    // A key press and its release of the key that types `keysym`, sent to `client`.
    void ForwardKey(xcb_window_t client, std::uint32_t keysym, std::uint16_t modifiers = 0);
    void DestroySite();

private:
    void SendXEmbed(xcb_window_t client, std::uint32_t message, std::uint32_t detail,
                    std::uint32_t data1, std::uint32_t data2);
    xcb_keycode_t KeycodeOf(std::uint32_t keysym) const;

    xcb_connection_t* connection_ = nullptr;
    xcb_screen_t* screen_ = nullptr;
    xcb_window_t container_ = 0;
    xcb_window_t site_ = 0;
    xcb_atom_t xembed_ = 0;
    int connectionError_ = 0;
};

}  // namespace lutaris::test
