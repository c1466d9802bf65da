// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QList>
#include <QObject>
#include <QRect>
#include <memory>

#include "document/EmbeddedObject.h"

namespace lutaris {

class CInPlaceFrame;
class EmbeddedObjectService;
class Prompter;
class ServerPrompter;
class X11DestroyWatcher;
struct BusMenu;
struct BusToolbarButton;

// Editing the object in place (verb 0): the frame in the container's site window, its
// rectangles, menu 4 and toolbar 4 as data for the container, their commands and prompts, and
// the end of editing (Esc, verb -1, Close, or the site's destruction). Every bus call that
// needs the frame is an error while the object is not in place.
class InPlaceSession : public QObject {
    Q_OBJECT
public:
    // The object's container hears of the session through `service`'s signals; the person is
    // asked through `interactive` once the frame is shown.
    InPlaceSession(EmbeddedObject& object, ServerPrompter& prompter, Prompter& interactive,
                   EmbeddedObjectService& service);
    ~InPlaceSession() override;

    // True where editing in place is possible at all: on an X server.
    static bool Available();

    // Puts the frame into `site` at `rect` (site coordinates; empty: the whole site), or only
    // moves and raises it when it is there already.
    EmbeddedObject::Reply Activate(quint64 site, const QRect& rect);
    // Ends editing in place: the frame leaves the container's window, which hears
    // Deactivated. Nothing happens when the object is not in place.
    void Deactivate();
    bool Active() const { return frame_ != nullptr; }
    // The frame's X window; 0 when not in place.
    quint64 WindowId() const;

    EmbeddedObject::Reply SetObjectRects(const QRect& position, const QRect& clip);
    EmbeddedObject::Reply GetMenu(QList<BusMenu>& menus) const;
    EmbeddedObject::Reply GetToolbar(QList<BusToolbarButton>& buttons) const;
    EmbeddedObject::Reply RunCommand(quint32 id);
    EmbeddedObject::Reply Highlight(quint32 id);

    // Builds a frame once and throws it away: the first frame of a process builds Qt's widget
    // style and fonts, which then need not be built while the container waits.
    void WarmUp();

signals:
    // The frame is about to be put into a site: the object is edited in one place at a time.
    void Activating();
    // The container's window went, and with it the frame: the container is gone.
    void SiteDestroyed();

private:
    EmbeddedObject& object_;
    ServerPrompter& prompter_;
    Prompter& interactive_;
    EmbeddedObjectService& service_;
    std::unique_ptr<CInPlaceFrame> frame_;
    X11DestroyWatcher* siteWatcher_ = nullptr;
};

}  // namespace lutaris
