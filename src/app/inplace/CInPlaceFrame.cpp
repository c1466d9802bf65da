// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/inplace/CInPlaceFrame.h"

#include <QAction>
#include <QEvent>
#include <QRegion>
#include <QTimer>
#include <QWindow>

#include "app/inplace/CInPlaceDropTarget.h"
#include "app/inplace/CInPlaceResizeBar.h"
#include "app/shell/AcceleratorTables.h"
#include "app/shell/PlaybackController.h"
#include "document/CCorvaneDoc.h"
#include "edit/CaretPlace.h"
#include "edit/qt/CCorvaneView.h"
#include "model/CommandIds.h"
#include "platform/files/DocumentClassId.h"

namespace lutaris {

CInPlaceFrame::CInPlaceFrame(CCorvaneDoc& document) : document_(document) {
    setObjectName(QStringLiteral("inPlaceFrame"));
    // A window of its own, so that it can be put into the container's window.
    setAttribute(Qt::WA_NativeWindow);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
}

CInPlaceFrame::~CInPlaceFrame() { delete playback_; }

int CInPlaceFrame::OnCreate() {
    resizeBar_ = new CInPlaceResizeBar(this);
    resizeBar_->setGeometry(rect());
    connect(resizeBar_, &CInPlaceResizeBar::RequestRect, this, &CInPlaceFrame::RequestRect);
    dropTarget_ = new CInPlaceDropTarget(this);
    dropTarget_->Register(*resizeBar_);

    view_ = new CCorvaneView(document_, this);
    view_->raise();
    view_->setFocus(Qt::OtherFocusReason);
    // The view asks for Add Tab Item on a capital I; accelerator table 4 has no such key.
    view_->viewport()->installEventFilter(this);
    view_->installEventFilter(this);
    playback_ = new PlaybackController(document_, *view_, this);
    connect(playback_, &PlaybackController::StateChanged, this, [this] { CheckMenuState(); });
    // Space plays; the view's other request, Add Tab Item, is no command of menu 4's.
    connect(view_, &CCorvaneView::CommandRequested, this, [this](int id) {
        if (id == ID_PLAY) OnCommand(id);
    });
    AddAccelerators();
    UpdateTitle();
    return 0;
}

bool CInPlaceFrame::OnCreateControlBars() { return toolBar_.Create(); }

void CInPlaceFrame::AddAccelerators() {
    for (const accelerator_tables::Accelerator& accelerator : accelerator_tables::InPlace()) {
        auto* action = new QAction(this);
        action->setShortcut(QKeySequence(accelerator.keys));
        const int id = accelerator.id;
        // Esc ends editing, which destroys this frame: not from inside its own action.
        connect(action, &QAction::triggered, this, [this, id] {
            if (id == ID_CANCEL_EDIT_SRVR)
                QTimer::singleShot(0, this, [this] { OnCommand(ID_CANCEL_EDIT_SRVR); });
            else
                OnCommand(id);
        });
        addAction(action);
    }
}

void CInPlaceFrame::Embed(quint64 site, const QRect& position) {
    site_ = site;
    winId();  // the frame's own X window, before it gets its parent
    QWindow* siteWindow = QWindow::fromWinId(static_cast<WId>(site));
    windowHandle()->setParent(siteWindow);
    // Qt's stand-in for the site goes once the frame's window (its child) has gone.
    connect(this, &QObject::destroyed, siteWindow, &QObject::deleteLater);
    SetObjectRects(position, QRect());
    show();
    view_->OnInitialUpdate();
    view_->setFocus(Qt::OtherFocusReason);
}

void CInPlaceFrame::SetObjectRects(const QRect& position, const QRect& clip) {
    position_ = position;
    resizeBar_->SetFrameRect(position);
    setGeometry(position);
    const QRect visible = clip.isEmpty() ? position : clip.intersected(position);
    if (visible == position)
        clearMask();
    else
        setMask(QRegion(visible.translated(-position.topLeft())));
}

quint64 CInPlaceFrame::WindowId() const {
    const QWindow* window = windowHandle();
    return window == nullptr ? 0 : static_cast<quint64>(window->winId());
}

void CInPlaceFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    resizeBar_->setGeometry(rect());
    const int border = CInPlaceResizeBar::kBorder;
    view_->setGeometry(rect().adjusted(border, border, -border, -border));
}

bool CInPlaceFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonRelease:
        case QEvent::KeyRelease:
            // A drag-selection or a key may have changed what Cut and Copy can do.
            QTimer::singleShot(0, this, [this] { CheckMenuState(); });
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void CInPlaceFrame::SetContainerObjectName(const QString& name) {
    containerObjectName_ = name;
    UpdateTitle();
}

void CInPlaceFrame::UpdateTitle() {
    // String 57349, "%1 - %2"; the window's name is what the container can show.
    const QString type = QString::fromLatin1(kDocumentShortTypeName);
    setWindowTitle(containerObjectName_.isEmpty()
                       ? type
                       : QStringLiteral("%1 - %2").arg(containerObjectName_, type));
}

InPlaceMenu::State CInPlaceFrame::MenuState() const {
    InPlaceMenu::State state{!document_.selection.empty(), toolBar_.IsShown()};
    state.canUndo = document_.CanUndo();
    state.canRedo = document_.CanRedo();
    state.undoKind = document_.UndoKind();
    state.redoKind = document_.RedoKind();
    if (playback_ != nullptr) {
        state.playing = playback_->IsPlaying();
        state.loop = playback_->Loop();
        state.soundWhileTyping = playback_->SoundWhileTyping();
    }
    return state;
}

void CInPlaceFrame::CheckMenuState() {
    const InPlaceMenu::State now = MenuState();
    if (now == reported_) return;
    reported_ = now;
    emit MenuChanged();
}

void CInPlaceFrame::OnCommand(int commandId) {
    ++running_;
    RunCommand(commandId);
    if (--running_ == 0) emit CommandsDone();
}

void CInPlaceFrame::RunCommand(int commandId) {
    switch (commandId) {
        case ID_CANCEL_EDIT_SRVR:
            emit CancelEdit();
            return;
        case ID_VIEW_TOOLBAR:
            toolBar_.SetShown(!toolBar_.IsShown());
            CheckMenuState();
            return;
        default:
            break;
    }
    if (playback_ != nullptr && playback_->OnCommand(commandId)) return;
    if (applicationCommands_ && applicationCommands_(commandId)) return;
    const CaretPlace before = CaretPlace::Of(document_);
    document_.OnCommand(commandId);
    view_->FollowCaret(before);
    CheckMenuState();
}

}  // namespace lutaris
