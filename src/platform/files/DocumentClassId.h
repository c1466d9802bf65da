// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include "compound/ClassId.h"

namespace lutaris {

// {4E1B7C53-2A96-4F08-B3D5-71C9E0A64F2D}: the class of our documents, written into the root
// storage of every saved file and used for the registration.
inline constexpr ClassId kDocumentClassId{{0x53, 0x7C, 0x1B, 0x4E, 0x96, 0x2A, 0x08, 0x4F, 0xB3,
                                           0xD5, 0x71, 0xC9, 0xE0, 0xA6, 0x4F, 0x2D}};

// The names of that class as containers show them: the full type name (their Insert Object
// lists, the clipboard's object descriptor) and the short one (window titles of an opened
// object, "Lutars in ...").
inline constexpr const char* kDocumentShortTypeName = "Lutars";
inline constexpr const char* kDocumentTypeName = "Lutars Document";

}  // namespace lutaris
