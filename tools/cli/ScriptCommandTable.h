#pragma once

#include <functional>
#include <string>
#include <vector>

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

// Every script command. Each registers itself from its own source file with a static
// ScriptCommandRegistration, so adding one needs no edit anywhere else.
class ScriptCommandTable {
public:
    static ScriptCommandTable& Instance();

    void Add(ScriptCommand command);
    const ScriptCommand* Find(const std::string& name) const;
    // In name order.
    std::vector<const ScriptCommand*> Commands() const;

private:
    std::vector<ScriptCommand> commands_;
};

struct ScriptCommandRegistration {
    explicit ScriptCommandRegistration(ScriptCommand command) {
        ScriptCommandTable::Instance().Add(std::move(command));
    }
};

}  // namespace lutaris::cli
