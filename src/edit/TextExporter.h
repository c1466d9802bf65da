// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lutaris {

class TabDocument;

// Export File: writes the text form of every tab item in reading order (`position`, as the view
// shows them; the document file keeps list order), each followed by three line feeds, with
// every line feed written as CR LF as text-mode files have them. The document is not changed.
class TextExporter {
public:
    static constexpr const char* kFailedMessage = "Failed to export file.";
    static constexpr const char* kTooLargeMessage = "The document is too large to export as text.";
    // The file is built in memory before it replaces the old one; no real document comes near.
    static constexpr std::size_t kMaxExportBytes = std::size_t{256} << 20;

    explicit TextExporter(TabDocument& document, std::size_t maxBytes = kMaxExportBytes)
        : document_(document), maxBytes_(maxBytes) {}

    // The command: asks for a path in the Save As dialog, then writes. False when the dialog
    // was cancelled or the file was not written.
    bool Run();
    // Writes the whole file or nothing (an existing file stays as it was); a failure is
    // reported in a message box and gives false.
    bool WriteTo(const std::string& path);
    // The file's bytes. Throws TextTooLargeError for an item, or a document, too large to write.
    std::string ExportText();

    // Appends `text` to `out` with every LF turned into CR LF.
    static void AppendWithCrLf(std::string& out, std::string_view text);

private:
    TabDocument& document_;
    std::size_t maxBytes_;
};

}  // namespace lutaris
