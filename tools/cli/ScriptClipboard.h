// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <memory>
#include <string>

#include "platform/clipboard/Clipboard.h"

namespace lutaris {
class PresentationPictures;
}

namespace lutaris::cli {

// The clipboard a script's commands use. By default it lives in the process, so scripts run
// anywhere and see only what they did; the system clipboard shares the content with every
// other program on the display (and takes theirs in), as the editor's clipboard does.
class ScriptClipboard {
public:
    virtual ~ScriptClipboard() = default;

    virtual Clipboard& Get() = 0;
    // The pictures Copy offers beside the object; null for the SVG that needs no display.
    virtual PresentationPictures* Pictures() = 0;
    // Keeps serving what this process put on the clipboard until another program replaces it
    // or `seconds` pass. True when another program took it over.
    virtual bool Hold(int seconds) = 0;

    // The in-process clipboard.
    static std::unique_ptr<ScriptClipboard> InMemory();
    // The display's clipboard, through a Qt GUI application made here. Throws
    // std::runtime_error, before Qt is started, when there is no display to share it on.
    static std::unique_ptr<ScriptClipboard> System();
};

}  // namespace lutaris::cli
