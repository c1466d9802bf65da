// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "document/EditorSession.h"

#include "document/CCorvaneDoc.h"
#include "platform/clipboard/Clipboard.h"
#include "render/PresentationPictures.h"

namespace lutaris {

EditorSession::EditorSession(Prompter& prompter, std::unique_ptr<Clipboard> clipboard,
                             std::unique_ptr<PresentationPictures> pictures)
    : prompter_(prompter),
      ownedClipboard_(std::move(clipboard)),
      ownedPictures_(std::move(pictures)),
      clipboard_(ownedClipboard_.get()),
      pictures_(ownedPictures_.get()) {}

EditorSession::EditorSession(Prompter& prompter, Clipboard* clipboard,
                             PresentationPictures* pictures)
    : prompter_(prompter), clipboard_(clipboard), pictures_(pictures) {}

EditorSession::~EditorSession() = default;

std::unique_ptr<CCorvaneDoc> EditorSession::MakeDocument() const {
    auto document = std::make_unique<CCorvaneDoc>(prompter_);
    document->SetClipboard(clipboard_);
    document->SetPresentationPictures(pictures_);
    return document;
}

}  // namespace lutaris
