// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "MessageEcho.h"

#include <iostream>

namespace lutaris::cli {
namespace {

std::string EscapeLineBreaks(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

}  // namespace

std::string FormatMessageLine(const ShownMessage& message) {
    return "message: " + EscapeLineBreaks(message.caption) + ": " + EscapeLineBreaks(message.text);
}

void EchoMessages(ScriptedPrompter& prompter, std::ostream& stream) {
    prompter.SetMessageSink([&stream](const ShownMessage& message) {
        stream << FormatMessageLine(message) << std::endl;
    });
}

EchoedDocument::EchoedDocument() : document_(prompter_) { EchoMessages(prompter_, std::cerr); }

}  // namespace lutaris::cli
