#include "app/server/EmbeddingServer.h"

#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QImage>
#include <QWindow>
#include <cstdio>
#include <limits>
#include <string>

#include "app/frame/CMainFrame.h"
#include "app/inplace/CInPlaceFrame.h"
#include "app/inplace/InPlaceMenu.h"
#include "app/inplace/X11Windows.h"
#include "app/print/PrintCommands.h"
#include "app/server/ClassFactoryService.h"
#include "app/server/EmbeddedObjectService.h"
#include "app/server/InPlaceBusTypes.h"
#include "app/server/ServerRegistration.h"
#include "app/shell/CAboutDlg.h"
#include "app/shell/CommandStrings.h"
#include "document/CCorvaneDoc.h"
#include "edit/qt/CCorvaneView.h"
#include "model/CommandIds.h"
#include "platform/files/DocumentFile.h"
#include "platform/prompt/Prompter.h"
#include "platform/qt/QtClipboard.h"
#include "render/qt/QtPresentationPictures.h"

namespace lutaris {
namespace {

constexpr const char* kFailedToSave = "Failed to save document.";

EmbeddedObject::Error ServerError(const char* name, const char* text) {
    return {std::string("Lutaris.Error.") + name, text};
}

std::optional<std::vector<std::uint8_t>> DrawPng(ViewDocument& document, std::int32_t width,
                                                 std::int32_t height) {
    const QImage image = QtPresentationPictures::Image(document, QSize(width, height));
    if (image.isNull()) return std::nullopt;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return std::nullopt;
    return std::vector<std::uint8_t>(png.begin(), png.end());
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
    frame_.reset();
    printing_.reset();
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
        errorName = QStringLiteral("Lutaris.Error.TryAgain");
        errorText = QStringLiteral("This process serves another object; try again.");
        return false;
    }
    created_ = true;
    idleTimer_.stop();
    QDBusConnection bus = QDBusConnection::sessionBus();
    // The next container gets a fresh process from bus activation.
    bus.unregisterService(QString::fromLatin1(server_registration::kBusName));

    object_ = std::make_unique<EmbeddedObject>(prompter_);
    clipboard_ = std::make_unique<QtClipboard>();
    pictures_ = std::make_unique<QtPresentationPictures>();
    object_->Document().SetClipboard(clipboard_.get());
    object_->Document().SetPresentationPictures(pictures_.get());
    object_->SetPngRenderer(DrawPng);

    EmbeddedObjectService::Server server;
    server.doVerb = [this](std::int32_t verb, quint64 window, const QRect& rect) {
        return DoVerb(verb, window, rect);
    };
    server.close = [this] { CloseObject(); };
    server.inPlaceWindow = [this] { return inPlace_ ? inPlace_->WindowId() : quint64{0}; };
    server.setObjectRects = [this](const QRect& position, const QRect& clip) {
        return SetObjectRects(position, clip);
    };
    server.getMenu = [this](QList<BusMenu>& menus) { return GetMenu(menus); };
    server.getToolbar = [this](QList<BusToolbarButton>& buttons) { return GetToolbar(buttons); };
    server.command = [this](quint32 id) { return RunInPlaceCommand(id); };
    server.highlight = [this](quint32 id) { return Highlight(id); };
    service_ = new EmbeddedObjectService(*object_, std::move(server), this);
    object_->SetDataChangedHandler([this] { emit service_->DataChanged(); });
    if (!bus.registerObject(QString::fromLatin1(kObjectPath), service_,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals)) {
        errorName = QStringLiteral("Lutaris.Error.OpenFailed");
        errorText = QStringLiteral("Failed to open document.");
        ExitSoon(200);
        return false;
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
    if (display_) QTimer::singleShot(0, this, [this] { WarmUpInPlace(); });
    return true;
}

void EmbeddingServer::WarmUpInPlace() {
    // The first frame of a process builds Qt's widget style and fonts: done now, while the
    // container loads the object, so that editing in place paints within a frame's time.
    // On a document of its own: the object's has nothing to show before InitNew or Load.
    if (!object_ || inPlace_) return;
    CCorvaneDoc scratch(prompter_);
    if (!scratch.OnNewDocument()) return;
    CInPlaceFrame frame(scratch);
    if (frame.OnCreate() != 0) return;
    frame.resize(200, 100);
    QImage image(frame.size(), QImage::Format_ARGB32_Premultiplied);
    frame.render(&image);
}

EmbeddedObject::Reply EmbeddingServer::DoVerb(std::int32_t verb, quint64 window,
                                              const QRect& rect) {
    switch (verb) {
        case EmbeddedObject::kVerbDeactivate:
            OnDeactivateUI(false);
            return std::nullopt;
        case EmbeddedObject::kVerbEdit:
            // In place needs the container's window on the X server we draw on; without it the
            // object opens in a window of its own.
            if (display_ && window != 0 && x11_windows::Available())
                return ActivateInPlace(window, rect);
            [[fallthrough]];
        default:
            OnDeactivateUI(false);  // the object is edited in one place at a time
            return OpenWindow();
    }
}

EmbeddedObject::Reply EmbeddingServer::OpenWindow() {
    if (!display_) {
        return ServerError("NoDisplay", "There is no display to open the object's window on.");
    }
    if (!frame_) {
        CCorvaneDoc& document = object_->Document();
        frame_ = std::make_unique<CMainFrame>(document, nullptr, FrameKind::Embedded);
        printing_ = std::make_unique<PrintCommands>(profile_, document);
        frame_->SetApplicationCommands([this](int commandId) { return OnFrameCommand(commandId); });
        frame_->SetCloseHandler([this] { return OnFrameClose(); });
        prompter_.SetInteractive(&interactive_);
    }
    frame_->SetContainerObjectName(QString::fromStdString(object_->ContainerObject()));
    const bool shown = frame_->isVisible();
    frame_->show();
    if (!shown) frame_->View().OnInitialUpdate();
    frame_->raise();
    frame_->activateWindow();
    frame_->View().setFocus(Qt::OtherFocusReason);
    return std::nullopt;
}

namespace {

// X11 keeps positions in 16 bits and sizes in 16 bits without sign.
bool FitsX11(const QRect& rect) {
    constexpr int kMax = 32767;
    return rect.width() > 0 && rect.height() > 0 && rect.width() <= kMax && rect.height() <= kMax &&
           rect.x() >= -kMax && rect.x() <= kMax && rect.y() >= -kMax && rect.y() <= kMax;
}

EmbeddedObject::Error BadRect() {
    return ServerError("BadSize", "An object's rectangle must be 1 to 32767 pixels on each side.");
}

EmbeddedObject::Error NotInPlace() {
    return ServerError("NotInPlace", "The object is not being edited in place.");
}

}  // namespace

EmbeddedObject::Reply EmbeddingServer::ActivateInPlace(quint64 site, const QRect& rect) {
    const std::optional<QSize> siteSize = x11_windows::WindowSize(site);
    if (!siteSize) return ServerError("BadWindow", "The container's window does not exist.");
    // Without a rectangle the object fills the site.
    const QRect position = rect.isEmpty() ? QRect(QPoint(0, 0), *siteSize) : rect;
    if (!FitsX11(position)) return BadRect();
    if (inPlace_ && inPlace_->Site() == site) {
        // Active already: only the rectangle may have changed.
        inPlace_->SetObjectRects(position, QRect());
        inPlace_->raise();
        return std::nullopt;
    }
    OnDeactivateUI(false);
    // A site inside the frame that just went (its own window, say) went with it.
    if (!x11_windows::WindowSize(site))
        return ServerError("BadWindow", "The container's window does not exist.");
    if (frame_) frame_->hide();  // the object is edited in one place at a time
    if (!printing_) printing_ = std::make_unique<PrintCommands>(profile_, object_->Document());

    auto frame = std::make_unique<CInPlaceFrame>(object_->Document());
    if (frame->OnCreate() != 0 || !frame->OnCreateControlBars())
        return ServerError("OpenFailed", "Failed to open document.");
    frame->SetContainerObjectName(QString::fromStdString(object_->ContainerObject()));
    frame->SetApplicationCommands([this](int commandId) { return OnInPlaceCommand(commandId); });
    connect(frame.get(), &CInPlaceFrame::CancelEdit, this, [this] { OnDeactivateUI(false); });
    connect(frame.get(), &CInPlaceFrame::RequestRect, service_,
            &EmbeddedObjectService::RequestRect);
    connect(frame.get(), &CInPlaceFrame::MenuChanged, service_,
            &EmbeddedObjectService::MenuChanged);
    prompter_.SetInteractive(&interactive_);
    frame->Embed(site, position);

    if (!siteWatcher_) {
        siteWatcher_ = new X11DestroyWatcher(this);
        connect(siteWatcher_, &X11DestroyWatcher::Destroyed, this, [this] { OnSiteDestroyed(); });
    }
    siteWatcher_->Watch(site, true);
    siteWatcher_->Watch(frame->WindowId(), false);
    inPlace_ = std::move(frame);
    // The reply says the frame is mapped: the X server has done it when the reply leaves.
    x11_windows::Sync();
    return std::nullopt;
}

void EmbeddingServer::OnDeactivateUI(bool undoable) {
    (void)undoable;  // there is no undo to offer
    if (!inPlace_) return;
    if (siteWatcher_) siteWatcher_->Clear();
    std::unique_ptr<CInPlaceFrame> frame = std::move(inPlace_);
    frame->hide();
    if (frame->Busy()) {
        // A command of the frame's is waiting for a dialog: the frame leaves the site now and
        // goes once the command has returned, which still uses it.
        CInPlaceFrame* retired = frame.release();
        QObject::disconnect(retired, nullptr, this, nullptr);
        QObject::disconnect(retired, nullptr, service_, nullptr);
        retired->windowHandle()->setParent(nullptr);
        connect(retired, &CInPlaceFrame::CommandsDone, retired, &QObject::deleteLater);
    } else {
        frame.reset();
    }
    // The container looks at its window once it hears Deactivated: the frame's window is gone
    // from it by then.
    x11_windows::Sync();
    emit service_->Deactivated();
}

void EmbeddingServer::OnSiteDestroyed() {
    if (ending_) return;
    // Our frame went with the container's window; nothing of ours is left to show.
    emit service_->Closed();
    ExitSoon(0);
}

EmbeddedObject::Reply EmbeddingServer::SetObjectRects(const QRect& position, const QRect& clip) {
    if (!inPlace_) return NotInPlace();
    if (!FitsX11(position) || (!clip.isEmpty() && !FitsX11(clip))) return BadRect();
    inPlace_->SetObjectRects(position, clip);
    return std::nullopt;
}

EmbeddedObject::Reply EmbeddingServer::GetMenu(QList<BusMenu>& menus) {
    if (!inPlace_) return NotInPlace();
    for (const InPlaceMenu::Menu& menu : InPlaceMenu::Build(inPlace_->MenuState())) {
        BusMenu bus{QString::fromStdString(menu.title), {}};
        for (const InPlaceMenu::Item& item : menu.items) {
            bus.items.push_back({item.id, QString::fromStdString(item.text), item.enabled,
                                 item.checkable, item.checked});
        }
        menus.push_back(std::move(bus));
    }
    return std::nullopt;
}

EmbeddedObject::Reply EmbeddingServer::GetToolbar(QList<BusToolbarButton>& buttons) {
    if (!inPlace_) return NotInPlace();
    for (const CInPlaceToolBar::Button& button : inPlace_->ToolBar().Buttons())
        buttons.push_back({button.id, button.tooltip, button.prompt, button.png});
    return std::nullopt;
}

EmbeddedObject::Reply EmbeddingServer::RunInPlaceCommand(quint32 id) {
    if (!inPlace_) return NotInPlace();
    const bool known = id <= static_cast<quint32>(std::numeric_limits<std::int32_t>::max());
    const auto commandId = static_cast<std::int32_t>(id);
    if (!known || !InPlaceMenu::CanRun(commandId, inPlace_->MenuState())) {
        return EmbeddedObject::Error{"Lutaris.Error.BadCommand",
                                     "The object has no command " + std::to_string(id) + "."};
    }
    inPlace_->OnCommand(commandId);
    return std::nullopt;
}

EmbeddedObject::Reply EmbeddingServer::Highlight(quint32 id) {
    if (!inPlace_) return NotInPlace();
    QString text;
    if (id == 0)
        text = QString::fromLatin1(kIdleStatusText);
    else if (id <= static_cast<quint32>(std::numeric_limits<std::int32_t>::max()) &&
             InPlaceMenu::Offers(static_cast<std::int32_t>(id)))
        text = PromptForCommand(static_cast<int>(id)).status;
    emit service_->StatusText(text);
    return std::nullopt;
}

bool EmbeddingServer::OnInPlaceCommand(int commandId) {
    if (commandId != ID_APP_ABOUT) return false;
    CAboutDlg about;
    about.DoModal();
    return true;
}

bool EmbeddingServer::OnFrameCommand(int commandId) {
    CCorvaneDoc* document = orphan_ ? orphan_.get() : &object_->Document();
    switch (commandId) {
        case ID_FILE_UPDATE:
            if (!orphan_) emit service_->Saved();
            return true;
        case ID_FILE_SAVE_COPY_AS:
            SaveCopyAs();
            return true;
        case ID_FILE_PRINT:
            printing_->Print(frame_.get());
            return true;
        case ID_FILE_PRINT_DIRECT:
            printing_->PrintDirect();
            return true;
        case ID_FILE_PRINT_PREVIEW:
            printing_->PrintPreview(frame_.get());
            return true;
        case ID_FILE_PRINT_SETUP:
            printing_->PrintSetup(frame_.get());
            return true;
        case ID_APP_ABOUT: {
            CAboutDlg about;
            about.DoModal();
            return true;
        }
        default:
            break;
    }
    if (!orphan_) return false;
    // The commands of an ordinary document, once the container has gone.
    switch (commandId) {
        case ID_FILE_NEW:
            if (document->SaveModified()) document->OnNewDocument();
            return true;
        case ID_FILE_OPEN: {
            if (!document->SaveModified()) return true;
            FileDialogOptions options;
            options.defaultExtension = "ltf";
            options.filters = {{"Lutaris Tab Files (*.ltf)", {"*.ltf"}}};
            const std::optional<std::string> path = interactive_.ChooseOpenFile(options);
            if (path && !path->empty() && document->OnOpenDocument(*path)) {
                document->SetPathName(*path);
                document->SetModifiedFlag(false);
            }
            return true;
        }
        case ID_FILE_SAVE:
            document->DoFileSave();
            return true;
        case ID_FILE_SAVE_AS:
            document->DoSave(true);
            return true;
        default:
            return false;
    }
}

void EmbeddingServer::SaveCopyAs() {
    FileDialogOptions options;
    options.defaultExtension = "ltf";
    options.filters = {{"Lutaris Tab Files (*.ltf)", {"*.ltf"}}};
    options.overwritePrompt = true;
    const std::optional<std::string> path = interactive_.ChooseSaveFile(options);
    if (!path || path->empty()) return;
    CCorvaneDoc& document = object_->Document();
    // A copy: the object keeps its container, its state and its changes.
    try {
        WriteDocumentFile(*path, document.ContentsBytes(), document.PlaybackBytes());
    } catch (const DocumentWriteError&) {
        interactive_.ShowMessage(kFailedToSave, DocumentBase::kCaption, MessageIcon::Exclamation,
                                 MessageButtons::Ok);
    } catch (const std::bad_alloc&) {
        interactive_.ShowMessage(kFailedToSave, DocumentBase::kCaption, MessageIcon::Exclamation,
                                 MessageButtons::Ok);
    }
}

bool EmbeddingServer::OnFrameClose() {
    if (orphan_) {
        if (!orphan_->SaveModified()) return false;
        ExitSoon(0);
        return true;
    }
    // The container takes the changes before the object's window goes; it keeps the object
    // (and may open it again) until it closes it.
    if (object_->HasChangesNotTaken()) emit service_->Saved();
    emit service_->Closed();
    return true;
}

void EmbeddingServer::CloseObject() {
    OnDeactivateUI(false);
    if (frame_ && !orphan_) frame_->hide();
    emit service_->Closed();
    // The reply to Close leaves before the process ends.
    ExitSoon(100);
}

void EmbeddingServer::OnContainerGone() {
    if (ending_ || orphan_) return;
    // In place there is no window of our own to keep the person's work in.
    if (inPlace_) {
        ExitSoon(0);
        return;
    }
    if (frame_ && object_ && !object_->IsClosed() && object_->HasChangesNotTaken()) {
        KeepAsOrdinaryDocument();
        return;
    }
    ExitSoon(0);
}

void EmbeddingServer::KeepAsOrdinaryDocument() {
    QDBusConnection::sessionBus().unregisterObject(QString::fromLatin1(kObjectPath));
    orphan_ = object_->ReleaseDocument();
    orphan_->SetPathName({});
    orphan_->SetModifiedFlag(true);
    frame_->BecomeStandAlone();
    frame_->show();
    frame_->raise();
}

void EmbeddingServer::ExitSoon(int milliseconds) {
    if (ending_) return;
    ending_ = true;
    // quit() can be ignored in a process whose windows had a foreign parent; exit() is not.
    QTimer::singleShot(milliseconds, qApp, [] { QCoreApplication::exit(0); });
}

}  // namespace lutaris
