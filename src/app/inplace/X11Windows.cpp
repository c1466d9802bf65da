// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/inplace/X11Windows.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>

#include <xcb/xcb.h>

namespace lutaris {

namespace {

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp == nullptr ? nullptr
                                   : qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 == nullptr ? nullptr : x11->connection();
}

}  // namespace

namespace x11_windows {

bool Available() { return Connection() != nullptr; }

std::optional<QSize> WindowSize(quint64 window) {
    xcb_connection_t* connection = Connection();
    // X window ids have 29 bits; anything larger is no window.
    if (connection == nullptr || window == 0 || window > 0x1fffffffu) return std::nullopt;
    xcb_generic_error_t* error = nullptr;
    xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(
        connection, xcb_get_geometry(connection, static_cast<xcb_drawable_t>(window)), &error);
    std::free(error);
    if (geometry == nullptr) return std::nullopt;
    const QSize size(geometry->width, geometry->height);
    std::free(geometry);
    return size;
}

void Sync() {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr) return;
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

}  // namespace x11_windows

X11DestroyWatcher::X11DestroyWatcher(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11DestroyWatcher::~X11DestroyWatcher() {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void X11DestroyWatcher::Watch(quint64 window, bool foreign) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr || window == 0) return;
    windows_.insert(window);
    if (!foreign) return;  // Qt's own windows report their structure events already
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, static_cast<xcb_window_t>(window),
                                 XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
}

bool X11DestroyWatcher::nativeEventFilter(const QByteArray& eventType, void* message,
                                          qintptr* result) {
    (void)result;
    if (windows_.empty() || eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY) return false;
    const auto* destroyed = reinterpret_cast<const xcb_destroy_notify_event_t*>(event);
    if (windows_.erase(destroyed->window) == 0) return false;
    emit Destroyed(destroyed->window);
    return false;
}

}  // namespace lutaris
