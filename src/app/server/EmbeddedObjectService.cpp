// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/server/EmbeddedObjectService.h"

#include <QDBusMessage>
#include <span>
#include <vector>

namespace lutaris {
namespace {

QByteArray ToByteArray(const std::vector<std::uint8_t>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

}  // namespace

EmbeddedObjectService::EmbeddedObjectService(EmbeddedObject& object, Server server,
                                             QObject* parent)
    : QObject(parent), object_(object), server_(std::move(server)) {}

bool EmbeddedObjectService::Answer(const EmbeddedObject::Reply& reply) {
    if (!reply) return true;
    if (calledFromDBus())
        sendErrorReply(QString::fromStdString(reply->name), QString::fromStdString(reply->message));
    return false;
}

void EmbeddedObjectService::InitNew() { Answer(object_.InitNew()); }

void EmbeddedObjectService::Load(const QByteArray& storage) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(storage.constData());
    Answer(object_.Load(std::span(bytes, static_cast<std::size_t>(storage.size()))));
}

QByteArray EmbeddedObjectService::Save() {
    std::vector<std::uint8_t> storage;
    if (!Answer(object_.Save(storage))) return {};
    return ToByteArray(storage);
}

int EmbeddedObjectService::GetExtent(uint aspect, int& cy) {
    std::int32_t cx = 0;
    std::int32_t height = 0;
    cy = 0;
    if (!Answer(object_.GetExtent(aspect, cx, height))) return 0;
    cy = height;
    return cx;
}

QByteArray EmbeddedObjectService::Draw(const QString& mimeType, int width, int height) {
    std::vector<std::uint8_t> picture;
    if (!Answer(object_.Draw(mimeType.toStdString(), width, height, picture))) return {};
    return ToByteArray(picture);
}

void EmbeddedObjectService::SetHostNames(const QString& containerApp,
                                         const QString& containerObject) {
    Answer(object_.SetHostNames(containerApp.toStdString(), containerObject.toStdString()));
}

void EmbeddedObjectService::DoVerb(int verb, qulonglong window, const QRect& rect) {
    if (!Answer(object_.DoVerb(verb))) return;
    Answer(server_.doVerb(verb, window, rect));
}

void EmbeddedObjectService::Close() {
    Answer(object_.Close());
    server_.close();
}

}  // namespace lutaris

namespace lutaris {

qulonglong EmbeddedObjectService::GetInPlaceWindow() { return server_.inPlaceWindow(); }

void EmbeddedObjectService::SetObjectRects(const QRect& position, const QRect& clip) {
    Answer(server_.setObjectRects(position, clip));
}

QList<BusMenu> EmbeddedObjectService::GetMenu() {
    QList<BusMenu> menus;
    if (!Answer(server_.getMenu(menus))) return {};
    return menus;
}

QList<BusToolbarButton> EmbeddedObjectService::GetToolbar() {
    QList<BusToolbarButton> buttons;
    if (!Answer(server_.getToolbar(buttons))) return {};
    return buttons;
}

void EmbeddedObjectService::Command(uint id) { Answer(server_.command(id)); }

void EmbeddedObjectService::Highlight(uint id) { Answer(server_.highlight(id)); }

}  // namespace lutaris
