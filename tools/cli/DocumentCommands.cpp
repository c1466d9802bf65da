// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// The top-level commands that work on document files and scripts.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <system_error>

#include "CliCommandTable.h"
#include "JsonDumpWriter.h"
#include "MessageEcho.h"
#include "ScriptRunner.h"
#include "document/CCorvaneDoc.h"
#include "edit/TextExporter.h"

namespace lutaris::cli {
namespace {

const CliCommand& Named(const char* name) { return *CliCommandTable::Instance().Find(name); }

int NewFile(const std::vector<std::string>& args) {
    if (args.size() != 1) return UsageError(Named("new"), "one output file expected");
    EchoedDocument document;
    document->OnNewDocument();
    return document->SaveToPath(args[0]) ? 0 : 1;
}

int Dump(const std::vector<std::string>& args) {
    if (args.size() != 1) return UsageError(Named("dump"), "one document file expected");
    EchoedDocument document;
    if (!document->OnOpenDocument(args[0])) return 1;
    JsonDumpWriter(std::cout).Write(*document);
    return std::cout.flush() ? 0 : 1;
}

int ExportText(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        return UsageError(Named("export-text"), "a document file and an output file expected");
    }
    EchoedDocument document;
    if (!document->OnOpenDocument(args[0])) return 1;
    return TextExporter(*document).WriteTo(args[1]) ? 0 : 1;
}

int Run(std::vector<std::string> args) {
    bool systemClipboard = false;
    auto mode = ScriptRunner::Mode::StopAtFailure;
    while (!args.empty() && (args[0] == "--system-clipboard" || args[0] == "--keep-going")) {
        if (args[0] == "--system-clipboard") systemClipboard = true;
        if (args[0] == "--keep-going") mode = ScriptRunner::Mode::KeepGoing;
        args.erase(args.begin());
    }
    if (args.size() != 1) return UsageError(Named("run"), "one script file (or -) expected");
    std::ifstream script;
    if (args[0] != "-") {
        // A folder opens like a file and then reads as an empty script: a run of nothing that
        // would report success.
        std::error_code error;
        if (!std::filesystem::is_directory(args[0], error)) {
            script.open(args[0], std::ios::binary);
        }
        if (!script.is_open()) {
            std::cerr << "lutaris-cli run: cannot read " << args[0] << "\n";
            return 2;
        }
    }
    std::unique_ptr<ScriptClipboard> clipboard;
    try {
        clipboard = systemClipboard ? ScriptClipboard::System() : ScriptClipboard::InMemory();
    } catch (const std::runtime_error& error) {
        std::cerr << "lutaris-cli run: " << error.what() << "\n";
        return 1;
    }
    ScriptRunner runner(std::cout, std::cerr, std::move(clipboard), mode);
    return args[0] == "-" ? runner.Run(std::cin) : runner.Run(script);
}

const CliCommandRegistration kCommands[] = {
    CliCommandRegistration({"new", "OUT.ltf",
                            "Save a new document (default settings from "
                            "./Lutaris.ini, one empty tab item) as OUT.ltf.",
                            NewFile}),
    CliCommandRegistration(
        {"dump", "FILE.ltf", "Print the opened document as one line of JSON.", Dump}),
    CliCommandRegistration({"export-text", "FILE.ltf OUT.txt",
                            "Write the document's text tablature as Export File does.",
                            ExportText}),
    CliCommandRegistration({"run", "[--keep-going] [--system-clipboard] SCRIPT|-",
                            "Run a script of editing commands (see below) on one document; - "
                            "reads the script from standard input. The script stops at the "
                            "first line that fails; --keep-going runs on past failed "
                            "operations instead (see below). The script's clipboard "
                            "lives in the process unless --system-clipboard shares it with the "
                            "display's other programs (Qt's platform as QT_QPA_PLATFORM says; "
                            "other programs read what the script put there while it runs "
                            "`hold`).",
                            Run}),
};

}  // namespace
}  // namespace lutaris::cli
