// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <memory>

#include "app/frame/CMainFrame.h"
#include "document/FileCommands.h"

namespace lutaris {

class CCorvaneDoc;
class PrintCommands;
class ProfileStore;

// One document's window: the main frame with the commands it runs for its document (Print and
// its relatives, About, and the File commands of its kind of frame). The stand-alone program
// has one for its document; an object that a container opens in a window of its own gets one
// of the embedded kind, which keeps it when it becomes an ordinary document.
class EditorWindow {
public:
    EditorWindow(CCorvaneDoc& document, ProfileStore& profile, FrameKind kind);
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // Commands tried before the window's own (the recent files, Update); false for the ids
    // that are not theirs.
    void SetCommandHandler(CMainFrame::CommandHandler handler) { handler_ = std::move(handler); }

    CMainFrame& Frame() { return *frame_; }
    PrintCommands& Printing() { return *printing_; }
    FileCommands& Files() { return files_; }

private:
    // The window's share of the command routing; false for ids that are not its own.
    bool OnCommand(int commandId);

    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<PrintCommands> printing_;
    FileCommands files_;
    CMainFrame::CommandHandler handler_;
};

}  // namespace lutaris
