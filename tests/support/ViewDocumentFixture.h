// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include "render/ViewDocument.h"
#include "support/TabDocumentFixture.h"

namespace lutaris::test {

// The document as its view sees it, for the rendering layer's tests.
using ViewDocumentTest = DocumentTestOn<ViewDocument>;

}  // namespace lutaris::test
