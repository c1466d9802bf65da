// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/server/InPlaceSession.h"

#include <QImage>
#include <QWindow>
#include <limits>
#include <string>

#include "app/inplace/CInPlaceFrame.h"
#include "app/inplace/InPlaceMenu.h"
#include "app/inplace/X11Windows.h"
#include "app/server/EmbeddedObjectService.h"
#include "app/server/InPlaceBusTypes.h"
#include "app/shell/CAboutDlg.h"
#include "app/shell/CommandStrings.h"
#include "document/CCorvaneDoc.h"
#include "model/DocumentMessages.h"
#include "platform/prompt/ServerPrompter.h"

namespace lutaris {
namespace {

// X11 keeps positions in 16 bits and sizes in 16 bits without sign.
bool FitsX11(const QRect& rect) {
    constexpr int kMax = 32767;
    return rect.width() > 0 && rect.height() > 0 && rect.width() <= kMax && rect.height() <= kMax &&
           rect.x() >= -kMax && rect.x() <= kMax && rect.y() >= -kMax && rect.y() <= kMax;
}

EmbeddedObject::Error BadRect() {
    return EmbeddedObject::MakeError(
        "BadSize", "An object's rectangle must be 1 to 32767 pixels on each side.");
}

EmbeddedObject::Error BadWindow() {
    return EmbeddedObject::MakeError("BadWindow", "The container's window does not exist.");
}

EmbeddedObject::Error NotInPlace() {
    return EmbeddedObject::MakeError("NotInPlace", "The object is not being edited in place.");
}

// A command id of the bus as the frames know it; nothing for one no frame can have.
std::optional<std::int32_t> CommandId(quint32 id) {
    if (id > static_cast<quint32>(std::numeric_limits<std::int32_t>::max())) return std::nullopt;
    return static_cast<std::int32_t>(id);
}

}  // namespace

InPlaceSession::InPlaceSession(EmbeddedObject& object, ServerPrompter& prompter,
                               Prompter& interactive, EmbeddedObjectService& service)
    : object_(object), prompter_(prompter), interactive_(interactive), service_(service) {}

InPlaceSession::~InPlaceSession() = default;

bool InPlaceSession::Available() { return x11_windows::Available(); }

quint64 InPlaceSession::WindowId() const { return frame_ ? frame_->WindowId() : quint64{0}; }

void InPlaceSession::WarmUp() {
    // On a document of its own: the object's has nothing to show before InitNew or Load.
    if (frame_) return;
    CCorvaneDoc scratch(prompter_);
    if (!scratch.OnNewDocument()) return;
    CInPlaceFrame frame(scratch);
    if (frame.OnCreate() != 0) return;
    frame.resize(200, 100);
    QImage image(frame.size(), QImage::Format_ARGB32_Premultiplied);
    frame.render(&image);
}

EmbeddedObject::Reply InPlaceSession::Activate(quint64 site, const QRect& rect) {
    const std::optional<QSize> siteSize = x11_windows::WindowSize(site);
    if (!siteSize) return BadWindow();
    // Without a rectangle the object fills the site.
    const QRect position = rect.isEmpty() ? QRect(QPoint(0, 0), *siteSize) : rect;
    if (!FitsX11(position)) return BadRect();
    if (frame_ && frame_->Site() == site) {
        // Active already: only the rectangle may have changed.
        frame_->SetObjectRects(position, QRect());
        frame_->raise();
        return std::nullopt;
    }
    Deactivate();
    // A site inside the frame that just went (its own window, say) went with it.
    if (!x11_windows::WindowSize(site)) return BadWindow();
    emit Activating();

    auto frame = std::make_unique<CInPlaceFrame>(object_.Document());
    if (frame->OnCreate() != 0 || !frame->OnCreateControlBars())
        return EmbeddedObject::LoadError(LoadFailure::OpenFailed);
    frame->SetContainerObjectName(QString::fromStdString(object_.ContainerObject()));
    frame->SetApplicationCommands(&CAboutDlg::RunCommand);
    connect(frame.get(), &CInPlaceFrame::CancelEdit, this, [this] { Deactivate(); });
    connect(frame.get(), &CInPlaceFrame::RequestRect, &service_,
            &EmbeddedObjectService::RequestRect);
    connect(frame.get(), &CInPlaceFrame::MenuChanged, &service_,
            &EmbeddedObjectService::MenuChanged);
    prompter_.SetInteractive(&interactive_);
    frame->Embed(site, position);

    if (!siteWatcher_) {
        siteWatcher_ = new X11DestroyWatcher(this);
        connect(siteWatcher_, &X11DestroyWatcher::Destroyed, this, &InPlaceSession::SiteDestroyed);
    }
    siteWatcher_->Watch(site, true);
    siteWatcher_->Watch(frame->WindowId(), false);
    frame_ = std::move(frame);
    // The reply says the frame is mapped: the X server has done it when the reply leaves.
    x11_windows::Sync();
    return std::nullopt;
}

void InPlaceSession::Deactivate() {
    if (!frame_) return;
    if (siteWatcher_) siteWatcher_->Clear();
    std::unique_ptr<CInPlaceFrame> frame = std::move(frame_);
    frame->hide();
    if (frame->Busy()) {
        // A command of the frame's is waiting for a dialog: the frame leaves the site now and
        // goes once the command has returned, which still uses it.
        CInPlaceFrame* retired = frame.release();
        QObject::disconnect(retired, nullptr, this, nullptr);
        QObject::disconnect(retired, nullptr, &service_, nullptr);
        retired->windowHandle()->setParent(nullptr);
        connect(retired, &CInPlaceFrame::CommandsDone, retired, &QObject::deleteLater);
    } else {
        frame.reset();
    }
    // The container looks at its window once it hears Deactivated: the frame's window is gone
    // from it by then.
    x11_windows::Sync();
    emit service_.Deactivated();
}

EmbeddedObject::Reply InPlaceSession::SetObjectRects(const QRect& position, const QRect& clip) {
    if (!frame_) return NotInPlace();
    if (!FitsX11(position) || (!clip.isEmpty() && !FitsX11(clip))) return BadRect();
    frame_->SetObjectRects(position, clip);
    return std::nullopt;
}

EmbeddedObject::Reply InPlaceSession::GetMenu(QList<BusMenu>& menus) const {
    if (!frame_) return NotInPlace();
    for (const InPlaceMenu::Menu& menu : InPlaceMenu::Build(frame_->MenuState())) {
        BusMenu bus{QString::fromStdString(menu.title), {}};
        for (const InPlaceMenu::Item& item : menu.items) {
            bus.items.push_back({item.id, QString::fromStdString(item.text), item.enabled,
                                 item.checkable, item.checked});
        }
        menus.push_back(std::move(bus));
    }
    return std::nullopt;
}

EmbeddedObject::Reply InPlaceSession::GetToolbar(QList<BusToolbarButton>& buttons) const {
    if (!frame_) return NotInPlace();
    for (const CInPlaceToolBar::Button& button : frame_->ToolBar().Buttons())
        buttons.push_back({button.id, button.tooltip, button.prompt, button.png});
    return std::nullopt;
}

EmbeddedObject::Reply InPlaceSession::RunCommand(quint32 id) {
    if (!frame_) return NotInPlace();
    const std::optional<std::int32_t> commandId = CommandId(id);
    if (!commandId || !InPlaceMenu::CanRun(*commandId, frame_->MenuState())) {
        return EmbeddedObject::MakeError("BadCommand",
                                         "The object has no command " + std::to_string(id) + ".");
    }
    frame_->OnCommand(*commandId);
    return std::nullopt;
}

EmbeddedObject::Reply InPlaceSession::Highlight(quint32 id) {
    if (!frame_) return NotInPlace();
    QString text;
    if (id == 0) {
        text = QString::fromLatin1(kIdleStatusText);
    } else if (const std::optional<std::int32_t> commandId = CommandId(id);
               commandId && InPlaceMenu::Offers(*commandId)) {
        text = PromptForCommand(*commandId).status;
    }
    emit service_.StatusText(text);
    return std::nullopt;
}

}  // namespace lutaris
