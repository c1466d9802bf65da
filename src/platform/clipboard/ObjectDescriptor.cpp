// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/clipboard/ObjectDescriptor.h"

#include <algorithm>

namespace lutaris {
namespace {

void PutUint32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void PutInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
    PutUint32(out, static_cast<std::uint32_t>(value));
}

void PutString(std::vector<std::uint8_t>& out, const std::u16string& text) {
    for (const char16_t unit : text) {
        out.push_back(static_cast<std::uint8_t>(unit & 0xff));
        out.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    out.push_back(0);
    out.push_back(0);
}

std::uint32_t StringBytes(const std::u16string& text) {
    return static_cast<std::uint32_t>(2 * (text.size() + 1));
}

std::uint32_t GetUint32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t{bytes[offset + i]} << (8 * i);
    return value;
}

std::int32_t GetInt32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::int32_t>(GetUint32(bytes, offset));
}

// The zero-terminated UTF-16LE name at `offset` of the descriptor `bytes` (offset 0: none).
std::optional<std::u16string> GetString(std::span<const std::uint8_t> bytes, std::uint32_t offset) {
    if (offset == 0) return std::u16string();
    if (offset < ObjectDescriptor::kFixedSize || offset >= bytes.size()) return std::nullopt;
    std::u16string text;
    for (std::size_t at = offset; at + 1 < bytes.size(); at += 2) {
        const auto unit = static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8));
        if (unit == 0) return text;
        text.push_back(unit);
    }
    return std::nullopt;
}

}  // namespace

std::optional<ObjectDescriptor> ObjectDescriptor::Decode(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kFixedSize) return std::nullopt;
    const std::uint32_t size = GetUint32(bytes, 0);
    if (size < kFixedSize || size > bytes.size()) return std::nullopt;
    bytes = bytes.first(size);

    ObjectDescriptor descriptor;
    std::copy_n(bytes.begin() + 4, descriptor.classId.bytes.size(), descriptor.classId.bytes.begin());
    descriptor.drawAspect = GetUint32(bytes, 20);
    descriptor.width = GetInt32(bytes, 24);
    descriptor.height = GetInt32(bytes, 28);
    descriptor.grabX = GetInt32(bytes, 32);
    descriptor.grabY = GetInt32(bytes, 36);
    descriptor.status = GetUint32(bytes, 40);
    auto type = GetString(bytes, GetUint32(bytes, 44));
    auto source = GetString(bytes, GetUint32(bytes, 48));
    if (!type || !source) return std::nullopt;
    descriptor.fullUserTypeName = std::move(*type);
    descriptor.sourceOfCopy = std::move(*source);
    return descriptor;
}

std::vector<std::uint8_t> ObjectDescriptor::Encode() const {
    // An empty name is left out (offset 0), as the structure allows.
    const std::uint32_t typeOffset = fullUserTypeName.empty() ? 0 : kFixedSize;
    const std::uint32_t typeBytes = fullUserTypeName.empty() ? 0 : StringBytes(fullUserTypeName);
    const std::uint32_t sourceOffset =
        sourceOfCopy.empty() ? 0 : static_cast<std::uint32_t>(kFixedSize) + typeBytes;
    const std::uint32_t sourceBytes = sourceOfCopy.empty() ? 0 : StringBytes(sourceOfCopy);
    const std::uint32_t size = static_cast<std::uint32_t>(kFixedSize) + typeBytes + sourceBytes;

    std::vector<std::uint8_t> out;
    out.reserve(size);
    PutUint32(out, size);
    out.insert(out.end(), classId.bytes.begin(), classId.bytes.end());
    PutUint32(out, drawAspect);
    PutInt32(out, width);
    PutInt32(out, height);
    PutInt32(out, grabX);
    PutInt32(out, grabY);
    PutUint32(out, status);
    PutUint32(out, typeOffset);
    PutUint32(out, sourceOffset);
    if (typeBytes != 0) PutString(out, fullUserTypeName);
    if (sourceBytes != 0) PutString(out, sourceOfCopy);
    return out;
}

}  // namespace lutaris
