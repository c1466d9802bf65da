// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <string>
#include <string_view>

namespace lutaris {

// Directory entry names are UTF-16 on disk and UTF-8 in our code.

// Encodes a name for a directory entry. Throws CompoundFileError for what the format forbids:
// an empty name, more than 31 UTF-16 units, the characters / \ : ! or NUL, or bad UTF-8.
std::u16string EncodeEntryName(std::string_view utf8);

// Decodes a name as stored; a lone surrogate becomes U+FFFD rather than an error, because the
// name is only shown or compared, never written back.
std::string DecodeEntryName(std::u16string_view utf16);

// Names compare without regard to case, as the format prescribes; only the Latin letters are
// folded, which covers every name we look up.
bool EntryNamesEqual(std::u16string_view a, std::u16string_view b);

}  // namespace lutaris
