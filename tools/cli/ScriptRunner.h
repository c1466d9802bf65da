#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "ScriptClipboard.h"
#include "document/CCorvaneDoc.h"
#include "model/ScriptedSettingsPrompter.h"

namespace lutaris::cli {

// Runs a `lutaris-cli run` script: one command per line on one document, which starts as a
// new document. Blank lines and lines starting with # are skipped. Message boxes are printed
// to the error stream as they are shown; dumps go to the output stream. The document's
// clipboard commands use `clipboard` (an in-process one unless given).
class ScriptRunner {
public:
    // Exit statuses of Run.
    static constexpr int kSuccess = 0;
    static constexpr int kOperationFailed = 1;  // an open, save or export failed; the script ran on
    static constexpr int kMalformedScript = 2;  // stopped at the line named on the error stream

    ScriptRunner(std::ostream& out, std::ostream& err,
                 std::unique_ptr<ScriptClipboard> clipboard = ScriptClipboard::InMemory());

    int Run(std::istream& script);

    CCorvaneDoc& Document() { return document_; }
    ScriptedSettingsPrompter& Prompter() { return prompter_; }
    ScriptClipboard& Clipboard() { return *clipboard_; }
    std::ostream& Out() { return out_; }
    std::ostream& Err() { return err_; }
    // An operation of the script failed (the person has been told why); Run then ends with
    // kOperationFailed.
    void NoteFailure() { failed_ = true; }

    // Argument helpers for script commands; they throw ScriptError.
    static void ExpectArgumentCount(const std::vector<std::string>& args, std::size_t count,
                                    const std::string& usage);
    static std::int64_t ParseInteger(const std::string& word, std::int64_t min, std::int64_t max);

private:
    void RunLine(const std::string& line);

    std::ostream& out_;
    std::ostream& err_;
    ScriptedSettingsPrompter prompter_;
    std::unique_ptr<ScriptClipboard> clipboard_;
    CCorvaneDoc document_;
    bool failed_ = false;
};

}  // namespace lutaris::cli
