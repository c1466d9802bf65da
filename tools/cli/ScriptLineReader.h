// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

namespace lutaris::cli {

// A script line that cannot be read as words; what() says why.
class ScriptError : public std::runtime_error {
public:
    explicit ScriptError(const std::string& reason) : std::runtime_error(reason) {}
};

// Reads a script one line at a time, never holding more than kMaxLineBytes of one line, and
// splits lines into words.
class ScriptLineReader {
public:
    static constexpr std::size_t kMaxLineBytes = 64 * 1024;

    explicit ScriptLineReader(std::istream& in) : in_(in) {}

    // The next line without its line break (LF or CR LF); false at the end of the script.
    // Throws ScriptError for a line longer than kMaxLineBytes.
    bool Next(std::string& line);
    // The number of the line Next returned last, from 1.
    int LineNumber() const { return lineNumber_; }

    // The words of a line, separated by blanks. A word may be written in double quotes to hold
    // blanks or be empty; inside quotes \" and \\ stand for " and \. Throws ScriptError for an
    // unterminated quote.
    static std::vector<std::string> SplitWords(const std::string& line);

private:
    std::istream& in_;
    int lineNumber_ = 0;
};

}  // namespace lutaris::cli
