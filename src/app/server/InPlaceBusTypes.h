// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>

namespace lutaris {

// Menu 4 and toolbar 4 as they travel over the bus: a(sa(isbbb)) and a(issay).
struct BusMenuItem {
    qint32 id = 0;
    QString text;
    bool enabled = false;
    bool checkable = false;
    bool checked = false;
};
struct BusMenu {
    QString title;
    QList<BusMenuItem> items;
};
struct BusToolbarButton {
    qint32 id = 0;
    QString tooltip;
    QString prompt;
    QByteArray png;
};

QDBusArgument& operator<<(QDBusArgument& argument, const BusMenuItem& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, BusMenuItem& item);
QDBusArgument& operator<<(QDBusArgument& argument, const BusMenu& menu);
const QDBusArgument& operator>>(const QDBusArgument& argument, BusMenu& menu);
QDBusArgument& operator<<(QDBusArgument& argument, const BusToolbarButton& button);
const QDBusArgument& operator>>(const QDBusArgument& argument, BusToolbarButton& button);

// Before the object that uses them is put on the bus.
void RegisterInPlaceBusTypes();

}  // namespace lutaris

Q_DECLARE_METATYPE(lutaris::BusMenuItem)
Q_DECLARE_METATYPE(lutaris::BusMenu)
Q_DECLARE_METATYPE(lutaris::BusToolbarButton)
