// lutaris-cli: the editor's document core without a display, for scripts and tests.

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "CliCommandTable.h"
#include "GuiApplication.h"
#include "ScriptCommandTable.h"

namespace lutaris::cli {
namespace {

constexpr std::size_t kHelpWidth = 78;

// The summary under a command, indented and wrapped at word boundaries.
void PrintWrapped(std::ostream& out, const std::string& text, const std::string& indent) {
    std::string line;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        if (!line.empty() && indent.size() + line.size() + 1 + word.size() > kHelpWidth) {
            out << indent << line << "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        start = end + 1;
    }
    if (!line.empty()) out << indent << line << "\n";
}

void PrintHelp(std::ostream& out) {
    out << "usage: lutaris-cli COMMAND [ARGUMENTS]\n"
           "       lutaris-cli --help\n\n"
           "Commands:\n";
    for (const CliCommand* command : CliCommandTable::Instance().Commands()) {
        out << "  " << command->name << " " << command->usage << "\n";
        PrintWrapped(out, command->summary, "      ");
    }
    out << "\nScript commands (lutaris-cli run), one a line; blank lines and lines starting\n"
           "with # are skipped; a word with blanks is written in double quotes (\\\" and \\\\\n"
           "inside them):\n";
    for (const ScriptCommand* command : ScriptCommandTable::Instance().Commands()) {
        out << "  " << command->name << (command->usage.empty() ? "" : " ") << command->usage
            << "\n";
        PrintWrapped(out, command->summary, "      ");
    }
    out << "\nA script starts with a new document. Every message box shown is printed to\n"
           "standard error as one line \"message: CAPTION: TEXT\" (line breaks as \\n).\n\n"
           "Exit status: 0 success; 1 a file failed to open, save or export (its message\n"
           "was printed; a script runs on after it); 2 wrong usage or a malformed script\n"
           "line (printed with its line number; the script stops there).\n";
}

int Main(const std::vector<std::string>& args) {
    if (args.empty()) {
        PrintHelp(std::cerr);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp(std::cout);
        return 0;
    }
    const CliCommand* command = CliCommandTable::Instance().Find(args[0]);
    if (command == nullptr) {
        std::cerr << "lutaris-cli: unknown command \"" << args[0] << "\" (see --help)\n";
        return 2;
    }
    return command->run(std::vector<std::string>(args.begin() + 1, args.end()));
}

}  // namespace
}  // namespace lutaris::cli

int main(int argc, char** argv) {
    const lutaris::cli::GuiApplicationLifetime guiApplication;
    try {
        return lutaris::cli::Main(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::cerr << "lutaris-cli: " << error.what() << "\n";
        return 1;
    }
}
