// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/startup/CommandLineInfo.h"

#include <algorithm>
#include <cctype>

namespace lutaris {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool IsFlag(const std::string& argument) {
    return argument.size() > 1 && (argument[0] == '/' || argument[0] == '-');
}

// A path that starts with "/" is a document, not a flag, when it names no flag we know and
// looks like a path: that is how Linux users write absolute paths.
bool LooksLikeAbsolutePath(const std::string& argument) {
    return argument[0] == '/' && argument.find('/', 1) != std::string::npos;
}

}  // namespace

CommandLineInfo CommandLineInfo::Parse(const std::vector<std::string>& arguments) {
    CommandLineInfo info;
    bool print = false;
    bool printTo = false;
    bool recover = false;
    std::vector<std::string> parameters;
    for (const std::string& argument : arguments) {
        if (!IsFlag(argument)) {
            parameters.push_back(argument);
            continue;
        }
        const std::string flag = Lower(argument.substr(1));
        if (flag == "p") {
            print = true;
        } else if (flag == "pt") {
            printTo = true;
        } else if (flag == "recover") {
            recover = true;
        } else if (flag == "embedding" || flag == "automation") {
            // Started by the bus for a container: nothing else on the line counts.
            info.request = Request::Embedding;
            return info;
        } else if (flag == "unregister" || flag == "unregserver") {
            info.request = Request::Unregister;
            return info;
        } else if (LooksLikeAbsolutePath(argument)) {
            parameters.push_back(argument);
        } else {
            info.request = Request::Invalid;
            info.message = "Unknown option \"" + argument +
                           "\".\nUsage: lutaris [DOCUMENT]\n       lutaris /p DOCUMENT\n"
                           "       lutaris /pt DOCUMENT PRINTER [DRIVER [PORT]]";
            return info;
        }
    }

    if (!parameters.empty()) info.fileName = parameters[0];
    if (parameters.size() > 1) info.printerName = parameters[1];
    if (parameters.size() > 2) info.driverName = parameters[2];
    if (parameters.size() > 3) info.portName = parameters[3];

    if (recover) {
        // Given by a program that recovers several documents to the program it starts for
        // each further one.
        info.request = Request::Recover;
        if (info.fileName.empty()) {
            info.request = Request::Invalid;
            info.message = "The option \"-Recover\" needs the id of a recovery copy.";
        }
    } else if (printTo) {
        info.request = Request::FilePrintTo;
        if (info.fileName.empty() || info.printerName.empty()) {
            info.request = Request::Invalid;
            info.message =
                "The option \"/pt\" needs a document and a printer: "
                "lutaris /pt DOCUMENT PRINTER";
        }
    } else if (print) {
        info.request = Request::FilePrint;
        if (info.fileName.empty()) {
            info.request = Request::Invalid;
            info.message = "The option \"/p\" needs a document: lutaris /p DOCUMENT";
        }
    } else if (!info.fileName.empty()) {
        info.request = Request::FileOpen;
    }
    return info;
}

}  // namespace lutaris
