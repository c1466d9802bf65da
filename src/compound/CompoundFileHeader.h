// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace lutaris {

// The fields of a compound file's header that reading needs, checked against the format and
// the file's size. Sector numbers are taken as stored; following them is checked elsewhere.
struct CompoundFileHeader {
    int majorVersion = 3;
    std::size_t sectorSize = 512;
    // Bytes before sector 0: the header, padded to a whole sector in version 4.
    std::size_t headerSectorSize = 512;
    // Sectors the file holds, counting a last sector that the file cuts short.
    std::uint32_t sectorCount = 0;
    std::uint32_t fatSectorCount = 0;
    std::uint32_t firstDirectorySector = 0;
    std::uint32_t firstMiniFatSector = 0;
    std::uint32_t miniFatSectorCount = 0;
    std::uint32_t firstDifatSector = 0;
    std::uint32_t difatSectorCount = 0;
    std::array<std::uint32_t, 109> headerDifat{};

    // Throws CompoundFileError naming the first field that is wrong.
    static CompoundFileHeader Parse(std::span<const std::uint8_t> file);
};

}  // namespace lutaris
