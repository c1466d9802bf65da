// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QAbstractNativeEventFilter>
#include <QtGlobal>
#include <functional>

struct xcb_connection_t;

namespace lutaris::container {

// The embedder's half of the XEmbed protocol for one client window at a time: tells the client
// it is embedded, active and focused, answers its focus requests, and passes it the key events
// X delivers to the container's own windows (the client never holds the X focus itself), but
// for Alt combinations, which open the menus of the container's merged menu bar.
class XEmbedEmbedder : public QAbstractNativeEventFilter {
public:
    // Nothing works without an X connection (Wayland, offscreen): Available() says so.
    XEmbedEmbedder();
    ~XEmbedEmbedder() override;

    bool Available() const { return connection_ != nullptr; }
    // Starts with `client`, a child of `site`: EMBEDDED_NOTIFY, WINDOW_ACTIVATE, FOCUS_IN.
    void Embed(quint32 site, quint32 client);
    // FOCUS_OUT and WINDOW_DEACTIVATE (unless the client's window is already gone), then no
    // more forwarding.
    void Release(bool tellClient);
    quint32 Client() const { return client_; }
    // The container's window came to the front or went behind another: the client follows
    // (WINDOW_ACTIVATE and FOCUS_IN, or FOCUS_OUT and WINDOW_DEACTIVATE).
    void SetContainerActive(bool active);
    // Waits until the X server has done every request sent so far (the site exists and is
    // mapped before another client is told its id).
    void Sync();
    // Keys are kept while this says no (a menu of the container is open).
    void SetForwardingAllowed(std::function<bool()> allowed) { allowed_ = std::move(allowed); }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void Send(quint32 message, quint32 detail, quint32 data1, quint32 data2);

    xcb_connection_t* connection_ = nullptr;
    quint32 xembedAtom_ = 0;
    quint32 site_ = 0;
    quint32 client_ = 0;
    std::function<bool()> allowed_;
};

}  // namespace lutaris::container
