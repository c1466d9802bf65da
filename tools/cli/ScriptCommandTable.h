// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "CommandRegistry.h"

namespace lutaris::cli {

class ScriptRunner;

// One command of a `lutaris-cli run` script ("key 49"). `run` gets the words after the
// command's name; it throws ScriptError for a malformed line and tells the runner about an
// operation that failed or was cancelled (a file that did not open) with ScriptRunner::Fail or
// ScriptRunner::OperationNotDone.
struct ScriptCommand {
    std::string name;
    std::string usage;    // the arguments, as --help shows them
    std::string summary;  // for --help
    std::function<void(ScriptRunner& runner, const std::vector<std::string>& args)> run;
};

// Every script command.
using ScriptCommandTable = CommandRegistry<ScriptCommand>;
using ScriptCommandRegistration = ScriptCommandTable::Registration;

}  // namespace lutaris::cli
