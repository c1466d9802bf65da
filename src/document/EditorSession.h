// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <memory>

namespace lutaris {

class CCorvaneDoc;
class Clipboard;
class PresentationPictures;
class Prompter;

// Where documents are assembled with the platform's parts they work with: the prompter their
// questions go to, the clipboard of their clipboard commands and the pictures Copy offers
// beside the object. The stand-alone editor, the embedding server and the command-line tool
// each choose the implementations and make their documents here.
class EditorSession {
public:
    // A session that owns its clipboard and pictures. Without a clipboard the clipboard
    // commands do nothing with one; without pictures Copy offers the SVG alone.
    EditorSession(Prompter& prompter, std::unique_ptr<Clipboard> clipboard,
                  std::unique_ptr<PresentationPictures> pictures);
    // A session on parts owned elsewhere, which outlive it and its documents.
    EditorSession(Prompter& prompter, Clipboard* clipboard, PresentationPictures* pictures);
    ~EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    // A document on the session's parts; it must not outlive the session. It holds nothing
    // until it is made new or opened.
    std::unique_ptr<CCorvaneDoc> MakeDocument() const;

private:
    Prompter& prompter_;
    std::unique_ptr<Clipboard> ownedClipboard_;
    std::unique_ptr<PresentationPictures> ownedPictures_;
    Clipboard* clipboard_;
    PresentationPictures* pictures_;
};

}  // namespace lutaris
