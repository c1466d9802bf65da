// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "JsonDumpWriter.h"

#include <ostream>
#include <unordered_map>

#include "document/CCorvaneDoc.h"
#include "model/TabCursor.h"

namespace lutaris::cli {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

// The length of the valid UTF-8 sequence at the start of `text`, or 0 when it is not one.
std::size_t ValidSequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    std::uint32_t minimum = 0;
    std::uint32_t code = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2, minimum = 0x80, code = lead & 0x1fu;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3, minimum = 0x800, code = lead & 0x0fu;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4, minimum = 0x10000, code = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xc0u) != 0x80u) return 0;
        code = (code << 6) | (byte(i) & 0x3fu);
    }
    if (code < minimum || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) return 0;
    return length;
}

void WriteNote(std::ostream& out, const TabNote& note) {
    out << '[' << note.fret << ',' << note.string << ',' << note.column << ',' << note.reserved
        << ',' << note.action << ']';
}

}  // namespace

std::string JsonDumpWriter::Quote(std::string_view text) {
    std::string quoted = "\"";
    while (!text.empty()) {
        const auto c = static_cast<unsigned char>(text[0]);
        const std::size_t length = ValidSequenceLength(text);
        if (length == 0) {
            quoted += "\\ufffd";
            text.remove_prefix(1);
            continue;
        }
        if (length > 1) {
            quoted.append(text.substr(0, length));
        } else if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c == '\n') {
            quoted += "\\n";
        } else if (c == '\r') {
            quoted += "\\r";
        } else if (c == '\t') {
            quoted += "\\t";
        } else if (c < 0x20 || c == 0x7f) {
            quoted += "\\u00";
            quoted += kHexDigits[c >> 4];
            quoted += kHexDigits[c & 0xf];
        } else {
            quoted += static_cast<char>(c);
        }
        text.remove_prefix(length);
    }
    quoted += '"';
    return quoted;
}

void JsonDumpWriter::Write(const CCorvaneDoc& document) {
    const TabSettings& s = *document.settings;
    out_ << "{\"settings\":{\"leftMargin\":" << s.leftMargin << ",\"topMargin\":" << s.topMargin
         << ",\"horizontalSpacing\":" << s.horizontalSpacing
         << ",\"verticalSpacing\":" << s.verticalSpacing << ",\"textFloat\":" << s.textFloat
         << ",\"numberOfStrings\":" << s.numberOfStrings
         << ",\"nextLineSpacing\":" << s.nextLineSpacing << ",\"textOpaque\":" << s.textOpaque
         << "},\"items\":[";

    std::unordered_map<const Tablature*, std::size_t> indexOf;
    for (std::size_t i = 0; i < document.tabItems.size(); ++i) {
        const Tablature& item = *document.tabItems[i];
        indexOf.emplace(&item, i);
        out_ << (i > 0 ? "," : "") << "{\"position\":" << item.position << ",\"reservedBlock\":\"";
        for (const auto byte : item.reservedBlock) {
            out_ << kHexDigits[byte >> 4] << kHexDigits[byte & 0xf];
        }
        out_ << "\",\"notes\":[";
        for (std::size_t n = 0; n < item.notes.size(); ++n) {
            if (n > 0) out_ << ',';
            WriteNote(out_, item.notes[n]);
        }
        out_ << "]}";
    }

    out_ << "],\"cursor\":{\"item\":";
    const TabCursor& cursor = *document.cursor;
    const auto found = indexOf.find(cursor.tabItem);
    if (found != indexOf.end()) {
        out_ << found->second;
    } else {
        out_ << "null";
    }
    out_ << ",\"current\":";
    WriteNote(out_, cursor.current);
    out_ << ",\"previous\":";
    WriteNote(out_, cursor.previous);
    out_ << "},\"selection\":[";
    bool first = true;
    for (const Tablature* selected : document.selection) {
        const auto index = indexOf.find(selected);
        if (index == indexOf.end()) continue;  // never happens while the invariants hold
        out_ << (first ? "" : ",") << index->second;
        first = false;
    }
    out_ << "],\"copied\":" << document.copied
         << ",\"modified\":" << (document.IsModified() ? "true" : "false") << ",\"path\":";
    if (document.GetPathName().empty()) {
        out_ << "null";
    } else {
        out_ << Quote(document.GetPathName());
    }
    out_ << "}\n";
}

}  // namespace lutaris::cli
