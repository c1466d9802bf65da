// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QMainWindow>
#include <functional>

#include "app/frame/FrameKind.h"
#include "platform/document/DocumentBase.h"

class QToolBar;

namespace lutaris {

class CCorvaneDoc;
class CCorvaneView;
class FrameActions;
class FrameStatusBar;
class MainMenu;
class PlaybackController;

// The main window: menu 128 (menu 5 for an object opened from a container), the main toolbar,
// the status bar and the view. It routes every command: its own (the bars), then the
// application's, then the document's. It watches the document so that the title's mark of
// unsaved changes and the Undo and Redo items follow every change, however it was made.
class CMainFrame : public QMainWindow, public DocumentObserver {
    Q_OBJECT
public:
    // Runs the application's commands; false for ids that are not the application's.
    using CommandHandler = std::function<bool(int commandId)>;

    // Decides whether the window may close (it then closes); without one the document is
    // asked to save its changes.
    using CloseHandler = std::function<bool()>;

    explicit CMainFrame(CCorvaneDoc& document, QWidget* parent = nullptr,
                        FrameKind kind = FrameKind::StandAlone);
    ~CMainFrame() override;

    void SetApplicationCommands(CommandHandler handler) {
        applicationCommands_ = std::move(handler);
    }
    void SetCloseHandler(CloseHandler handler) { closeHandler_ = std::move(handler); }
    void OnCommand(int commandId);
    // "Untitled - Lutaris", or the document's file name in place of "Untitled", with "*" before
    // it while there are unsaved changes; for an object opened from a container "Lutars in "
    // and the container's name of the object. Also enables Undo and Redo.
    void UpdateTitle();
    void OnDocumentUpdated() override { UpdateTitle(); }
    void SetContainerObjectName(const QString& name);
    FrameKind Kind() const { return kind_; }
    // An opened object whose container has gone: the window keeps its document, now an
    // ordinary one, with menu 128 and accelerator table 128.
    void BecomeStandAlone();
    // The View menu's check marks as the bars stand now (after bars were shown or hidden
    // before the window was, which tells no one).
    void UpdateBarChecks();

    CCorvaneView& View() { return *view_; }
    FrameActions& Actions() { return *actions_; }
    MainMenu& Menu() { return *menu_; }
    QToolBar& ToolBar() { return *toolBar_; }
    FrameStatusBar& StatusPanes() { return *statusBar_; }
    PlaybackController& Playback() { return *playback_; }

signals:
    void RecentFileChosen(int index);
    // The window is about to close: it was allowed to.
    void Closing();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool OnFrameCommand(int commandId);
    void CreateToolBar();
    void ConnectCommands();
    void ConnectPrompts();
    // Play's text and the Play menu's check marks as playback has them.
    void ShowPlayState();

    CCorvaneDoc& document_;
    FrameActions* actions_;
    MainMenu* menu_;
    QToolBar* toolBar_ = nullptr;
    FrameStatusBar* statusBar_;
    CCorvaneView* view_;
    PlaybackController* playback_;
    CommandHandler applicationCommands_;
    CloseHandler closeHandler_;
    FrameKind kind_;
    QString containerObjectName_;
};

}  // namespace lutaris
