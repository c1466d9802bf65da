// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "compound/CompoundFileFormat.h"

namespace lutaris::test {

// Changes to compound files that we wrote (version 3, one FAT sector, one stream "Contents"),
// to make files whose stream lies in the file the way other writers may leave it.

inline std::size_t SectorFileOffset(std::uint32_t sector) { return 512 + std::size_t{sector} * 512; }

inline std::size_t FatEntryFileOffset(const std::vector<std::uint8_t>& file,
                                      std::uint32_t sector) {
    const std::uint32_t fatSector =
        cfb::ReadU32(file, cfb::kOffsetHeaderDifat + 4 * (sector / 128));
    return SectorFileOffset(fatSector) + 4 * (sector % 128);
}

// The first sector of the stream "Contents" (the directory's second entry).
inline std::uint32_t StreamStart(const std::vector<std::uint8_t>& file) {
    const std::size_t directory =
        SectorFileOffset(cfb::ReadU32(file, cfb::kOffsetFirstDirectorySector));
    return cfb::ReadU32(file, directory + 128 + cfb::kEntryStartSector);
}

// `file` with the contents of sectors `a` and `b` exchanged and the FAT relinked so that the
// stream still reads the same bytes: its chain goes `before`, `b`, `a`, and on as `b` did.
inline std::vector<std::uint8_t> WithSectorsSwapped(std::vector<std::uint8_t> file,
                                                    std::uint32_t before, std::uint32_t a,
                                                    std::uint32_t b) {
    std::swap_ranges(file.begin() + SectorFileOffset(a), file.begin() + SectorFileOffset(a) + 512,
                     file.begin() + SectorFileOffset(b));
    const std::uint32_t afterB = cfb::ReadU32(file, FatEntryFileOffset(file, b));
    cfb::WriteU32(file.data() + FatEntryFileOffset(file, before), b);
    cfb::WriteU32(file.data() + FatEntryFileOffset(file, b), a);
    cfb::WriteU32(file.data() + FatEntryFileOffset(file, a), afterB);
    return file;
}

// `file` with the stream's last sector `moved` (which `before` links to) moved to a new sector
// at the end of the file, leaving a free sector where it was.
inline std::vector<std::uint8_t> WithLastSectorMovedToTheEnd(std::vector<std::uint8_t> file,
                                                             std::uint32_t before,
                                                             std::uint32_t moved) {
    const auto added = static_cast<std::uint32_t>((file.size() - 512) / 512);
    file.insert(file.end(), file.begin() + SectorFileOffset(moved),
                file.begin() + SectorFileOffset(moved) + 512);
    std::fill_n(file.begin() + SectorFileOffset(moved), 512, 0);
    cfb::WriteU32(file.data() + FatEntryFileOffset(file, before), added);
    cfb::WriteU32(file.data() + FatEntryFileOffset(file, added), cfb::kEndOfChain);
    cfb::WriteU32(file.data() + FatEntryFileOffset(file, moved), cfb::kFreeSector);
    return file;
}

}  // namespace lutaris::test
