// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QRect>
#include <QtGlobal>
#include <optional>
#include <set>

namespace lutaris {

// What the in-place frame needs of the X server that Qt does not say: whether the program runs
// on X11 at all, whether a window that a container names exists (and its size), that the
// requests sent so far have been carried out, and when windows are destroyed.
namespace x11_windows {

// True when Qt talks to an X server (the xcb platform).
bool Available();
// The window's size, or nothing when there is no such window (or no X server).
std::optional<QSize> WindowSize(quint64 window);
// Sends the requests Qt queued and waits until the X server has carried them out.
void Sync();

}  // namespace x11_windows

// Tells when one of the watched windows is destroyed (with its parent, when its owner ends),
// before Qt hears of it.
class X11DestroyWatcher : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit X11DestroyWatcher(QObject* parent = nullptr);
    ~X11DestroyWatcher() override;

    // Watches `window`; a foreign window is asked for its structure events first.
    void Watch(quint64 window, bool foreign);
    void Clear() { windows_.clear(); }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void Destroyed(quint64 window);

private:
    std::set<quint64> windows_;
};

}  // namespace lutaris
