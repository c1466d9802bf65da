// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "edit/SettingsCommand.h"

#include "model/CommandIds.h"
#include "model/TabDocument.h"
#include "platform/prompt/Prompter.h"

namespace lutaris {

void SettingsCommand::Run() {
    TabSettings scratch;
    scratch.LoadDefaults();
    scratch.CopyFrom(*document_.settings);
    // A cancelled dialog, or OK on the same values, changes nothing: no step, not modified.
    TabDocument::Step step(document_, ID_TAB_SETTINGS);
    if (document_.GetPrompter().EditSettings(scratch)) document_.ReplaceSettings(scratch);
    document_.UpdateStep();
}

}  // namespace lutaris
