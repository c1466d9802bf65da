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
    // The keys of the disabled Undo, which must do nothing at all.
    QAction* UndoKeys() const { return undoKeys_; }

signals:
    void CommandTriggered(int commandId);

private:
    QAction* Add(int commandId, const char* text);
    std::map<int, QAction*> actions_;
    QAction* undoKeys_ = nullptr;
};

}  // namespace lutaris
