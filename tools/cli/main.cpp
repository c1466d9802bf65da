// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
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
    out << "\nA script starts with a new document that holds nothing yet: a first `open` or\n"
           "`new` replaces it without asking (an answer queued for that question is\n"
           "dropped); later ones ask \"Save changes to TITLE?\" as File > New and File >\n"
           "Open do. Every message box shown is printed to standard error as one line\n"
           "\"message: CAPTION: TEXT\" (line breaks as \\n).\n\n"
           "What stops a script: the first line that fails, and nothing after it runs. A\n"
           "line fails when its open, save, import or export fails or is cancelled (a\n"
           "question answered no or cancel, a file dialog given no `file`, a file that\n"
           "cannot be read or written), when its command is unknown, when an argument is\n"
           "missing or malformed, and when `clipboard` finds no such format. The tool then\n"
           "prints \"lutaris-cli: line N: WHAT\" on standard error and exits with status 1.\n"
           "With `run --keep-going` a script runs on past failed and cancelled operations\n"
           "and asks about its start document like any other; it exits 1 at the end when\n"
           "an operation failed, and a malformed line stops it with status 2 (\"line N:\n"
           "WHAT\").\n\n"
           "Exit status: 0 success; 1 a command failed (for a script, the line above);\n"
           "2 wrong usage, or a script that cannot be read.\n";
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
