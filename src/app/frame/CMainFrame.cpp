// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/frame/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QToolBar>

#include "app/frame/FrameActions.h"
#include "app/frame/FrameStatusBar.h"
#include "app/frame/MainMenu.h"
#include "app/frame/WindowPlacement.h"
#include "app/shell/AppArtwork.h"
#include "app/shell/CommandStrings.h"
#include "app/shell/PlaybackController.h"
#include "document/CCorvaneDoc.h"
#include "edit/CaretPlace.h"
#include "edit/qt/CCorvaneView.h"
#include "model/CommandIds.h"
#include "platform/files/DocumentClassId.h"

namespace lutaris {

namespace {

constexpr int kSeparator = 0;

// Toolbar 128: the buttons in order, with their separators.
constexpr int kToolBarButtons[] = {
    ID_FILE_NEW,  ID_FILE_OPEN,  ID_FILE_SAVE, kSeparator,    ID_EDIT_CUT,
    ID_EDIT_COPY, ID_EDIT_PASTE, kSeparator,   ID_FILE_PRINT, ID_APP_ABOUT,
};

}  // namespace

CMainFrame::CMainFrame(CCorvaneDoc& document, QWidget* parent, FrameKind kind)
    : QMainWindow(parent), document_(document), kind_(kind) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(AppArtwork::ProgramIcon());
    actions_ = new FrameActions(this, kind);
    menu_ = new MainMenu(*menuBar(), *actions_, kind);
    CreateToolBar();
    statusBar_ = new FrameStatusBar(this);
    setStatusBar(statusBar_);
    view_ = new CCorvaneView(document_, this);
    setCentralWidget(view_);
    view_->setFocus(Qt::OtherFocusReason);
    playback_ = new PlaybackController(document_, *view_, this);
    connect(playback_, &PlaybackController::StateChanged, this, &CMainFrame::ShowPlayState);
    connect(playback_, &PlaybackController::StatusMessage, this,
            [this](const QString& text) { statusBar_->ShowPrompt(text); });

    ConnectCommands();
    connect(view_, &CCorvaneView::CommandRequested, this, &CMainFrame::OnCommand);
    qApp->installEventFilter(this);
    window_placement::FitToScreen(*this);
    document_.AddView(this);
    UpdateTitle();
}

CMainFrame::~CMainFrame() {
    document_.RemoveView(this);
    qApp->removeEventFilter(this);
    // Silent before the view it moves the cursor of goes.
    delete playback_;
}

void CMainFrame::ConnectCommands() {
    connect(actions_, &FrameActions::CommandTriggered, this, &CMainFrame::OnCommand);
    connect(menu_, &MainMenu::RecentFileChosen, this, &CMainFrame::RecentFileChosen);
    ConnectPrompts();
}

void CMainFrame::BecomeStandAlone() {
    if (kind_ == FrameKind::StandAlone) return;
    kind_ = FrameKind::StandAlone;
    const bool toolBarShown = !toolBar_->isHidden();
    for (QMenu* menu : menu_->TopMenus()) menu->deleteLater();
    menuBar()->clear();
    delete menu_;
    removeToolBar(toolBar_);
    delete toolBar_;
    delete actions_;
    actions_ = new FrameActions(this, kind_);
    menu_ = new MainMenu(*menuBar(), *actions_, kind_);
    CreateToolBar();
    toolBar_->setVisible(toolBarShown);
    UpdateBarChecks();
    ShowPlayState();
    ConnectCommands();
    UpdateTitle();
}

void CMainFrame::UpdateBarChecks() {
    actions_->Action(ID_VIEW_TOOLBAR)->setChecked(!toolBar_->isHidden());
    actions_->Action(ID_VIEW_STATUS_BAR)->setChecked(!statusBar_->isHidden());
}

void CMainFrame::CreateToolBar() {
    toolBar_ = new QToolBar(QStringLiteral("Toolbar"), this);
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setIconSize(QSize(AppArtwork::kToolbarImageWidth, AppArtwork::kToolbarImageHeight));
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    // An object opened from a container has no New, Open or Save: their buttons go with them.
    for (const int command : kToolBarButtons) {
        if (command == kSeparator) {
            if (!toolBar_->actions().isEmpty()) toolBar_->addSeparator();
        } else if (QAction* action = actions_->Action(command))
            toolBar_->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);

    // The check marks follow the bars, however they were hidden.
    QAction* toolBarItem = actions_->Action(ID_VIEW_TOOLBAR);
    connect(toolBar_, &QToolBar::visibilityChanged, toolBarItem,
            [this, toolBarItem] { toolBarItem->setChecked(!toolBar_->isHidden()); });
}

void CMainFrame::ShowPlayState() {
    playback_->ShowState(actions_->Action(ID_PLAY), actions_->Action(ID_PLAY_LOOP),
                         actions_->Action(ID_SOUND_WHILE_TYPING));
}

void CMainFrame::ConnectPrompts() {
    // A menu item's prompt shows while the item is highlighted, also when it is empty; when
    // the menus close the pane says "Ready" again.
    for (QMenu* menu : menu_->AllMenus()) {
        connect(menu, &QMenu::hovered, this,
                [this](QAction* action) { statusBar_->ShowPrompt(action->statusTip()); });
    }
    for (QMenu* menu : menu_->TopMenus())
        connect(menu, &QMenu::aboutToHide, this, [this] { statusBar_->ShowIdle(); });
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // Menus report their items through hovered(); the toolbar's buttons come here.
        if (qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr) return true;
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (tip.isEmpty())
            statusBar_->ShowIdle();
        else
            statusBar_->ShowPrompt(tip);
        return true;
    }
    return QMainWindow::event(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // The lock keys change the indicators; Qt reports no lock state of its own.
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease)
        statusBar_->RefreshKeyLocks(static_cast<const QKeyEvent*>(event));
    else if (type == QEvent::WindowActivate)
        statusBar_->RefreshKeyLocks();
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::keyPressEvent(QKeyEvent* event) {
    // The view takes the keys while it has the focus; this catches the capital I elsewhere.
    if (kind_ == FrameKind::StandAlone && CCorvaneView::IsAddTabItemCharacter(*event)) {
        OnCommand(ID_ADD_TAB_ITEM);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (closeHandler_ ? closeHandler_() : document_.SaveModified()) {
        emit Closing();
        event->accept();
    } else
        event->ignore();
}

void CMainFrame::OnCommand(int commandId) {
    // The view asks for Add Tab Item on a capital I; an opened object's table has no such key.
    if (kind_ == FrameKind::Embedded && commandId == ID_ADD_TAB_ITEM) return;
    const CaretPlace before = CaretPlace::Of(document_);
    if (!OnFrameCommand(commandId) && !(applicationCommands_ && applicationCommands_(commandId)))
        document_.OnCommand(commandId);
    view_->FollowCaret(before);
    UpdateTitle();
}

bool CMainFrame::OnFrameCommand(int commandId) {
    switch (commandId) {
        case ID_VIEW_TOOLBAR:
            toolBar_->setVisible(toolBar_->isHidden());
            actions_->Action(ID_VIEW_TOOLBAR)->setChecked(!toolBar_->isHidden());
            return true;
        case ID_VIEW_STATUS_BAR:
            statusBar_->setVisible(statusBar_->isHidden());
            actions_->Action(ID_VIEW_STATUS_BAR)->setChecked(!statusBar_->isHidden());
            return true;
        case ID_NEXT_PANE:
        case ID_PREV_PANE:
            return true;  // the view is never split: there is no other pane
        case ID_APP_EXIT:
            close();
            return true;
        default:
            return playback_->OnCommand(commandId);
    }
}

void CMainFrame::SetContainerObjectName(const QString& name) {
    containerObjectName_ = name;
    UpdateTitle();
}

void CMainFrame::UpdateTitle() {
    actions_->SetUndoRedo(document_.CanUndo(), document_.UndoKind(), document_.CanRedo(),
                          document_.RedoKind());
    if (kind_ == FrameKind::Embedded) {
        // String 57347, "%1 in %2": the short type name and the container's object.
        setWindowTitle(QStringLiteral("%1 in %2")
                           .arg(QString::fromLatin1(kDocumentShortTypeName), containerObjectName_));
        return;
    }
    // Qt's placeholder shows "*" while the window is modified, as desktop programs mark it.
    const QString title = QStringLiteral("[*]") + QString::fromStdString(document_.GetTitle()) +
                          QStringLiteral(" - ") + QString::fromLatin1(kApplicationTitle);
    if (windowTitle() != title) setWindowTitle(title);
    setWindowModified(document_.IsModified());
}

}  // namespace lutaris
