// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lutaris {

// The settings file that layout defaults come from, resolved against the current directory at
// the moment of each read (never against the program's own folder).
inline constexpr const char* kSettingsFileName = "./Lutaris.ini";

// Reads one integer from an INI file the way the original profile read did: section and key
// names match without regard to case, a missing file, key or empty value gives `defaultValue`, a value that
// does not start with a decimal number (after leading blanks; a sign belongs to the number)
// gives 0, and the number is taken as written. The file is never written.
std::int32_t GetPrivateProfileInt(std::string_view section, std::string_view key,
                                  std::int32_t defaultValue, const std::string& path);

// The same read over a settings file's content already in memory; GetPrivateProfileInt reads
// the file (at most its first MiB) and hands it here.
std::int32_t GetProfileIntFromText(std::string_view content, std::string_view section,
                                   std::string_view key, std::int32_t defaultValue);

// Converts the start of `text` as a signed decimal number: leading blanks skipped, an optional
// sign, then digits up to the first non-digit; no digits give 0. Overflow wraps at 32 bits, as
// the original's conversion did.
std::int32_t ParseLeadingDecimal(std::string_view text);

}  // namespace lutaris
