// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/files/Archive.h"

#include <algorithm>
#include <cstring>

namespace lutaris {

Archive::Archive() : direction_(Direction::Store) {}

Archive::Archive(std::span<const std::uint8_t> bytes) : direction_(Direction::Load), input_(bytes) {}

void Archive::WriteInt32(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
        static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
    output_.insert(output_.end(), bytes, bytes + 4);
}

std::int32_t Archive::ReadInt32() {
    if (Remaining() < 4) throw ArchiveEndOfFile();
    const std::uint8_t* p = input_.data() + readOffset_;
    readOffset_ += 4;
    const std::uint32_t bits = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                               (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
    return static_cast<std::int32_t>(bits);
}

void Archive::WriteRaw(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    output_.insert(output_.end(), bytes, bytes + size);
}

std::size_t Archive::ReadRaw(void* data, std::size_t size) {
    const std::size_t count = std::min(size, Remaining());
    if (count > 0) std::memcpy(data, input_.data() + readOffset_, count);
    readOffset_ += count;
    return count;
}

void Archive::Int32(std::int32_t& value) {
    if (IsLoading()) {
        value = ReadInt32();
    } else {
        WriteInt32(value);
    }
}

void Archive::Raw(void* data, std::size_t size) {
    if (IsLoading()) {
        ReadRaw(data, size);
    } else {
        WriteRaw(data, size);
    }
}

}  // namespace lutaris
