// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/inplace/CInPlaceToolBar.h"

#include <QImage>

#include "app/shell/AppArtwork.h"
#include "app/shell/CommandStrings.h"
#include "app/shell/MenuTables.h"
#include "platform/qt/PngEncoding.h"

namespace lutaris {

bool CInPlaceToolBar::Create() {
    buttons_.clear();
    for (const std::int32_t command : menu_tables::InPlaceToolbar()) {
        if (command == menu_tables::kSeparator) {
            buttons_.push_back({});
            continue;
        }
        const CommandPrompt prompt = PromptForCommand(command);
        Button button{command, prompt.tooltip, prompt.status,
                      EncodePng(AppArtwork::CommandButtonImage(command))};
        if (button.png.isEmpty()) return false;
        buttons_.push_back(std::move(button));
    }
    return true;
}

}  // namespace lutaris
