// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <stdexcept>
#include <string>

namespace lutaris {

// A compound file that cannot be read or written as asked. what() names the first
// inconsistency found ("FAT chain of stream \"Contents\" loops at sector 7"), for logs and tests.
class CompoundFileError : public std::runtime_error {
public:
    explicit CompoundFileError(const std::string& reason) : std::runtime_error(reason) {}
};

}  // namespace lutaris
