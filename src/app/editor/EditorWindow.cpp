// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/editor/EditorWindow.h"

#include "app/frame/WindowPlacement.h"
#include "app/print/PrintCommands.h"
#include "app/shell/CAboutDlg.h"
#include "document/CCorvaneDoc.h"
#include "model/CommandIds.h"

namespace lutaris {

EditorWindow::EditorWindow(CCorvaneDoc& document, ProfileStore& profile, FrameKind kind)
    : frame_(std::make_unique<CMainFrame>(document, nullptr, kind)),
      printing_(std::make_unique<PrintCommands>(profile, document)),
      files_(document) {
    frame_->SetApplicationCommands([this](int commandId) {
        return (handler_ && handler_(commandId)) || OnCommand(commandId);
    });
    // The program's own window comes back as it was left; an opened object's window is a
    // passing one and leaves the profile alone.
    if (kind == FrameKind::StandAlone) {
        window_placement::Restore(*frame_, profile);
        frame_->UpdateBarChecks();
        QObject::connect(frame_.get(), &CMainFrame::Closing, frame_.get(),
                         [this, &profile] { window_placement::Save(*frame_, profile); });
    }
}

// The window goes before the printing and the document it shows.
EditorWindow::~EditorWindow() { frame_.reset(); }

bool EditorWindow::OnCommand(int commandId) {
    CMainFrame* owner = frame_.get();
    switch (commandId) {
        case ID_FILE_PRINT:
            printing_->Print(owner);
            return true;
        case ID_FILE_PRINT_DIRECT:
            printing_->PrintDirect();
            return true;
        case ID_FILE_PRINT_PREVIEW:
            printing_->PrintPreview(owner);
            return true;
        case ID_FILE_PRINT_SETUP:
            printing_->PrintSetup(owner);
            return true;
        default:
            break;
    }
    if (CAboutDlg::RunCommand(commandId)) return true;
    // An opened object copies itself to a file; the document's own File commands are the
    // stand-alone frame's (also of an object kept after its container went).
    if (frame_->Kind() == FrameKind::Embedded) {
        if (commandId != ID_FILE_SAVE_COPY_AS) return false;
        files_.SaveCopyAs();
        return true;
    }
    switch (commandId) {
        case ID_FILE_NEW:
            files_.New();
            return true;
        case ID_FILE_OPEN:
            files_.Open();
            return true;
        case ID_FILE_SAVE:
            files_.Save();
            return true;
        case ID_FILE_SAVE_AS:
            files_.SaveAs();
            return true;
        default:
            return false;
    }
}

}  // namespace lutaris
