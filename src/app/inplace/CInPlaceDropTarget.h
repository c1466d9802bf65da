// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QObject>

namespace lutaris {

// The drop target of the in-place frame's own area (its resize border): every drag over it is
// answered with no drop. Drops on the tablature are the view's.
class CInPlaceDropTarget : public QObject {
    Q_OBJECT
public:
    explicit CInPlaceDropTarget(QObject* parent = nullptr) : QObject(parent) {}
    // Takes the drags of `widget`.
    void Register(class QWidget& widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace lutaris
