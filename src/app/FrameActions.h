#pragma once

#include <QObject>
#include <map>

class QAction;
class QWidget;

namespace lutaris {

// One QAction per command of the main frame, with its menu text, status prompt, tooltip and
// the keys of the main accelerator table. Triggering any of them reports the command id.
class FrameActions : public QObject {
    Q_OBJECT
public:
    explicit FrameActions(QWidget* window);

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
