// The top-level commands that work on document files and scripts.

#include <fstream>
#include <iostream>

#include "CliCommandTable.h"
#include "JsonDumpWriter.h"
#include "MessageEcho.h"
#include "ScriptRunner.h"
#include "edit/TextExporter.h"
#include "model/CCorvaneDoc.h"
#include "platform/ScriptedPrompter.h"

namespace lutaris::cli {
namespace {

const CliCommand& Named(const char* name) { return *CliCommandTable::Instance().Find(name); }

// A document whose message boxes are printed to the error stream.
class CliDocument {
public:
    CliDocument() : document_(prompter_) { EchoMessages(prompter_, std::cerr); }
    CCorvaneDoc& operator*() { return document_; }
    CCorvaneDoc* operator->() { return &document_; }

private:
    ScriptedPrompter prompter_;
    CCorvaneDoc document_;
};

int NewFile(const std::vector<std::string>& args) {
    if (args.size() != 1) return UsageError(Named("new"), "one output file expected");
    CliDocument document;
    document->OnNewDocument();
    return document->SaveToPath(args[0]) ? 0 : 1;
}

int Dump(const std::vector<std::string>& args) {
    if (args.size() != 1) return UsageError(Named("dump"), "one document file expected");
    CliDocument document;
    if (!document->OnOpenDocument(args[0])) return 1;
    JsonDumpWriter(std::cout).Write(*document);
    return std::cout.flush() ? 0 : 1;
}

int ExportText(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        return UsageError(Named("export-text"), "a document file and an output file expected");
    }
    CliDocument document;
    if (!document->OnOpenDocument(args[0])) return 1;
    return TextExporter(*document).WriteTo(args[1]) ? 0 : 1;
}

int Run(const std::vector<std::string>& args) {
    if (args.size() != 1) return UsageError(Named("run"), "one script file (or -) expected");
    ScriptRunner runner(std::cout, std::cerr);
    if (args[0] == "-") return runner.Run(std::cin);
    std::ifstream script(args[0], std::ios::binary);
    if (!script) {
        std::cerr << "lutaris-cli run: cannot read " << args[0] << "\n";
        return ScriptRunner::kMalformedScript;
    }
    return runner.Run(script);
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
    CliCommandRegistration({"run", "SCRIPT|-",
                            "Run a script of editing commands (see below) on one document; - "
                            "reads the script from standard input.",
                            Run}),
};

}  // namespace
}  // namespace lutaris::cli
