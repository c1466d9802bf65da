// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// Opening a document file, from the bytes on disk to the document: compound file or plain
// stream. Whatever the bytes, the open succeeds or fails with one of the open messages, and
// either way the document keeps its invariants; a document that opened saves and loads back
// unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "document/CCorvaneDoc.h"
#include "support/DocumentChecks.h"
#include "support/FuzzPrompter.h"
#include "support/MemoryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static lutaris::fuzz::MemoryFile file;
    file.Set(data, size);

    lutaris::fuzz::FuzzPrompter prompter;
    lutaris::CCorvaneDoc document(prompter);
    document.OnNewDocument();
    const bool opened = document.OnOpenDocument(file.Path());
    for (const auto& message : prompter.Messages()) {
        lutaris::fuzz::CheckOpenFailureMessage(message);
    }
    if (opened != prompter.Messages().empty()) std::abort();
    if (opened && document.IsModified()) std::abort();
    lutaris::fuzz::CheckDocumentInvariants(document);
    if (opened) lutaris::fuzz::CheckSaveLoadRoundTrip(document);
    return 0;
}
