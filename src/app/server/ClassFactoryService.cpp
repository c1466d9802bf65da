// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/server/ClassFactoryService.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace lutaris {

QString ClassFactoryService::CreateInstance(QDBusObjectPath& objectPath) {
    QString errorName;
    QString errorText;
    if (!handler_(message().service(), objectPath, errorName, errorText)) {
        sendErrorReply(errorName, errorText);
        return {};
    }
    return connection().baseService();
}

}  // namespace lutaris
