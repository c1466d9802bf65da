// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "XEmbedEmbedder.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>

namespace lutaris::container {
namespace {

enum : quint32 {
    kEmbeddedNotify = 0,
    kWindowActivate = 1,
    kWindowDeactivate = 2,
    kRequestFocus = 3,
    kFocusIn = 4,
    kFocusOut = 5,
};
constexpr quint32 kFocusCurrent = 0;

}  // namespace

XEmbedEmbedder::XEmbedEmbedder() {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return;
    connection_ = x11->connection();
    const char name[] = "_XEMBED";
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, sizeof name - 1, name), nullptr);
    if (reply) {
        xembedAtom_ = reply->atom;
        std::free(reply);
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
}

XEmbedEmbedder::~XEmbedEmbedder() {
    if (connection_ && QCoreApplication::instance()) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

void XEmbedEmbedder::Send(quint32 message, quint32 detail, quint32 data1, quint32 data2) {
    if (!connection_ || !client_ || !xembedAtom_) return;
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = client_;
    event.type = xembedAtom_;
    event.data.data32[0] = XCB_CURRENT_TIME;
    event.data.data32[1] = message;
    event.data.data32[2] = detail;
    event.data.data32[3] = data1;
    event.data.data32[4] = data2;
    xcb_send_event(connection_, 0, client_, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(connection_);
}

void XEmbedEmbedder::Sync() {
    if (!connection_) return;
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

void XEmbedEmbedder::Embed(quint32 site, quint32 client) {
    if (client_ && client_ != client) Release(true);
    site_ = site;
    client_ = client;
    Send(kEmbeddedNotify, 0, site_, 0);
    Send(kWindowActivate, 0, 0, 0);
    Send(kFocusIn, kFocusCurrent, 0, 0);
}

void XEmbedEmbedder::SetContainerActive(bool active) {
    if (active) {
        Send(kWindowActivate, 0, 0, 0);
        Send(kFocusIn, kFocusCurrent, 0, 0);
    } else {
        Send(kFocusOut, 0, 0, 0);
        Send(kWindowDeactivate, 0, 0, 0);
    }
}

void XEmbedEmbedder::Release(bool tellClient) {
    if (!client_) return;
    if (tellClient) {
        Send(kFocusOut, 0, 0, 0);
        Send(kWindowDeactivate, 0, 0, 0);
    }
    client_ = 0;
    site_ = 0;
}

bool XEmbedEmbedder::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (!client_ || eventType != "xcb_generic_event_t") return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    const quint8 type = event->response_type & 0x7f;
    if (type == XCB_CLIENT_MESSAGE) {
        auto* client = reinterpret_cast<xcb_client_message_event_t*>(event);
        if (client->type == xembedAtom_ && client->format == 32 &&
            client->data.data32[1] == kRequestFocus) {
            Send(kFocusIn, kFocusCurrent, 0, 0);
            return true;
        }
        return false;
    }
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;
    auto* key = reinterpret_cast<xcb_key_press_event_t*>(event);
    if (allowed_ && !allowed_()) return false;
    // Alt with a letter opens a menu of the menu bar, which is the container's (merged).
    if ((key->state & XCB_MOD_MASK_1) && !(key->state & XCB_MOD_MASK_CONTROL)) return false;
    xcb_key_press_event_t forwarded = *key;
    forwarded.event = client_;
    forwarded.child = XCB_NONE;
    forwarded.same_screen = 1;
    const quint32 mask =
        type == XCB_KEY_PRESS ? XCB_EVENT_MASK_KEY_PRESS : XCB_EVENT_MASK_KEY_RELEASE;
    xcb_send_event(connection_, 0, client_, mask, reinterpret_cast<const char*>(&forwarded));
    xcb_flush(connection_);
    return true;
}

}  // namespace lutaris::container
