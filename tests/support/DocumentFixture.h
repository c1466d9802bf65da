// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include "document/CCorvaneDoc.h"
#include "support/TabDocumentFixture.h"

namespace lutaris::test {

// The editor's document, for tests that drive its commands.
using DocumentTest = DocumentTestOn<CCorvaneDoc>;

}  // namespace lutaris::test
