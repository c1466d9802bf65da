// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "EmbeddedObjectLink.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QElapsedTimer>
#include <QThread>

namespace lutaris::container {
namespace {

const QString kInterface = QStringLiteral("Lutaris.EmbeddedObject");
QDBusConnection Bus() { return QDBusConnection::sessionBus(); }

QString Describe(const QDBusMessage& reply) {
    if (reply.type() == QDBusMessage::ErrorMessage) {
        return reply.errorName() + QStringLiteral(": ") + reply.errorMessage();
    }
    return QStringLiteral("no reply");
}

}  // namespace

EmbeddedObjectLink* EmbeddedObjectLink::Create(const QString& busName, QString* error,
                                               QObject* parent) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        busName, QStringLiteral("/Lutaris/ClassFactory"), QStringLiteral("Lutaris.ClassFactory"),
        QStringLiteral("CreateInstance"));
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        const QDBusMessage reply = Bus().call(call, QDBus::Block, 30000);
        if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 2) {
            const QString server = reply.arguments()[0].toString();
            const QString path = reply.arguments()[1].value<QDBusObjectPath>().path();
            if (!server.isEmpty() && !path.isEmpty()) {
                return new EmbeddedObjectLink(server, path, parent);
            }
        }
        // A server that is starting for someone else's request: the next request gets a
        // process of its own.
        if (reply.errorName() == QStringLiteral("Lutaris.Error.TryAgain") &&
            timer.elapsed() < 30000) {
            QThread::msleep(50);
            continue;
        }
        if (error) *error = Describe(reply);
        return nullptr;
    }
}

EmbeddedObjectLink::EmbeddedObjectLink(const QString& server, const QString& path, QObject* parent)
    : QObject(parent), server_(server), path_(path) {
    QDBusConnection bus = Bus();
    const struct {
        const char* name;
        const char* slot;
    } signalsToSlots[] = {
        {"DataChanged", SLOT(OnDataChanged())},
        {"Saved", SLOT(OnSaved())},
        {"Closed", SLOT(OnClosed())},
        {"Deactivated", SLOT(OnDeactivated())},
        {"RequestRect", SLOT(OnRequestRect(QDBusMessage))},
        {"MenuChanged", SLOT(OnMenuChanged())},
        {"StatusText", SLOT(OnStatusText(QString))},
    };
    for (const auto& entry : signalsToSlots) {
        bus.connect(server_, path_, kInterface, QString::fromLatin1(entry.name), this, entry.slot);
    }
    watcher_ =
        new QDBusServiceWatcher(server_, bus, QDBusServiceWatcher::WatchForUnregistration, this);
    connect(watcher_, &QDBusServiceWatcher::serviceUnregistered, this,
            &EmbeddedObjectLink::OnServiceGone);
    // The name may have gone before the watcher was there.
    if (!bus.interface()->isServiceRegistered(server_).value()) alive_ = false;
}

EmbeddedObjectLink::~EmbeddedObjectLink() = default;

void EmbeddedObjectLink::OnServiceGone() {
    if (!alive_) return;
    alive_ = false;
    emit Died();
}

void EmbeddedObjectLink::OnRequestRect(const QDBusMessage& message) {
    if (message.arguments().size() != 1) return;
    QRect rect;
    message.arguments()[0].value<QDBusArgument>() >> rect;
    emit RequestRect(rect);
}

bool EmbeddedObjectLink::Call(const char* method, const QVariantList& arguments,
                              QDBusMessage* reply, int timeout) {
    if (!alive_) {
        lastError_ = QStringLiteral("the server has gone");
        return false;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(server_, path_, kInterface, QString::fromLatin1(method));
    call.setArguments(arguments);
    const QDBusMessage answer = Bus().call(call, QDBus::Block, timeout);
    if (answer.type() != QDBusMessage::ReplyMessage) {
        lastError_ = QString::fromLatin1(method) + QStringLiteral(": ") + Describe(answer);
        return false;
    }
    if (reply) *reply = answer;
    return true;
}

bool EmbeddedObjectLink::InitNew() { return Call("InitNew", {}); }

bool EmbeddedObjectLink::Load(const QByteArray& storage) {
    return Call("Load", {storage}, nullptr, 120000);
}

bool EmbeddedObjectLink::Save(QByteArray& storage) {
    QDBusMessage reply;
    if (!Call("Save", {}, &reply, 120000) || reply.arguments().size() != 1) return false;
    storage = reply.arguments()[0].toByteArray();
    return true;
}

bool EmbeddedObjectLink::GetExtent(QSize& himetric) {
    QDBusMessage reply;
    if (!Call("GetExtent", {1u}, &reply) || reply.arguments().size() != 2) return false;
    himetric = QSize(reply.arguments()[0].toInt(), reply.arguments()[1].toInt());
    return true;
}

bool EmbeddedObjectLink::Draw(const QString& mimeType, QSize pixels, QByteArray& picture) {
    QDBusMessage reply;
    if (!Call("Draw", {mimeType, pixels.width(), pixels.height()}, &reply) ||
        reply.arguments().size() != 1) {
        return false;
    }
    picture = reply.arguments()[0].toByteArray();
    return true;
}

bool EmbeddedObjectLink::SetHostNames(const QString& app, const QString& object) {
    return Call("SetHostNames", {app, object});
}

bool EmbeddedObjectLink::DoVerb(int verb, quint64 window, QRect rect) {
    return Call("DoVerb", {verb, QVariant::fromValue<qulonglong>(window), rect});
}

quint64 EmbeddedObjectLink::GetInPlaceWindow() {
    QDBusMessage reply;
    if (!Call("GetInPlaceWindow", {}, &reply) || reply.arguments().size() != 1) return 0;
    return reply.arguments()[0].toULongLong();
}

bool EmbeddedObjectLink::SetObjectRects(QRect position, QRect clip) {
    return Call("SetObjectRects", {position, clip});
}

bool EmbeddedObjectLink::GetMenu(QDBusMessage& reply) { return Call("GetMenu", {}, &reply); }

bool EmbeddedObjectLink::GetToolbar(QDBusMessage& reply) { return Call("GetToolbar", {}, &reply); }

bool EmbeddedObjectLink::Command(quint32 id) { return Call("Command", {id}); }

void EmbeddedObjectLink::Highlight(quint32 id) {
    if (!alive_) return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(server_, path_, kInterface, QStringLiteral("Highlight"));
    call.setArguments({id});
    Bus().asyncCall(call);
}

void EmbeddedObjectLink::Close() {
    if (!alive_) return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(server_, path_, kInterface, QStringLiteral("Close"));
    // The process ends on Close; a short wait lets it answer first.
    Bus().call(call, QDBus::Block, 2000);
}

}  // namespace lutaris::container
