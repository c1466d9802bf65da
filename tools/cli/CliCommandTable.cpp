#include "CliCommandTable.h"

#include <algorithm>
#include <iostream>

namespace lutaris::cli {

CliCommandTable& CliCommandTable::Instance() {
    static CliCommandTable table;
    return table;
}

void CliCommandTable::Add(CliCommand command) { commands_.push_back(std::move(command)); }

const CliCommand* CliCommandTable::Find(const std::string& name) const {
    for (const auto& command : commands_) {
        if (command.name == name) return &command;
    }
    return nullptr;
}

std::vector<const CliCommand*> CliCommandTable::Commands() const {
    std::vector<const CliCommand*> sorted;
    for (const auto& command : commands_) sorted.push_back(&command);
    std::sort(sorted.begin(), sorted.end(),
              [](const CliCommand* a, const CliCommand* b) { return a->name < b->name; });
    return sorted;
}

int UsageError(const CliCommand& command, const std::string& problem) {
    std::cerr << "lutaris-cli " << command.name << ": " << problem << "\n"
              << "usage: lutaris-cli " << command.name << " " << command.usage << "\n";
    return 2;
}

}  // namespace lutaris::cli
