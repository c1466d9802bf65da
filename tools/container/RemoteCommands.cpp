// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "RemoteCommands.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QMenu>

namespace lutaris::container {
namespace {

// Menus nest no deeper than this; a deeper list is damaged and its rest goes flat.
constexpr int kMaxDepth = 8;

bool SingleArgument(const QDBusMessage& reply, const char* signature, QDBusArgument& argument) {
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1) return false;
    if (!reply.arguments()[0].canConvert<QDBusArgument>()) return false;
    argument = reply.arguments()[0].value<QDBusArgument>();
    return argument.currentSignature() == QLatin1String(signature);
}

}  // namespace

// The reading operations of QDBusArgument are its const ones; a writable argument would pick
// the writing ones.
bool ParseMenu(const QDBusMessage& reply, QList<RemoteMenu>& menus) {
    QDBusArgument writable;
    if (!SingleArgument(reply, "a(sa(isbbb))", writable)) return false;
    const QDBusArgument& argument = writable;
    menus.clear();
    argument.beginArray();
    while (!argument.atEnd()) {
        RemoteMenu menu;
        argument.beginStructure();
        argument >> menu.title;
        argument.beginArray();
        while (!argument.atEnd()) {
            RemoteItem item;
            argument.beginStructure();
            argument >> item.id >> item.text >> item.enabled >> item.checkable >> item.checked;
            argument.endStructure();
            menu.items << item;
        }
        argument.endArray();
        argument.endStructure();
        menus << menu;
    }
    argument.endArray();
    return true;
}

bool ParseToolbar(const QDBusMessage& reply, QList<RemoteButton>& buttons) {
    QDBusArgument writable;
    if (!SingleArgument(reply, "a(issay)", writable)) return false;
    const QDBusArgument& argument = writable;
    buttons.clear();
    argument.beginArray();
    while (!argument.atEnd()) {
        RemoteButton button;
        argument.beginStructure();
        argument >> button.id >> button.tooltip >> button.prompt >> button.png;
        argument.endStructure();
        buttons << button;
    }
    argument.endArray();
    return true;
}

void FillMenu(QMenu* menu, const QList<RemoteItem>& items, const std::function<void(int)>& run,
              const std::function<void(int)>& hover) {
    menu->clear();
    QList<QMenu*> open{menu};
    for (const RemoteItem& item : items) {
        QMenu* current = open.back();
        if (item.id == -1) {
            QMenu* sub = current->addMenu(item.text);
            if (open.size() < kMaxDepth) open << sub;
            continue;
        }
        if (item.id == -2) {
            if (open.size() > 1) open.removeLast();
            continue;
        }
        if (item.id == 0) {
            current->addSeparator();
            continue;
        }
        QAction* action = current->addAction(item.text);
        action->setEnabled(item.enabled);
        action->setCheckable(item.checkable);
        action->setChecked(item.checked);
        const int id = item.id;
        QObject::connect(action, &QAction::triggered, menu, [run, id] { run(id); });
        QObject::connect(action, &QAction::hovered, menu, [hover, id] { hover(id); });
    }
}

}  // namespace lutaris::container
