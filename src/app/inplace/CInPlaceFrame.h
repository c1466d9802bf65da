// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QRect>
#include <QWidget>
#include <functional>

#include "app/inplace/CInPlaceToolBar.h"
#include "app/inplace/InPlaceMenu.h"

namespace lutaris {

class PlaybackController;

class CCorvaneDoc;
class CCorvaneView;
class CInPlaceDropTarget;
class CInPlaceResizeBar;

// The frame that holds the view while a container edits the object in place: a window of its
// own put into the container's site window, with the resize bar around the view, a drop
// target on that border, the keys of accelerator table 4 and toolbar 4 (shown by the container
// from its data). The frame takes the rectangle the container gives it and asks for others
// through RequestRect; it never sizes itself.
class CInPlaceFrame : public QWidget {
    Q_OBJECT
public:
    // Runs the application's commands (About); false for ids that are not the application's.
    using CommandHandler = std::function<bool(int commandId)>;

    explicit CInPlaceFrame(CCorvaneDoc& document);
    ~CInPlaceFrame() override;

    // The resize bar and the drop target; 0 on success, -1 when the frame cannot be made.
    int OnCreate();
    // Toolbar 4, owned by this frame so that its commands reach this program.
    bool OnCreateControlBars();
    // Puts the frame into the site and shows it at `position` (site coordinates).
    void Embed(quint64 site, const QRect& position);
    // `position`: the frame with its border; drawing is clipped to `clip` (an empty clip
    // clips nothing).
    void SetObjectRects(const QRect& position, const QRect& clip);
    quint64 Site() const { return site_; }
    // The X window of the frame (the window the container sends its keys to).
    quint64 WindowId() const;
    QRect Position() const { return position_; }

    // "%1 - %2": the container's name of the object, then the short type name.
    void SetContainerObjectName(const QString& name);
    void SetApplicationCommands(CommandHandler handler) {
        applicationCommands_ = std::move(handler);
    }

    InPlaceMenu::State MenuState() const;
    // A command of menu 4, toolbar 4 or accelerator table 4 (32769 ends editing).
    void OnCommand(int commandId);
    // Says MenuChanged when the menu's state is not the one it last reported.
    void CheckMenuState();
    // True while a command runs (one with a dialog may run for long).
    bool Busy() const { return running_ > 0; }

    CCorvaneView& View() { return *view_; }
    CInPlaceToolBar& ToolBar() { return toolBar_; }
    CInPlaceResizeBar& ResizeBar() { return *resizeBar_; }

signals:
    // The person asked to end editing (Esc: command 32769).
    void CancelEdit();
    void RequestRect(const QRect& rect);
    void MenuChanged();
    // The last running command returned.
    void CommandsDone();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddAccelerators();
    void RunCommand(int commandId);
    void UpdateTitle();

    CCorvaneDoc& document_;
    CInPlaceToolBar toolBar_;
    CInPlaceDropTarget* dropTarget_ = nullptr;
    CInPlaceResizeBar* resizeBar_ = nullptr;
    CCorvaneView* view_ = nullptr;
    PlaybackController* playback_ = nullptr;
    CommandHandler applicationCommands_;
    QString containerObjectName_;
    quint64 site_ = 0;
    QRect position_;
    InPlaceMenu::State reported_;
    int running_ = 0;
};

}  // namespace lutaris
