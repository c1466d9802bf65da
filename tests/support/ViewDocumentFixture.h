#pragma once

#include "render/ViewDocument.h"
#include "support/TabDocumentFixture.h"

namespace lutaris::test {

// The document as its view sees it, for the rendering layer's tests.
using ViewDocumentTest = DocumentTestOn<ViewDocument>;

}  // namespace lutaris::test
