// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/shell/QtEditorSession.h"

#include "platform/qt/QtClipboard.h"
#include "render/qt/QtPresentationPictures.h"

namespace lutaris {

std::unique_ptr<EditorSession> MakeQtEditorSession(Prompter& prompter) {
    return std::make_unique<EditorSession>(prompter, std::make_unique<QtClipboard>(),
                                           std::make_unique<QtPresentationPictures>());
}

}  // namespace lutaris
