// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

class QDBusMessage;
class QMenu;

namespace lutaris::container {

// The server's menu and toolbar as the bus carries them (GetMenu, GetToolbar).
struct RemoteItem {
    int id = 0;  // 0 separator, -1 opens a submenu titled `text`, -2 closes it
    QString text;
    bool enabled = false;
    bool checkable = false;
    bool checked = false;
};

struct RemoteMenu {
    QString title;  // empty with no items: a group separator
    QList<RemoteItem> items;
    bool IsGroupSeparator() const { return title.isEmpty() && items.isEmpty(); }
};

struct RemoteButton {
    int id = 0;  // 0 separator
    QString tooltip;
    QString prompt;
    QByteArray png;
};

// Both give false for a reply of another type.
bool ParseMenu(const QDBusMessage& reply, QList<RemoteMenu>& menus);
bool ParseToolbar(const QDBusMessage& reply, QList<RemoteButton>& buttons);

// Fills `menu` with the items (submenus nested as the markers say; a stray close marker or an
// unclosed submenu does no harm). Each command item calls `run` with its id and `hover` on
// mouse-over.
void FillMenu(QMenu* menu, const QList<RemoteItem>& items, const std::function<void(int)>& run,
              const std::function<void(int)>& hover);

}  // namespace lutaris::container
