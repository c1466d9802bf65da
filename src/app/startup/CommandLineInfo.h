// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <string>
#include <vector>

namespace lutaris {

// What the command line asks for. Flags start with "/" or "-" and are matched without regard
// to case; everything else is a parameter (the document, then the printer's name, driver and
// port for "/pt").
struct CommandLineInfo {
    enum class Request {
        FileNew,      // no document named: a new, untitled one
        FileOpen,     // a document path
        FilePrint,    // "/p PATH": print on the default printer, then exit
        FilePrintTo,  // "/pt PATH PRINTER [DRIVER [PORT]]": print on that printer, then exit
        Embedding,    // "Embedding" or "Automation": serve one object to a container
        Unregister,   // "Unregister" or "Unregserver": remove the registration and exit
        Recover,      // "-Recover ID": a new window for the recovery copy ID
        Invalid,      // an unknown flag or a missing parameter
    };

    Request request = Request::FileNew;
    std::string fileName;
    std::string printerName;
    std::string driverName;
    std::string portName;
    // For Invalid: what to tell the person.
    std::string message;

    static CommandLineInfo Parse(const std::vector<std::string>& arguments);
};

}  // namespace lutaris
