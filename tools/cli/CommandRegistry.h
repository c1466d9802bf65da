// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace lutaris::cli {

// The commands of one kind (top-level commands, script commands). Each registers itself from
// its own source file with a static Registration, so adding one needs no edit anywhere else.
// `Command` has a `name`.
template <typename Command>
class CommandRegistry {
public:
    static CommandRegistry& Instance() {
        static CommandRegistry registry;
        return registry;
    }

    void Add(Command command) { commands_.push_back(std::move(command)); }

    const Command* Find(const std::string& name) const {
        for (const Command& command : commands_) {
            if (command.name == name) return &command;
        }
        return nullptr;
    }

    // In name order.
    std::vector<const Command*> Commands() const {
        std::vector<const Command*> sorted;
        for (const Command& command : commands_) sorted.push_back(&command);
        std::sort(sorted.begin(), sorted.end(),
                  [](const Command* a, const Command* b) { return a->name < b->name; });
        return sorted;
    }

    struct Registration {
        explicit Registration(Command command) { Instance().Add(std::move(command)); }
    };

private:
    std::vector<Command> commands_;
};

}  // namespace lutaris::cli
