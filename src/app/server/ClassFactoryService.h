// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>
#include <functional>

namespace lutaris {

// `Lutaris.ClassFactory` at /Lutaris/ClassFactory: the one call through which a container gets
// its object. The server decides what each call gets.
class ClassFactoryService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Lutaris.ClassFactory")
public:
    // Given the caller's unique bus name: the object's path, or an error that the handler has
    // put into `errorName` and `errorText`.
    using Handler = std::function<bool(const QString& caller, QDBusObjectPath& path,
                                       QString& errorName, QString& errorText)>;

    explicit ClassFactoryService(Handler handler, QObject* parent = nullptr)
        : QObject(parent), handler_(std::move(handler)) {}

public slots:
    // The process's unique bus name, which the container uses for every later call, and the
    // object's path.
    QString CreateInstance(QDBusObjectPath& objectPath);

private:
    Handler handler_;
};

}  // namespace lutaris
