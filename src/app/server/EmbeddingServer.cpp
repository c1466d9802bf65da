// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/server/EmbeddingServer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QImage>
#include <cstdio>

#include "app/server/ClassFactoryService.h"
#include "app/server/EmbeddedObjectService.h"
#include "app/server/InPlaceBusTypes.h"
#include "app/server/InPlaceSession.h"
#include "app/server/ObjectWindow.h"
#include "app/server/ServerRegistration.h"
#include "app/shell/QtEditorSession.h"
#include "document/CCorvaneDoc.h"
#include "platform/qt/PngEncoding.h"
#include "render/qt/QtPresentationPictures.h"

namespace lutaris {
namespace {

std::optional<std::vector<std::uint8_t>> DrawPng(ViewDocument& document, std::int32_t width,
                                                 std::int32_t height) {
    const QByteArray png = EncodePng(QtPresentationPictures::Image(document, QSize(width, height)));
    if (png.isEmpty()) return std::nullopt;
    return std::vector<std::uint8_t>(png.begin(), png.end());
}

// Answers CreateInstance with `error`.
bool Refuse(const EmbeddedObject::Error& error, QString& errorName, QString& errorText) {
    errorName = QString::fromStdString(error.name);
    errorText = QString::fromStdString(error.message);
    return false;
}

}  // namespace

EmbeddingServer::EmbeddingServer(Prompter& interactive, ProfileStore& profile, bool display)
    : interactive_(interactive), profile_(profile), display_(display) {
    // Windows of an opened object come and go while the process serves its container.
    QApplication::setQuitOnLastWindowClosed(false);
    idleTimer_.setSingleShot(true);
    idleTimer_.setInterval(kIdleMilliseconds);
    connect(&idleTimer_, &QTimer::timeout, this, [this] {
        if (!created_) ExitSoon(0);
    });
}

EmbeddingServer::~EmbeddingServer() {
    // The windows go before the document they show.
    inPlace_.reset();
    window_.reset();
}

bool EmbeddingServer::Start() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr, "lutaris: no session bus to serve containers on: %s\n",
                     bus.lastError().message().toLocal8Bit().constData());
        return false;
    }
    // Qt 6 knows a type by its name only once it is registered: the output argument of
    // CreateInstance would be left out of the interface without this.
    qRegisterMetaType<QDBusObjectPath>("QDBusObjectPath");
    RegisterInPlaceBusTypes();
    factory_ = new ClassFactoryService(
        [this](const QString& caller, QDBusObjectPath& path, QString& errorName,
               QString& errorText) { return CreateInstance(caller, path, errorName, errorText); },
        this);
    // The object first, the name after: the calls that the bus queued for the name come in as
    // soon as we have it.
    if (!bus.registerObject(QString::fromLatin1(kFactoryPath), factory_,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QString::fromLatin1(server_registration::kBusName))) {
        std::fprintf(stderr, "lutaris: the bus name %s is taken: %s\n",
                     server_registration::kBusName,
                     bus.lastError().message().toLocal8Bit().constData());
        return false;
    }
    idleTimer_.start();
    return true;
}

bool EmbeddingServer::CreateInstance(const QString& caller, QDBusObjectPath& path,
                                     QString& errorName, QString& errorText) {
    if (created_) {
        // A second request that reached us while the bus was starting this process: one
        // object per process, so the container asks again and gets a process of its own.
        return Refuse(
            EmbeddedObject::MakeError("TryAgain", "This process serves another object; try again."),
            errorName, errorText);
    }
    created_ = true;
    idleTimer_.stop();
    QDBusConnection bus = QDBusConnection::sessionBus();
    // The next container gets a fresh process from bus activation.
    bus.unregisterService(QString::fromLatin1(server_registration::kBusName));

    session_ = MakeQtEditorSession(prompter_);
    object_ = std::make_unique<EmbeddedObject>(prompter_, session_->MakeDocument());
    object_->SetPngRenderer(DrawPng);

    EmbeddedObjectService::Server server;
    server.doVerb = [this](std::int32_t verb, quint64 window, const QRect& rect) {
        return DoVerb(verb, window, rect);
    };
    server.close = [this] { CloseObject(); };
    server.inPlaceWindow = [this] { return inPlace_->WindowId(); };
    server.setObjectRects = [this](const QRect& position, const QRect& clip) {
        return inPlace_->SetObjectRects(position, clip);
    };
    server.getMenu = [this](QList<BusMenu>& menus) { return inPlace_->GetMenu(menus); };
    server.getToolbar = [this](QList<BusToolbarButton>& buttons) {
        return inPlace_->GetToolbar(buttons);
    };
    server.command = [this](quint32 id) { return inPlace_->RunCommand(id); };
    server.highlight = [this](quint32 id) { return inPlace_->Highlight(id); };
    service_ = new EmbeddedObjectService(*object_, std::move(server), this);
    object_->SetDataChangedHandler([this] { emit service_->DataChanged(); });

    window_ =
        std::make_unique<ObjectWindow>(*object_, prompter_, interactive_, profile_, *service_);
    connect(window_.get(), &ObjectWindow::Finished, this, [this] { ExitSoon(0); });
    inPlace_ = std::make_unique<InPlaceSession>(*object_, prompter_, interactive_, *service_);
    // The object is edited in one place at a time.
    connect(inPlace_.get(), &InPlaceSession::Activating, this, [this] { window_->Hide(); });
    connect(inPlace_.get(), &InPlaceSession::SiteDestroyed, this, [this] { OnSiteDestroyed(); });

    if (!bus.registerObject(QString::fromLatin1(kObjectPath), service_,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals)) {
        ExitSoon(200);
        return Refuse(EmbeddedObject::LoadError(LoadFailure::OpenFailed), errorName, errorText);
    }

    // We watch the container; it watches nothing for us.
    watcher_ =
        new QDBusServiceWatcher(caller, bus, QDBusServiceWatcher::WatchForUnregistration, this);
    connect(watcher_, &QDBusServiceWatcher::serviceUnregistered, this,
            [this] { OnContainerGone(); });
    if (!bus.interface()->isServiceRegistered(caller).value()) {
        QTimer::singleShot(0, this, [this] { OnContainerGone(); });
    }
    path = QDBusObjectPath(QString::fromLatin1(kObjectPath));
    // The first frame of a process builds Qt's widget style and fonts: done now, while the
    // container loads the object, so that editing in place paints within a frame's time.
    if (display_) QTimer::singleShot(0, this, [this] { inPlace_->WarmUp(); });
    return true;
}

EmbeddedObject::Reply EmbeddingServer::DoVerb(std::int32_t verb, quint64 window,
                                              const QRect& rect) {
    switch (verb) {
        case EmbeddedObject::kVerbDeactivate:
            inPlace_->Deactivate();
            return std::nullopt;
        case EmbeddedObject::kVerbEdit:
            // In place needs the container's window on the X server we draw on; without it the
            // object opens in a window of its own.
            if (display_ && window != 0 && InPlaceSession::Available())
                return inPlace_->Activate(window, rect);
            [[fallthrough]];
        default:
            inPlace_->Deactivate();  // the object is edited in one place at a time
            if (!display_) {
                return EmbeddedObject::MakeError(
                    "NoDisplay", "There is no display to open the object's window on.");
            }
            return window_->Open();
    }
}

void EmbeddingServer::OnSiteDestroyed() {
    if (ending_) return;
    // Our frame went with the container's window; nothing of ours is left to show.
    emit service_->Closed();
    ExitSoon(0);
}

void EmbeddingServer::CloseObject() {
    inPlace_->Deactivate();
    window_->Hide();
    emit service_->Closed();
    // The reply to Close leaves before the process ends.
    ExitSoon(100);
}

void EmbeddingServer::OnContainerGone() {
    if (ending_ || window_->Ordinary()) return;
    // In place there is no window of our own to keep the person's work in.
    if (inPlace_->Active()) {
        ExitSoon(0);
        return;
    }
    if (window_->Exists() && !object_->IsClosed() && object_->HasChangesNotTaken()) {
        // The person has work in the window: the document becomes an ordinary untitled one.
        QDBusConnection::sessionBus().unregisterObject(QString::fromLatin1(kObjectPath));
        window_->KeepAsOrdinaryDocument();
        return;
    }
    ExitSoon(0);
}

void EmbeddingServer::ExitSoon(int milliseconds) {
    if (ending_) return;
    ending_ = true;
    // quit() can be ignored in a process whose windows had a foreign parent; exit() is not.
    QTimer::singleShot(milliseconds, qApp, [] { QCoreApplication::exit(0); });
}

}  // namespace lutaris
