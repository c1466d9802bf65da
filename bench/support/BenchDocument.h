// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <memory>

#include "document/CCorvaneDoc.h"
#include "platform/prompt/ScriptedPrompter.h"

namespace lutaris::bench {

// A document as the program makes one for File > New, with a prompter that answers by script,
// so that commands with dialogs can run unattended.
class BenchDocument {
public:
    BenchDocument() : document_(std::make_unique<CCorvaneDoc>(prompter_)) {
        document_->OnNewDocument();
    }

    CCorvaneDoc& Document() { return *document_; }
    ScriptedPrompter& Prompter() { return prompter_; }

private:
    ScriptedPrompter prompter_;
    std::unique_ptr<CCorvaneDoc> document_;
};

}  // namespace lutaris::bench
