// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "ScriptClipboard.h"
#include "document/CCorvaneDoc.h"
#include "document/EditorSession.h"
#include "document/FileCommands.h"
#include "model/ScriptedSettingsPrompter.h"
#include "platform/document/DocumentBase.h"

namespace lutaris::cli {

// Runs a `lutaris-cli run` script: one command per line on one document, which starts as a
// new document. Blank lines and lines starting with # are skipped. Message boxes are printed
// to the error stream as they are shown; dumps go to the output stream. The document's
// clipboard commands use `clipboard` (an in-process one unless given).
//
// A line that fails (an open, save, import or export that fails or is cancelled, a malformed
// line) stops the script: "lutaris-cli: line N: WHAT" on the error stream, status 1, nothing
// after it runs. The start document holds nothing anybody made, so a first open or new
// replaces it without asking. KeepGoing runs scripts as the tool always did: a failed
// operation is noted and the script runs on (status 1 at the end), a cancelled one passes, the
// start document is asked about like any other, and only a malformed line stops it (status 2).
class ScriptRunner : private DocumentObserver {
public:
    enum class Mode { StopAtFailure, KeepGoing };

    // Exit statuses of Run.
    static constexpr int kSuccess = 0;
    static constexpr int kFailed = 1;           // see the class comment
    static constexpr int kMalformedScript = 2;  // KeepGoing only: stopped at the line named

    ScriptRunner(std::ostream& out, std::ostream& err,
                 std::unique_ptr<ScriptClipboard> clipboard = ScriptClipboard::InMemory(),
                 Mode mode = Mode::StopAtFailure);
    ~ScriptRunner() override;

    int Run(std::istream& script);

    CCorvaneDoc& Document() { return *document_; }
    // New, open and save as the editor's File menu does them; the start document is replaced
    // without a question (see TakeUntouchedStartDocument).
    FileCommands& Files() { return files_; }
    ScriptedSettingsPrompter& Prompter() { return prompter_; }
    ScriptClipboard& Clipboard() { return *clipboard_; }
    std::ostream& Out() { return out_; }
    std::ostream& Err() { return err_; }

    // The line's operation failed; `what` says how. Stops the script, or with KeepGoing prints
    // `what` and runs on towards status 1.
    void Fail(const std::string& what);
    // An open, save, import or export (`operation`, as the line names it) did not happen. It
    // failed when the person was told why in a message box with only OK, else it was
    // cancelled. Stops the script; with KeepGoing a failure is noted and a cancel passes.
    void OperationNotDone(const std::string& operation);
    // True for the first open or new while the start document is as the script found it; the
    // answer queued for the "save changes?" question it does not ask is dropped, so that every
    // later question gets the answer it got when the start document was asked about. Always
    // false with KeepGoing.
    bool TakeUntouchedStartDocument();

    // Argument helpers for script commands; they throw ScriptError.
    static void ExpectArgumentCount(const std::vector<std::string>& args, std::size_t count,
                                    const std::string& usage);
    static std::int64_t ParseInteger(const std::string& word, std::int64_t min, std::int64_t max);

private:
    void RunLine(const std::string& line);
    void OnDocumentUpdated() override { startUntouched_ = false; }

    std::ostream& out_;
    std::ostream& err_;
    Mode mode_;
    ScriptedSettingsPrompter prompter_;
    std::unique_ptr<ScriptClipboard> clipboard_;
    EditorSession session_;
    std::unique_ptr<CCorvaneDoc> document_;
    FileCommands files_;
    bool failed_ = false;
    bool startUntouched_ = true;
};

}  // namespace lutaris::cli
