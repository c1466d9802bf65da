// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lutaris {

// One piece of clipboard content: the format's name and its bytes.
struct ClipboardFormat {
    std::string name;
    std::vector<std::uint8_t> data;
};

// The system clipboard as the document and the view use it: whole contents are replaced at
// once, and formats are known by name, so that every process that uses the same name agrees on
// the format (the private formats are recognised across programs that way).
//
// Whatever another program put there is outside input: readers look at presence first and take
// the bytes of a format only when they need them.
class Clipboard {
public:
    virtual ~Clipboard() = default;

    // Empties the clipboard.
    virtual void Clear() = 0;
    // Replaces the whole content with `formats`; a later format of the same name wins.
    virtual void SetFormats(std::vector<ClipboardFormat> formats) = 0;
    virtual bool HasFormat(const std::string& name) const = 0;
    // The bytes of `name`, or nothing when the clipboard does not offer it.
    virtual std::optional<std::vector<std::uint8_t>> GetFormat(const std::string& name) const = 0;
    // The names of the formats offered, in the order the owner lists them.
    virtual std::vector<std::string> ListFormats() const = 0;
};

}  // namespace lutaris
