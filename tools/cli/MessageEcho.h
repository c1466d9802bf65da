// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <iosfwd>
#include <string>

#include "document/CCorvaneDoc.h"
#include "platform/prompt/ScriptedPrompter.h"

namespace lutaris::cli {

// A message box as one line: "message: CAPTION: TEXT", with line breaks in the text written
// as \n (and a backslash as \\) so that every message stays on one line.
std::string FormatMessageLine(const ShownMessage& message);

// Prints every message box the prompter shows to `stream`, one line each, as it is shown.
void EchoMessages(ScriptedPrompter& prompter, std::ostream& stream);

// A document of a top-level command: its message boxes are printed to the error stream, and
// it has no clipboard.
class EchoedDocument {
public:
    EchoedDocument();
    CCorvaneDoc& operator*() { return document_; }
    CCorvaneDoc* operator->() { return &document_; }

private:
    ScriptedPrompter prompter_;
    CCorvaneDoc document_;
};

}  // namespace lutaris::cli
