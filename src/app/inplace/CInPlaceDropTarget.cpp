// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/inplace/CInPlaceDropTarget.h"

#include <QDragMoveEvent>
#include <QWidget>

namespace lutaris {

void CInPlaceDropTarget::Register(QWidget& widget) {
    widget.setAcceptDrops(true);
    widget.installEventFilter(this);
}

bool CInPlaceDropTarget::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        // Taken, so that the drag does not fall through to the container behind, and refused.
        auto* drag = static_cast<QDragMoveEvent*>(event);
        drag->setDropAction(Qt::IgnoreAction);
        drag->ignore();
        return true;
    }
    case QEvent::Drop:
        event->ignore();
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

}  // namespace lutaris
