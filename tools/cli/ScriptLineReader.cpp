// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "ScriptLineReader.h"

#include <istream>

namespace lutaris::cli {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool ScriptLineReader::Next(std::string& line) {
    line.clear();
    ++lineNumber_;
    bool sawAnything = false;
    bool tooLong = false;
    for (int c = in_.get(); c != std::char_traits<char>::eof(); c = in_.get()) {
        sawAnything = true;
        if (c == '\n') break;
        // The rest of an overlong line is skipped, not kept.
        if (line.size() >= kMaxLineBytes) {
            tooLong = true;
            continue;
        }
        line.push_back(static_cast<char>(c));
    }
    if (tooLong) throw ScriptError("line longer than " + std::to_string(kMaxLineBytes) + " bytes");
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return sawAnything;
}

std::vector<std::string> ScriptLineReader::SplitWords(const std::string& line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i == line.size()) break;
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) {
                    word += line[i++];
                } else {
                    word += c;
                }
            }
            if (!closed) throw ScriptError("unterminated quote");
            if (i < line.size() && !IsBlank(line[i])) {
                throw ScriptError("a quoted word must end at a blank");
            }
        } else {
            while (i < line.size() && !IsBlank(line[i])) word += line[i++];
        }
        words.push_back(std::move(word));
    }
    return words;
}

}  // namespace lutaris::cli
