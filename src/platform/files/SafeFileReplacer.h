// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>

namespace lutaris {

// A file that could not be written; what() says which file and why.
class FileWriteError : public std::runtime_error {
public:
    explicit FileWriteError(const std::string& reason) : std::runtime_error(reason) {}
};

// Replaces the file at `path` with `bytes` so that the path always holds either the whole old
// file or the whole new one, also across a crash or a power cut:
//  - the bytes go to a temporary file in the same folder, named ".NAME.lutaris-save-XXXXXX",
//    which is flushed to disk and then renamed over the target; the folder is flushed after;
//  - an existing target keeps its permission bits (and its owner, where we may set it);
//  - a symbolic link is followed, and the file it leads to is replaced, not the link;
//  - on failure the temporary file is removed, the old file is untouched and FileWriteError
//    is thrown.
// A crash can still leave a temporary file behind; the next save of the same target removes
// such leftovers. (O_TMPFILE would avoid them, but only on some file systems, and a named file
// is still needed for the final rename.)
void ReplaceFileSafely(const std::string& path, std::span<const std::uint8_t> bytes);
// The same with the file's bytes given in pieces, written one after the other.
void ReplaceFileSafely(const std::string& path,
                       std::span<const std::span<const std::uint8_t>> pieces);

// The same for a file too large to hold in memory first: `write` writes the whole file into the
// open descriptor (positioned at 0, seekable) and throws to give up, which leaves the old file
// as it was. The descriptor is closed by the caller.
void ReplaceFileSafely(const std::string& path, const std::function<void(int fd)>& write);

// The prefix of the temporary files that ReplaceFileSafely makes for a target file name.
std::string TemporaryFilePrefix(const std::string& targetName);

}  // namespace lutaris
