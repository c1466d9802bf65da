// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QObject>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

namespace lutaris::test {

// Counts the object's signals as the bus delivers them.
class SignalCounter : public QObject {
    Q_OBJECT
public:
    int dataChanged = 0;
    int saved = 0;
    int closed = 0;
    int deactivated = 0;
    int menuChanged = 0;
    QStringList statusTexts;
    QList<QRect> requestedRects;

public slots:
    void OnDataChanged() { ++dataChanged; }
    void OnSaved() { ++saved; }
    void OnClosed() { ++closed; }
    void OnDeactivated() { ++deactivated; }
    void OnMenuChanged() { ++menuChanged; }
    void OnStatusText(const QString& text) { statusTexts << text; }
    void OnRequestRect(const QRect& rect) { requestedRects << rect; }
};

}  // namespace lutaris::test
