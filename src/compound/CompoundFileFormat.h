// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// Numbers of the published compound file layout shared by our reader and writer.
namespace lutaris::cfb {

inline constexpr std::array<std::uint8_t, 8> kSignature = {0xD0, 0xCF, 0x11, 0xE0,
                                                           0xA1, 0xB1, 0x1A, 0xE1};

// Sector numbers at and above this one are markers, not positions.
inline constexpr std::uint32_t kMaxRegularSector = 0xFFFFFFFA;
inline constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
inline constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
inline constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
inline constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
inline constexpr std::uint32_t kNoStream = 0xFFFFFFFF;

inline constexpr std::size_t kHeaderSize = 512;
inline constexpr std::size_t kHeaderDifatEntries = 109;
inline constexpr std::size_t kDirectoryEntrySize = 128;
inline constexpr std::size_t kMiniSectorSize = 64;
inline constexpr std::uint32_t kMiniStreamCutoff = 4096;
inline constexpr std::size_t kMaxNameUnits = 31;  // plus the terminating zero

// Header field offsets.
inline constexpr std::size_t kOffsetClassId = 0x08;
inline constexpr std::size_t kOffsetMinorVersion = 0x18;
inline constexpr std::size_t kOffsetMajorVersion = 0x1A;
inline constexpr std::size_t kOffsetByteOrder = 0x1C;
inline constexpr std::size_t kOffsetSectorShift = 0x1E;
inline constexpr std::size_t kOffsetMiniSectorShift = 0x20;
inline constexpr std::size_t kOffsetDirectorySectorCount = 0x28;
inline constexpr std::size_t kOffsetFatSectorCount = 0x2C;
inline constexpr std::size_t kOffsetFirstDirectorySector = 0x30;
inline constexpr std::size_t kOffsetMiniStreamCutoff = 0x38;
inline constexpr std::size_t kOffsetFirstMiniFatSector = 0x3C;
inline constexpr std::size_t kOffsetMiniFatSectorCount = 0x40;
inline constexpr std::size_t kOffsetFirstDifatSector = 0x44;
inline constexpr std::size_t kOffsetDifatSectorCount = 0x48;
inline constexpr std::size_t kOffsetHeaderDifat = 0x4C;

// Directory entry field offsets.
inline constexpr std::size_t kEntryNameLength = 0x40;
inline constexpr std::size_t kEntryType = 0x42;
inline constexpr std::size_t kEntryColor = 0x43;
inline constexpr std::size_t kEntryLeftSibling = 0x44;
inline constexpr std::size_t kEntryRightSibling = 0x48;
inline constexpr std::size_t kEntryChild = 0x4C;
inline constexpr std::size_t kEntryClassId = 0x50;
inline constexpr std::size_t kEntryStartSector = 0x74;
inline constexpr std::size_t kEntryStreamSize = 0x78;

enum class EntryType : std::uint8_t { Unused = 0, Storage = 1, Stream = 2, Root = 5 };
inline constexpr std::uint8_t kBlack = 1;

inline std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return std::uint32_t{bytes[offset]} | (std::uint32_t{bytes[offset + 1]} << 8) |
           (std::uint32_t{bytes[offset + 2]} << 16) | (std::uint32_t{bytes[offset + 3]} << 24);
}

inline std::uint64_t ReadU64(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return std::uint64_t{ReadU32(bytes, offset)} |
           (std::uint64_t{ReadU32(bytes, offset + 4)} << 32);
}

inline void WriteU16(std::uint8_t* out, std::uint16_t value) {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void WriteU32(std::uint8_t* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void WriteU64(std::uint8_t* out, std::uint64_t value) {
    for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace lutaris::cfb
