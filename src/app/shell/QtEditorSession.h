// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <memory>

#include "document/EditorSession.h"

namespace lutaris {

// The editor's session: documents on the display's clipboard, with the raster and vector
// pictures Copy offers beside the object.
std::unique_ptr<EditorSession> MakeQtEditorSession(Prompter& prompter);

}  // namespace lutaris
