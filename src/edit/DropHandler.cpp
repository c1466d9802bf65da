// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "edit/DropHandler.h"

#include "edit/SelectionMover.h"
#include "model/TabDocument.h"
#include "platform/clipboard/Clipboard.h"
#include "platform/clipboard/ClipboardFormatNames.h"
#include "platform/prompt/Prompter.h"

namespace lutaris {

DropHandler::Outcome DropHandler::Drop(std::optional<std::int32_t> targetPosition) {
    // A clipboard we cannot reach holds neither private format, as one that cannot be opened.
    if (clipboard_ != nullptr && clipboard_->HasFormat(kGlissomarkersFormat)) {
        prompter_.ShowMessage(kGlissomarkersText, kGlissomarkersCaption, MessageIcon::Information,
                              MessageButtons::Ok);
        return Outcome::GlissomarkersRefused;
    }
    if (clipboard_ == nullptr || !clipboard_->HasFormat(kSelectionFormat)) {
        prompter_.ShowMessage(kUnsupportedText, kUnsupportedCaption, MessageIcon::Exclamation,
                              MessageButtons::Ok);
        return Outcome::Unsupported;
    }
    TabDocument::Step step(document_, history::step_kind::kDrop);
    if (!targetPosition || !SelectionMover(document_).MoveBefore(*targetPosition)) {
        return Outcome::NothingMoved;
    }
    document_.UpdateStepAsDescribed();
    return Outcome::Moved;
}

}  // namespace lutaris
