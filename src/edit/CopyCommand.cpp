// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "edit/CopyCommand.h"

#include <new>

#include "compound/CompoundFileError.h"
#include "edit/EmbeddedObjectFormats.h"
#include "platform/clipboard/Clipboard.h"
#include "platform/prompt/Prompter.h"
#include "render/CCorvaneSrvrItem.h"
#include "render/PresentationPictures.h"
#include "render/ViewDocument.h"

namespace lutaris {

std::vector<ClipboardFormat> CopyCommand::Formats() {
    CCorvaneSrvrItem item(document_);
    LayoutSize extent;
    const bool hasExtent = item.OnGetExtent(DrawAspect::Content, extent);
    std::vector<ClipboardFormat> formats =
        EmbeddedObjectFormats(document_).Build(hasExtent ? std::optional(extent) : std::nullopt);

    PresentationPictures svgOnly;
    PresentationPictures* pictures = document_.GetPresentationPictures();
    for (auto& picture : (pictures != nullptr ? pictures : &svgOnly)->Pictures(document_)) {
        formats.push_back(std::move(picture));
    }
    return formats;
}

void CopyCommand::Run() {
    std::vector<ClipboardFormat> formats;
    try {
        formats = Formats();
    } catch (const CompoundFileError&) {
        formats.clear();
    } catch (const std::bad_alloc&) {
        formats.clear();
    }
    if (formats.empty()) {
        // The clipboard keeps what it had rather than a part of the document.
        document_.GetPrompter().ShowMessage(kTooLargeMessage, DocumentBase::kCaption,
                                            MessageIcon::Exclamation, MessageButtons::Ok);
    } else if (Clipboard* clipboard = document_.GetClipboard()) {
        clipboard->SetFormats(std::move(formats));
    }
    document_.SetSelection(document_.selection, 1);
    document_.SetCutNotes({});
}

}  // namespace lutaris
