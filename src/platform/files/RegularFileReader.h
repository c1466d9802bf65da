// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/files/FileBytes.h"

namespace lutaris {

// A file that could not be read; what() says which file and why.
class FileReadError : public std::runtime_error {
public:
    explicit FileReadError(const std::string& reason) : std::runtime_error(reason) {}
};

// Reads a whole regular file of at most `maxBytes` bytes. Anything else (a folder, a pipe, a
// device, a file over the limit) is refused before memory is set aside, so a path chosen by
// someone else cannot make us block or allocate without bound. Throws FileReadError.
FileBytes ReadRegularFile(const std::string& path, std::uint64_t maxBytes);

}  // namespace lutaris
