// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "ScriptClipboard.h"

#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "platform/clipboard/MemoryClipboard.h"
#include "platform/qt/QtClipboard.h"
#include "render/qt/QtPresentationPictures.h"

namespace lutaris::cli {
namespace {

class InMemoryClipboard : public ScriptClipboard {
public:
    Clipboard& Get() override { return clipboard_; }
    PresentationPictures* Pictures() override { return nullptr; }
    // Nobody else can reach it, so there is nothing to wait for.
    bool Hold(int) override { return false; }

private:
    MemoryClipboard clipboard_;
};

std::string_view Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Qt ends the process when its platform cannot connect; say what is missing instead.
void RequireDisplay() {
    const std::string_view platform = Environment("QT_QPA_PLATFORM");
    const bool x11 = platform.empty() || platform.starts_with("xcb");
    const bool wayland = platform.empty() || platform.starts_with("wayland");
    if ((x11 && !Environment("DISPLAY").empty()) ||
        (wayland && !Environment("WAYLAND_DISPLAY").empty()) || (!x11 && !wayland)) {
        return;
    }
    throw std::runtime_error("the system clipboard needs a display (DISPLAY is not set)");
}

class SystemClipboard : public ScriptClipboard {
public:
    SystemClipboard() : application_(argc_, argv_) {}

    Clipboard& Get() override { return clipboard_; }
    PresentationPictures* Pictures() override { return &pictures_; }

    bool Hold(int seconds) override {
        QClipboard* clipboard = QGuiApplication::clipboard();
        // Only an owner serves the content; a clipboard that is another program's already has
        // been taken over.
        if (!clipboard->ownsClipboard()) return true;
        QEventLoop loop;
        bool takenOver = false;
        QObject::connect(clipboard, &QClipboard::dataChanged, &loop, [&] {
            if (!clipboard->ownsClipboard()) {
                takenOver = true;
                loop.quit();
            }
        });
        QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
        loop.exec();
        return takenOver;
    }

private:
    int argc_ = 1;
    char name_[12] = "lutaris-cli";
    char* argv_[2] = {name_, nullptr};
    QGuiApplication application_;
    QtClipboard clipboard_;
    QtPresentationPictures pictures_;
};

}  // namespace

std::unique_ptr<ScriptClipboard> ScriptClipboard::InMemory() {
    return std::make_unique<InMemoryClipboard>();
}

std::unique_ptr<ScriptClipboard> ScriptClipboard::System() {
    RequireDisplay();
    return std::make_unique<SystemClipboard>();
}

}  // namespace lutaris::cli
