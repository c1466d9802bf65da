// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// The script commands that work on the document and answer its questions.

#include <limits>
#include <optional>
#include <ostream>

#include "JsonDumpWriter.h"
#include "ScriptCommandTable.h"
#include "ScriptLineReader.h"
#include "ScriptRunner.h"
#include "edit/CursorResultApplier.h"
#include "model/CommandIds.h"
#include "model/TabCursor.h"
#include "platform/keys/VirtualKeyCodes.h"
#include "platform/runtime/Rng.h"

namespace lutaris::cli {
namespace {

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

void New(ScriptRunner& runner, const std::vector<std::string>& args) {
    ScriptRunner::ExpectArgumentCount(args, 0, "new");
    if (!runner.Files().New()) runner.OperationNotDone("new");
}

void Open(ScriptRunner& runner, const std::vector<std::string>& args) {
    ScriptRunner::ExpectArgumentCount(args, 1, "open PATH");
    if (runner.Files().OpenFile(args[0]) != FileCommands::Outcome::Done)
        runner.OperationNotDone("open " + args[0]);
}

void Save(ScriptRunner& runner, const std::vector<std::string>& args) {
    if (args.size() > 1) throw ScriptError("usage: save [PATH]");
    FileCommands& files = runner.Files();
    const bool saved = args.empty() ? files.Save() : files.SaveTo(args[0]);
    if (!saved) runner.OperationNotDone(args.empty() ? "save" : "save " + args[0]);
}

void Dump(ScriptRunner& runner, const std::vector<std::string>& args) {
    ScriptRunner::ExpectArgumentCount(args, 0, "dump");
    JsonDumpWriter(runner.Out()).Write(runner.Document());
    runner.Out().flush();
}

void Seed(ScriptRunner& runner, const std::vector<std::string>& args) {
    ScriptRunner::ExpectArgumentCount(args, 1, "seed N");
    const auto seed = ScriptRunner::ParseInteger(args[0], 0, 0xffffffffll);
    runner.Document().GetRng().Seed(static_cast<std::uint32_t>(seed));
}

void Key(ScriptRunner& runner, const std::vector<std::string>& args) {
    ScriptRunner::ExpectArgumentCount(args, 1, "key CODE");
    const auto code =
        static_cast<std::int32_t>(ScriptRunner::ParseInteger(args[0], kInt32Min, kInt32Max));
    // As the view: the scroll keys only scroll, every other key goes to the caret.
    if (vk::IsScrollKey(code)) return;
    CursorResultApplier(runner.Document()).Key(code);
}

// The menu's name for the commands that read or write a file.
std::string FileCommandName(std::int32_t id) {
    switch (id) {
        case ID_IMPORT_FILE:
            return "Import File";
        case ID_EXPORT_FILE:
            return "Export File";
        case ID_FILE_SAVE:
            return "Save";
        case ID_FILE_SAVE_AS:
            return "Save As";
        default:
            return "command";
    }
}

void Command(ScriptRunner& runner, const std::vector<std::string>& args) {
    ScriptRunner::ExpectArgumentCount(args, 1, "command ID");
    const auto id =
        static_cast<std::int32_t>(ScriptRunner::ParseInteger(args[0], kInt32Min, kInt32Max));
    switch (runner.Document().RunCommand(id)) {
        case CCorvaneDoc::CommandOutcome::NotACommand:
            throw ScriptError(args[0] + " is not a document command");
        case CCorvaneDoc::CommandOutcome::NotDone:
            return runner.OperationNotDone("command " + args[0] + " (" + FileCommandName(id) + ")");
        case CCorvaneDoc::CommandOutcome::Done:
            break;
    }
}

void Answer(ScriptRunner& runner, const std::vector<std::string>& args) {
    ScriptRunner::ExpectArgumentCount(args, 1, "answer yes|no|ok|cancel");
    const std::string& word = args[0];
    MessageAnswer answer;
    if (word == "yes") {
        answer = MessageAnswer::Yes;
    } else if (word == "no") {
        answer = MessageAnswer::No;
    } else if (word == "ok") {
        answer = MessageAnswer::Ok;
    } else if (word == "cancel") {
        answer = MessageAnswer::Cancel;
    } else {
        throw ScriptError("usage: answer yes|no|ok|cancel");
    }
    runner.Prompter().QueueAnswer(answer);
}

void File(ScriptRunner& runner, const std::vector<std::string>& args) {
    if (args.size() > 1) throw ScriptError("usage: file [PATH]");
    runner.Prompter().QueueFile(args.empty() ? std::nullopt : std::optional(args[0]));
}

void Settings(ScriptRunner& runner, const std::vector<std::string>& args) {
    constexpr const char* kUsage = "settings T1 T2 T3 T4 T5 0|1, or settings cancel";
    if (args.size() == 1 && args[0] == "cancel") {
        runner.Prompter().QueueSettings(std::nullopt);
        return;
    }
    if (args.size() != 6 || (args[5] != "0" && args[5] != "1")) {
        throw ScriptError(std::string("usage: ") + kUsage);
    }
    SettingsDialogEntry entry;
    for (std::size_t i = 0; i < entry.texts.size(); ++i) entry.texts[i] = args[i];
    entry.textOpaque = args[5] == "1";
    runner.Prompter().QueueSettings(entry);
}

const ScriptCommandRegistration kCommands[] = {
    ScriptCommandRegistration(
        {"new", "",
         "Replace the document with a new one. As in File > New, a "
         "modified document (one that differs from its saved or new "
         "state) asks \"Save changes to TITLE?\" first: give `answer no` to discard it, "
         "`answer yes` to save it. The script's start document is not "
         "asked about.",
         New}),
    ScriptCommandRegistration({"open", "PATH",
                               "Open a document file; a modified document asks first, as for "
                               "`new`.",
                               Open}),
    ScriptCommandRegistration({"save", "[PATH]",
                               "Save under PATH and take it as the document's path; without "
                               "PATH, File > Save.",
                               Save}),
    ScriptCommandRegistration(
        {"dump", "", "Print the document as JSON (as `lutaris-cli dump`).", Dump}),
    ScriptCommandRegistration(
        {"seed", "N", "Seed the document's random generator (0 ... 4294967295).", Seed}),
    ScriptCommandRegistration({"key", "CODE",
                               "A key-down with this Windows virtual-key code, as the view "
                               "passes it: 33-36 only scroll; others go to the caret and the "
                               "document applies its answer.",
                               Key}),
    ScriptCommandRegistration({"command", "ID",
                               "Run a document command by its menu id (32782 Insert Tab Item, "
                               "32783 Insert Note, 32784 Insert Random Riff, 32785 Add Tab Item, "
                               "32786 Import File, 32787 Export File, 32788-32799 techniques, "
                               "32800 Tab Settings, 32801 Copy as Text, 57603 Save, 57604 Save "
                               "As, 57634 Copy, 57635 Cut, 57637 Paste).",
                               Command}),
    ScriptCommandRegistration({"answer", "yes|no|ok|cancel",
                               "The answer to the next message box (unanswered boxes get Ok, "
                               "No for Yes/No, otherwise Cancel).",
                               Answer}),
    ScriptCommandRegistration({"file", "[PATH]",
                               "The path the next Open or Save As dialog returns; without PATH "
                               "the dialog is cancelled (as it is when none was given).",
                               File}),
    ScriptCommandRegistration({"settings", "T1 T2 T3 T4 T5 0|1 | cancel",
                               "What the next Tablature Settings dialog gets typed into its five "
                               "boxes (horizontal space, vertical space, text float, string "
                               "count, next line space) and its TextOpaque box, then OK; or "
                               "Cancel (as when none was given).",
                               Settings}),
};

}  // namespace
}  // namespace lutaris::cli
