// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QObject>
#include <map>

#include "app/frame/FrameKind.h"

class QAction;
class QWidget;

namespace lutaris {

// One QAction per command of the main frame's menu, with its menu text, status prompt, tooltip
// and the keys of the frame's accelerator table (128 stand-alone, 5 for an object opened from a
// container). Triggering any of them reports the command id.
class FrameActions : public QObject {
    Q_OBJECT
public:
    explicit FrameActions(QWidget* window, FrameKind kind = FrameKind::StandAlone);

    // The action of a command; null for ids the frame has no command for.
    QAction* Action(int commandId) const;
    const std::map<int, QAction*>& All() const { return actions_; }
    // The keys of Undo and Redo: always taken (a disabled action would let Alt+Backspace
    // through to the caret, where it deletes a note), they run the command while its menu item
    // is enabled and do nothing otherwise.
    QAction* UndoKeys() const { return undoKeys_; }
    QAction* RedoKeys() const { return redoKeys_; }
    // Enables Undo and Redo as the document's history allows and names the steps they take
    // ("&Undo Cut\tCtrl+Z").
    void SetUndoRedo(bool canUndo, int undoKind, bool canRedo, int redoKind);

signals:
    void CommandTriggered(int commandId);

private:
    QAction* Add(int commandId, const char* text);
    // Moves the keys of a command's action to an action of their own (see UndoKeys).
    QAction* TakeKeys(QWidget* window, int commandId);
    std::map<int, QAction*> actions_;
    QAction* undoKeys_ = nullptr;
    QAction* redoKeys_ = nullptr;
};

}  // namespace lutaris
