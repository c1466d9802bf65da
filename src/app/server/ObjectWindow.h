// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QObject>
#include <memory>

#include "document/EmbeddedObject.h"

namespace lutaris {

class CCorvaneDoc;
class EditorWindow;
class EmbeddedObjectService;
class ProfileStore;
class Prompter;
class ServerPrompter;

// The object's window of its own (verb 1): menu 5 with File > Update and Save Copy As, the
// container's name in the title, and Saved and Closed for the container when the person
// updates or closes it. When the container goes while the window holds work it has not taken,
// the document is kept in the window as an ordinary untitled one.
class ObjectWindow : public QObject {
    Q_OBJECT
public:
    ObjectWindow(EmbeddedObject& object, ServerPrompter& prompter, Prompter& interactive,
                 ProfileStore& profile, EmbeddedObjectService& service);
    ~ObjectWindow() override;

    // Shows the window (made on first use) in front with the view focused.
    EmbeddedObject::Reply Open();
    // Hides the window of an object (a document kept as an ordinary one keeps it).
    void Hide();
    bool Exists() const { return window_ != nullptr; }
    // True once the document lives on as an ordinary one.
    bool Ordinary() const { return ordinary_ != nullptr; }
    // The container has gone: the document leaves the object and becomes an ordinary untitled
    // one in this window, which must exist.
    void KeepAsOrdinaryDocument();

signals:
    // The person closed the window of the ordinary document: the process may end.
    void Finished();

private:
    bool OnCommand(int commandId);
    bool OnClose();

    EmbeddedObject& object_;
    ServerPrompter& prompter_;
    Prompter& interactive_;
    ProfileStore& profile_;
    EmbeddedObjectService& service_;
    // Declared before the window, which shows it and goes first.
    std::unique_ptr<CCorvaneDoc> ordinary_;
    std::unique_ptr<EditorWindow> window_;
};

}  // namespace lutaris
