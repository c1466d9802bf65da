// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/recovery/ProcessIdentity.h"

namespace lutaris {

// What is kept beside a recovery copy: whose it is and what it was.
struct RecoveryInfo {
    ProcessIdentity owner;
    // Seconds since 1970 (UTC) when the copy was written.
    std::int64_t savedAt = 0;
    // The path the document saves to; empty for an untitled one.
    std::string originalPath;
    std::string title;

    bool operator==(const RecoveryInfo&) const = default;
};

// The text of an info file: a first line naming the format, then one "key value" line each,
// values with backslash escapes so that a path with line breaks stays on its line.
std::string FormatRecoveryInfo(const RecoveryInfo& info);
// Reads what FormatRecoveryInfo wrote; nothing for anything else (another format, a missing
// key, a number that does not parse, a file cut short). Unknown keys are skipped.
std::optional<RecoveryInfo> ParseRecoveryInfo(std::span<const std::uint8_t> bytes);

// Info files are this small; a larger one is damaged.
inline constexpr std::size_t kMaxRecoveryInfoBytes = 64 * 1024;

}  // namespace lutaris
