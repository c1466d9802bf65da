// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <string>

namespace lutaris {

// The "file://" URI of an absolute path: every byte outside the unreserved characters and "/"
// is percent-encoded, so blanks, "#", "%" and non-ASCII names survive the trip.
std::string FileUriFromPath(const std::string& absolutePath);

}  // namespace lutaris
