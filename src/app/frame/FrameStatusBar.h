// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QStatusBar>

class QKeyEvent;
class QLabel;

namespace lutaris {

struct KeyLocks;

// The main frame's status bar: the message pane ("Ready" when idle, a command's prompt while
// it is under the mouse) and the CAP, NUM and SCRL panes, which show their text only while the
// lock is on.
class FrameStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit FrameStatusBar(QWidget* parent = nullptr);

    // A command's prompt; an empty prompt leaves the pane empty, as for the commands that
    // have none.
    void ShowPrompt(const QString& prompt);
    void ShowIdle();
    QString MessageText() const;

    void ShowKeyLocks(const KeyLocks& locks);
    // Asks the display server; where it cannot tell (Wayland), reads the locks from `key`, the
    // key event being handled, and without one keeps the panes as they are.
    void RefreshKeyLocks(const QKeyEvent* key = nullptr);
    QString IndicatorText(int index) const;

private:
    QLabel* message_;
    QLabel* indicators_[3];
};

}  // namespace lutaris
