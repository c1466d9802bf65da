// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QByteArray>
#include <QDBusContext>
#include <QObject>
#include <QRect>
#include <functional>

#include "app/server/InPlaceBusTypes.h"
#include "document/EmbeddedObject.h"

namespace lutaris {

// `Lutaris.EmbeddedObject`: the object of this process on the bus. Each call goes to the
// object, whose errors go back as bus errors; the verbs and Close reach the server, which owns
// the windows and the process.
class EmbeddedObjectService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Lutaris.EmbeddedObject")
public:
    // What only the server can do: the verbs (windows, in place or of their own; an error when
    // it cannot), closing the object and ending the process, and the in-place frame's calls
    // (each an error when the object is not in place).
    struct Server {
        std::function<EmbeddedObject::Reply(std::int32_t verb, quint64 window, const QRect& rect)>
            doVerb;
        std::function<void()> close;
        std::function<quint64()> inPlaceWindow;
        std::function<EmbeddedObject::Reply(const QRect& position, const QRect& clip)>
            setObjectRects;
        std::function<EmbeddedObject::Reply(QList<BusMenu>& menus)> getMenu;
        std::function<EmbeddedObject::Reply(QList<BusToolbarButton>& buttons)> getToolbar;
        std::function<EmbeddedObject::Reply(quint32 id)> command;
        std::function<EmbeddedObject::Reply(quint32 id)> highlight;
    };

    EmbeddedObjectService(EmbeddedObject& object, Server server, QObject* parent = nullptr);

public slots:
    void InitNew();
    void Load(const QByteArray& storage);
    QByteArray Save();
    int GetExtent(uint aspect, int& cy);
    QByteArray Draw(const QString& mimeType, int width, int height);
    void SetHostNames(const QString& containerApp, const QString& containerObject);
    void DoVerb(int verb, qulonglong window, const QRect& rect);
    void Close();
    qulonglong GetInPlaceWindow();
    void SetObjectRects(const QRect& position, const QRect& clip);
    QList<lutaris::BusMenu> GetMenu();
    QList<lutaris::BusToolbarButton> GetToolbar();
    void Command(uint id);
    void Highlight(uint id);

signals:
    // After every update step of the document.
    void DataChanged();
    // The person chose File > Update or closed the changed object's window: take its storage.
    void Saved();
    // The object is closed: release it.
    void Closed();
    // In-place editing ended: the frame has gone from the container's window.
    void Deactivated();
    // A handle of the resize bar was dragged: the rectangle the object asks for.
    void RequestRect(const QRect& rect);
    // Menu 4's state changed: fetch it again.
    void MenuChanged();
    // The text for the container's status bar.
    void StatusText(const QString& text);

private:
    // Sends the reply's error, if any; true when there was none.
    bool Answer(const EmbeddedObject::Reply& reply);

    EmbeddedObject& object_;
    Server server_;
};

}  // namespace lutaris
