// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QString>
#include <QWidget>

namespace lutaris::test {

// The title as the window manager shows it: Qt's "[*]" placeholder becomes "*" while the window
// is modified and disappears otherwise.
inline QString ShownTitle(const QWidget& window) {
    QString title = window.windowTitle();
    title.replace(QStringLiteral("[*]"),
                  window.isWindowModified() ? QStringLiteral("*") : QString());
    return title;
}

}  // namespace lutaris::test
