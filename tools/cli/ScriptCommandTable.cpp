#include "ScriptCommandTable.h"

#include <algorithm>

namespace lutaris::cli {

ScriptCommandTable& ScriptCommandTable::Instance() {
    static ScriptCommandTable table;
    return table;
}

void ScriptCommandTable::Add(ScriptCommand command) { commands_.push_back(std::move(command)); }

const ScriptCommand* ScriptCommandTable::Find(const std::string& name) const {
    for (const auto& command : commands_) {
        if (command.name == name) return &command;
    }
    return nullptr;
}

std::vector<const ScriptCommand*> ScriptCommandTable::Commands() const {
    std::vector<const ScriptCommand*> sorted;
    for (const auto& command : commands_) sorted.push_back(&command);
    std::sort(sorted.begin(), sorted.end(),
              [](const ScriptCommand* a, const ScriptCommand* b) { return a->name < b->name; });
    return sorted;
}

}  // namespace lutaris::cli
