// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// The document's "Contents" stream inside a well-formed compound file: the input is the stream,
// so the fuzzer works on the archive rather than on the container around it. Same checks as
// fuzz_document_file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "compound/ClassId.h"
#include "compound/CompoundFileWriter.h"
#include "document/CCorvaneDoc.h"
#include "platform/files/DocumentClassId.h"
#include "support/DocumentChecks.h"
#include "support/FuzzPrompter.h"
#include "support/MemoryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static lutaris::fuzz::MemoryFile file;
    const auto compound = lutaris::WriteCompoundFile(lutaris::kDocumentClassId, "Contents",
                                                     std::span<const std::uint8_t>(data, size));
    file.Set(compound.data(), compound.size());

    lutaris::fuzz::FuzzPrompter prompter;
    lutaris::CCorvaneDoc document(prompter);
    document.OnNewDocument();
    const bool opened = document.OnOpenDocument(file.Path());
    for (const auto& message : prompter.Messages()) {
        // The container is sound, so only the stream's own faults may be reported.
        if (message == "Failed to open document.") std::abort();
        lutaris::fuzz::CheckOpenFailureMessage(message);
    }
    if (opened != prompter.Messages().empty()) std::abort();
    lutaris::fuzz::CheckDocumentInvariants(document);
    if (opened) {
        lutaris::fuzz::CheckSaveLoadRoundTrip(document);
        // A stream that opened without complaint stores back as it was read, but for what a
        // load is free to normalise (a negative count, positions renumbered, an empty file).
    }
    return 0;
}
