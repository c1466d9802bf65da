// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// lutaris-cli import-text: Import File on a new document, then the result saved.

#include <iostream>

#include "CliCommandTable.h"
#include "MessageEcho.h"
#include "document/CCorvaneDoc.h"
#include "platform/prompt/ScriptedPrompter.h"

namespace lutaris::cli {
namespace {

int ImportText(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        return UsageError(*CliCommandTable::Instance().Find("import-text"),
                          "a text file and an output document file expected");
    }
    ScriptedPrompter prompter;
    CCorvaneDoc document(prompter);
    document.OnNewDocument();
    // The command asks before it overwrites the document: this tool has already been told to.
    prompter.QueueAnswer(MessageAnswer::Yes);
    prompter.QueueFile(args[0]);
    document.OnImportFile();
    // Any message after that question is a file that could not be imported, and the document
    // was left as it was: nothing is saved.
    const auto& messages = prompter.Messages();
    if (messages.size() > 1) {
        for (std::size_t i = 1; i < messages.size(); ++i) {
            std::cerr << FormatMessageLine(messages[i]) << "\n";
        }
        return 1;
    }
    EchoMessages(prompter, std::cerr);  // a save that fails says so
    return document.SaveToPath(args[1]) ? 0 : 1;
}

const CliCommandRegistration kImportText({"import-text", "IN.txt OUT.ltf",
                                          "Import a text tablature file into a new document as "
                                          "Import File does, and save it as OUT.ltf.",
                                          ImportText});

}  // namespace
}  // namespace lutaris::cli
