// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <string>

namespace lutaris {
class CCorvaneDoc;
}

namespace lutaris::fuzz {

// Aborts (a finding) unless the document keeps the invariants every command relies on: at least
// one tab item, positions exactly 0 … n − 1, the caret on one of the items, the selection a
// subset of the items.
void CheckDocumentInvariants(const CCorvaneDoc& document);

// Aborts unless `text` is one of the messages a failed open may show.
void CheckOpenFailureMessage(const std::string& text);

// Aborts unless storing the document and loading what was stored gives the same stream again.
void CheckSaveLoadRoundTrip(CCorvaneDoc& document);

}  // namespace lutaris::fuzz
