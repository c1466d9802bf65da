// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "CommandRegistry.h"

namespace lutaris::cli {

// One top-level command of lutaris-cli ("dump FILE.ltf"). `run` gets the arguments after the
// command's name and returns the exit status: 0 success, 1 failure (already reported),
// 2 wrong usage.
struct CliCommand {
    std::string name;
    std::string usage;    // the arguments, as --help shows them: "FILE.ltf OUT.txt"
    std::string summary;  // one or more lines for --help
    std::function<int(const std::vector<std::string>& args)> run;
};

// Every top-level command.
using CliCommandTable = CommandRegistry<CliCommand>;
using CliCommandRegistration = CliCommandTable::Registration;

// The exit status for wrong usage of a command, after telling how it is used.
int UsageError(const CliCommand& command, const std::string& problem);

}  // namespace lutaris::cli
