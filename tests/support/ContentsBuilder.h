// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "model/TabNote.h"

namespace lutaris::test {

// Builds a "Contents" stream by hand, byte by byte, independently of the document's writer.
class ContentsBuilder {
public:
    ContentsBuilder& Raw(std::string_view text) {
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return *this;
    }
    ContentsBuilder& Int(std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) {
            bytes_.push_back(static_cast<std::uint8_t>(bits >> shift));
        }
        return *this;
    }
    ContentsBuilder& Ints(std::initializer_list<std::int32_t> values) {
        for (auto value : values) Int(value);
        return *this;
    }
    ContentsBuilder& Zeros(std::size_t count, std::uint8_t value = 0) {
        bytes_.insert(bytes_.end(), count, value);
        return *this;
    }
    // Magic and the built-in default settings.
    ContentsBuilder& DefaultHeader() {
        return Raw("Lutaris_0.2").Ints({1, 1, 24, 12, 8, 6, 30, 1});
    }
    // An item record with a reserved block of `fill` bytes.
    ContentsBuilder& Item(std::int32_t position, std::initializer_list<TabNote> notes,
                          std::uint8_t fill = 0) {
        Zeros(80, fill).Int(position).Int(static_cast<std::int32_t>(notes.size()));
        for (const auto& note : notes) {
            Ints({note.fret, note.string, note.column, note.reserved, note.action});
        }
        return *this;
    }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace lutaris::test
