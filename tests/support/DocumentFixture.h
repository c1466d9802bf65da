#pragma once

#include "document/CCorvaneDoc.h"
#include "support/TabDocumentFixture.h"

namespace lutaris::test {

// The editor's document, for tests that drive its commands.
using DocumentTest = DocumentTestOn<CCorvaneDoc>;

}  // namespace lutaris::test
