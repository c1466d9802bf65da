// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/server/InPlaceBusTypes.h"

#include <QDBusMetaType>

namespace lutaris {

QDBusArgument& operator<<(QDBusArgument& argument, const BusMenuItem& item) {
    argument.beginStructure();
    argument << item.id << item.text << item.enabled << item.checkable << item.checked;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, BusMenuItem& item) {
    argument.beginStructure();
    argument >> item.id >> item.text >> item.enabled >> item.checkable >> item.checked;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const BusMenu& menu) {
    argument.beginStructure();
    argument << menu.title << menu.items;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, BusMenu& menu) {
    argument.beginStructure();
    argument >> menu.title >> menu.items;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const BusToolbarButton& button) {
    argument.beginStructure();
    argument << button.id << button.tooltip << button.prompt << button.png;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, BusToolbarButton& button) {
    argument.beginStructure();
    argument >> button.id >> button.tooltip >> button.prompt >> button.png;
    argument.endStructure();
    return argument;
}

void RegisterInPlaceBusTypes() {
    qDBusRegisterMetaType<BusMenuItem>();
    qDBusRegisterMetaType<QList<BusMenuItem>>();
    qDBusRegisterMetaType<BusMenu>();
    qDBusRegisterMetaType<QList<BusMenu>>();
    qDBusRegisterMetaType<BusToolbarButton>();
    qDBusRegisterMetaType<QList<BusToolbarButton>>();
}

}  // namespace lutaris
