// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// The top-level commands that turn a document into a picture.

#include <cstdlib>
#include <iostream>
#include <limits>

#include "CliCommandTable.h"
#include "GuiApplication.h"
#include "MessageEcho.h"
#include "render/qt/PresentationExport.h"
#include "render/qt/ViewPaintExport.h"

namespace lutaris::cli {
namespace {

const CliCommand& Named(const char* name) { return *CliCommandTable::Instance().Find(name); }

// Reports a failed picture the way every other failure of the tool is reported.
int Written(const std::string& problem, const std::string& path) {
    if (problem.empty()) return 0;
    std::cerr << "lutaris-cli: " << path << ": " << problem << "\n";
    return 1;
}

// Parses a window width: a whole number of pixels, at least 1.
bool ParseWidth(const std::string& text, std::int32_t& width) {
    if (text.empty() || text.size() > 10) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value < 1 || value > std::numeric_limits<std::int32_t>::max()) return false;
    width = static_cast<std::int32_t>(value);
    return true;
}

int Render(const std::vector<std::string>& args) {
    if (args.size() != 2)
        return UsageError(Named("render"), "a document file and a picture expected");
    EnsureGuiApplication();
    EchoedDocument document;
    if (!document->OnOpenDocument(args[0])) return 1;
    return Written(ExportPresentation(*document, args[1]), args[1]);
}

int Paint(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    std::int32_t width = 800;
    bool caret = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--caret") {
            caret = true;
        } else if (args[i] == "--width") {
            if (i + 1 == args.size() || !ParseWidth(args[i + 1], width)) {
                return UsageError(Named("paint"),
                                  "--width needs a whole number of pixels, 1 or more");
            }
            ++i;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2)
        return UsageError(Named("paint"), "a document file and a PNG file expected");
    EnsureGuiApplication();
    EchoedDocument document;
    if (!document->OnOpenDocument(files[0])) return 1;
    return Written(ExportViewPaint(*document, files[1], width, caret), files[1]);
}

const CliCommandRegistration kCommands[] = {
    CliCommandRegistration({"render", "FILE.ltf OUT.svg|OUT.png|OUT.pdf",
                            "Write the document as a container shows it embedded (one row of "
                            "tab items) at the physical size of its extent; the picture's kind "
                            "follows the extension.",
                            Render}),
    CliCommandRegistration({"paint", "FILE.ltf OUT.png [--width W] [--caret]",
                            "Write what the editor's view paints in a window W pixels wide "
                            "(800 unless given), without the caret, or as the screen shows it "
                            "with the caret where opening the file puts it (--caret).",
                            Paint}),
};

}  // namespace
}  // namespace lutaris::cli
