// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/server/ObjectWindow.h"

#include "app/editor/EditorWindow.h"
#include "app/server/EmbeddedObjectService.h"
#include "document/CCorvaneDoc.h"
#include "edit/qt/CCorvaneView.h"
#include "model/CommandIds.h"
#include "platform/prompt/ServerPrompter.h"

namespace lutaris {

ObjectWindow::ObjectWindow(EmbeddedObject& object, ServerPrompter& prompter, Prompter& interactive,
                           ProfileStore& profile, EmbeddedObjectService& service)
    : object_(object),
      prompter_(prompter),
      interactive_(interactive),
      profile_(profile),
      service_(service) {}

ObjectWindow::~ObjectWindow() { window_.reset(); }

EmbeddedObject::Reply ObjectWindow::Open() {
    if (!window_) {
        window_ = std::make_unique<EditorWindow>(object_.Document(), profile_, FrameKind::Embedded);
        window_->SetCommandHandler([this](int commandId) { return OnCommand(commandId); });
        window_->Frame().SetCloseHandler([this] { return OnClose(); });
        prompter_.SetInteractive(&interactive_);
    }
    CMainFrame& frame = window_->Frame();
    frame.SetContainerObjectName(QString::fromStdString(object_.ContainerObject()));
    const bool shown = frame.isVisible();
    frame.show();
    if (!shown) frame.View().OnInitialUpdate();
    frame.raise();
    frame.activateWindow();
    frame.View().setFocus(Qt::OtherFocusReason);
    return std::nullopt;
}

void ObjectWindow::Hide() {
    if (window_ && !ordinary_) window_->Frame().hide();
}

bool ObjectWindow::OnCommand(int commandId) {
    if (commandId != ID_FILE_UPDATE) return false;
    if (!ordinary_) emit service_.Saved();
    return true;
}

bool ObjectWindow::OnClose() {
    if (ordinary_) {
        if (!ordinary_->SaveModified()) return false;
        emit Finished();
        return true;
    }
    // The container takes the changes before the object's window goes; it keeps the object
    // (and may open it again) until it closes it.
    if (object_.HasChangesNotTaken()) emit service_.Saved();
    emit service_.Closed();
    return true;
}

void ObjectWindow::KeepAsOrdinaryDocument() {
    ordinary_ = object_.ReleaseDocument();
    ordinary_->SetPathName({});
    ordinary_->SetModifiedFlag(true);
    CMainFrame& frame = window_->Frame();
    frame.BecomeStandAlone();
    frame.show();
    frame.raise();
}

}  // namespace lutaris
