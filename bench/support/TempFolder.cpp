// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "support/TempFolder.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace lutaris::bench {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lutaris-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace lutaris::bench
