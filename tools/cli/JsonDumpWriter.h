// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace lutaris {
class CCorvaneDoc;
}

namespace lutaris::cli {

// Writes a document as one line of JSON for `lutaris-cli dump`:
// {"settings":{…eight fields in field order…},
//  "items":[{"position":P,"reservedBlock":"160 hex digits","notes":[[fret,string,column,
//            reserved,action],…]},…],
//  "cursor":{"item":INDEX|null,"current":[5 words],"previous":[5 words]},
//  "selection":[INDEX,…],"copied":C,"modified":true|false,"path":"…"|null}
// Items and notes come in list order; INDEX is an index into "items".
class JsonDumpWriter {
public:
    explicit JsonDumpWriter(std::ostream& out) : out_(out) {}

    void Write(const CCorvaneDoc& document);

    // A JSON string literal. Bytes that are not valid UTF-8 become U+FFFD, so that a file name
    // in another encoding still gives valid JSON.
    static std::string Quote(std::string_view text);

private:
    std::ostream& out_;
};

}  // namespace lutaris::cli
