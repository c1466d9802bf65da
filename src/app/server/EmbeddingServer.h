// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <QTimer>
#include <memory>

#include "document/EmbeddedObject.h"
#include "platform/prompt/ServerPrompter.h"

class QDBusObjectPath;
class QDBusServiceWatcher;

namespace lutaris {

class ClassFactoryService;
class EditorSession;
class EmbeddedObjectService;
class InPlaceSession;
class ObjectWindow;
class ProfileStore;
class Prompter;

// The program started by the session bus for a container ("-Embedding" or "-Automation"):
// it owns the well-known name, serves exactly one object and then gives the name up, so that
// the next container gets a process of its own (the multiple-instance factory). It shows no
// window until a container opens the object, watches the container's bus name and ends the
// process when the container goes, unless the person has unsaved work in the object's
// window: that document then lives on as an ordinary untitled one. Verb 0 edits the object in
// place (InPlaceSession; X11 only: elsewhere, and without the container's window, it opens the
// object's own window as verb 1 does, ObjectWindow).
class EmbeddingServer : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kFactoryPath = "/Lutaris/ClassFactory";
    static constexpr const char* kObjectPath = "/Lutaris/EmbeddedObject";
    // A process that no container asks for an object within this time ends.
    static constexpr int kIdleMilliseconds = 30000;

    // `interactive` asks the person once the object has a window; `profile` keeps the print
    // settings. `display` is false when there is no window system to open a window on.
    EmbeddingServer(Prompter& interactive, ProfileStore& profile, bool display);
    ~EmbeddingServer() override;

    // Registers the factory and takes the well-known name; false (with the reason on stderr)
    // when there is no session bus or another process has the name.
    bool Start();

    EmbeddedObject* Object() { return object_.get(); }

private:
    bool CreateInstance(const QString& caller, QDBusObjectPath& path, QString& errorName,
                        QString& errorText);
    EmbeddedObject::Reply DoVerb(std::int32_t verb, quint64 window, const QRect& rect);
    // The container's window went: the container with it.
    void OnSiteDestroyed();
    void CloseObject();
    void OnContainerGone();
    void ExitSoon(int milliseconds);

    Prompter& interactive_;
    ProfileStore& profile_;
    bool display_;
    ServerPrompter prompter_;
    std::unique_ptr<EditorSession> session_;
    std::unique_ptr<EmbeddedObject> object_;
    std::unique_ptr<ObjectWindow> window_;
    std::unique_ptr<InPlaceSession> inPlace_;
    ClassFactoryService* factory_ = nullptr;
    EmbeddedObjectService* service_ = nullptr;
    QDBusServiceWatcher* watcher_ = nullptr;
    QTimer idleTimer_;
    bool created_ = false;
    bool ending_ = false;
};

}  // namespace lutaris
