// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "CliCommandTable.h"

#include <iostream>

namespace lutaris::cli {

int UsageError(const CliCommand& command, const std::string& problem) {
    std::cerr << "lutaris-cli " << command.name << ": " << problem << "\n"
              << "usage: lutaris-cli " << command.name << " " << command.usage << "\n";
    return 2;
}

}  // namespace lutaris::cli
