// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "ScriptRunner.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <ostream>

#include "MessageEcho.h"
#include "ScriptCommandTable.h"
#include "ScriptLineReader.h"

namespace lutaris::cli {

ScriptRunner::ScriptRunner(std::ostream& out, std::ostream& err,
                           std::unique_ptr<ScriptClipboard> clipboard, Mode mode)
    : out_(out),
      err_(err),
      mode_(mode),
      clipboard_(std::move(clipboard)),
      session_(prompter_, &clipboard_->Get(), clipboard_->Pictures()),
      document_(session_.MakeDocument()),
      files_(*document_) {
    EchoMessages(prompter_, err_);
    // As File > New and File > Open: a modified document asks first ("save changes?"), and a
    // cancel keeps it. The start document has nothing to lose and is not asked about.
    files_.SetReplaceCheck(
        [this] { return TakeUntouchedStartDocument() || document_->SaveModified(); });
    document_->OnNewDocument();
    // From here on, whatever changes the document runs the update step and tells its views.
    document_->AddView(this);
}

ScriptRunner::~ScriptRunner() { document_->RemoveView(this); }

int ScriptRunner::Run(std::istream& script) {
    ScriptLineReader reader(script);
    std::string line;
    try {
        while (reader.Next(line)) RunLine(line);
    } catch (const ScriptError& error) {
        out_.flush();
        if (mode_ == Mode::KeepGoing) {
            err_ << "line " << reader.LineNumber() << ": " << error.what() << std::endl;
            return kMalformedScript;
        }
        err_ << "lutaris-cli: line " << reader.LineNumber() << ": " << error.what() << std::endl;
        return kFailed;
    }
    return failed_ ? kFailed : kSuccess;
}

void ScriptRunner::RunLine(const std::string& line) {
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') return;
    auto words = ScriptLineReader::SplitWords(line);
    const ScriptCommand* command = ScriptCommandTable::Instance().Find(words[0]);
    if (command == nullptr) throw ScriptError("unknown command \"" + words[0] + "\"");
    words.erase(words.begin());
    // Only this line's message boxes tell a failed operation from a cancelled one.
    prompter_.ClearMessages();
    command->run(*this, words);
}

void ScriptRunner::Fail(const std::string& what) {
    if (mode_ == Mode::StopAtFailure) throw ScriptError(what);
    err_ << what << std::endl;
    failed_ = true;
}

void ScriptRunner::OperationNotDone(const std::string& operation) {
    const auto& shown = prompter_.Messages();
    const bool told = std::any_of(shown.begin(), shown.end(), [](const ShownMessage& message) {
        return message.buttons == MessageButtons::Ok;
    });
    if (mode_ == Mode::StopAtFailure) {
        throw ScriptError(operation + (told ? " failed" : " cancelled"));
    }
    if (told) failed_ = true;
}

bool ScriptRunner::TakeUntouchedStartDocument() {
    if (mode_ == Mode::KeepGoing || !startUntouched_) return false;
    startUntouched_ = false;
    prompter_.DropNextAnswer();
    return true;
}

void ScriptRunner::ExpectArgumentCount(const std::vector<std::string>& args, std::size_t count,
                                       const std::string& usage) {
    if (args.size() != count) throw ScriptError("usage: " + usage);
}

std::int64_t ScriptRunner::ParseInteger(const std::string& word, std::int64_t min,
                                        std::int64_t max) {
    std::int64_t value = 0;
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    if (word.empty() || error != std::errc() || stop != end || value < min || value > max) {
        throw ScriptError("\"" + word + "\" is not a number from " + std::to_string(min) + " to " +
                          std::to_string(max));
    }
    return value;
}

}  // namespace lutaris::cli
