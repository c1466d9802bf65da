// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "compound/CompoundFileHeader.h"

#include <algorithm>
#include <string>

#include "compound/CompoundFileError.h"
#include "compound/CompoundFileFormat.h"

namespace lutaris {
namespace {

[[noreturn]] void Fail(const std::string& reason) {
    throw CompoundFileError("compound file header: " + reason);
}

}  // namespace

CompoundFileHeader CompoundFileHeader::Parse(std::span<const std::uint8_t> file) {
    if (file.size() < cfb::kHeaderSize) {
        Fail("the file has " + std::to_string(file.size()) + " bytes, fewer than a header");
    }
    if (!std::equal(cfb::kSignature.begin(), cfb::kSignature.end(), file.begin())) {
        Fail("signature missing");
    }
    CompoundFileHeader header;
    header.majorVersion = cfb::ReadU16(file, cfb::kOffsetMajorVersion);
    if (header.majorVersion != 3 && header.majorVersion != 4) {
        Fail("major version " + std::to_string(header.majorVersion) + " is neither 3 nor 4");
    }
    const auto byteOrder = cfb::ReadU16(file, cfb::kOffsetByteOrder);
    if (byteOrder != 0xFFFE)
        Fail("byte order mark " + std::to_string(byteOrder) + " is not 0xFFFE");
    const unsigned sectorShift = cfb::ReadU16(file, cfb::kOffsetSectorShift);
    const unsigned expectedShift = header.majorVersion == 3 ? 9 : 12;
    if (sectorShift != expectedShift) {
        Fail("sector shift " + std::to_string(sectorShift) + " does not match version " +
             std::to_string(header.majorVersion) + " (expected " + std::to_string(expectedShift) +
             ")");
    }
    const unsigned miniShift = cfb::ReadU16(file, cfb::kOffsetMiniSectorShift);
    if (miniShift != 6) Fail("mini sector shift " + std::to_string(miniShift) + " is not 6");
    const auto cutoff = cfb::ReadU32(file, cfb::kOffsetMiniStreamCutoff);
    if (cutoff != cfb::kMiniStreamCutoff) {
        Fail("mini stream cutoff " + std::to_string(cutoff) + " is not 4096");
    }

    header.sectorSize = std::size_t{1} << sectorShift;
    header.headerSectorSize = header.sectorSize;
    if (file.size() < header.headerSectorSize) {
        Fail("the file has " + std::to_string(file.size()) + " bytes, fewer than its " +
             std::to_string(header.headerSectorSize) + "-byte header sector");
    }
    const std::size_t sectors =
        (file.size() - header.headerSectorSize + header.sectorSize - 1) / header.sectorSize;
    // Sector numbers end below the markers; bytes beyond that many sectors cannot be reached.
    header.sectorCount =
        static_cast<std::uint32_t>(std::min<std::size_t>(sectors, cfb::kMaxRegularSector));

    header.fatSectorCount = cfb::ReadU32(file, cfb::kOffsetFatSectorCount);
    header.firstDirectorySector = cfb::ReadU32(file, cfb::kOffsetFirstDirectorySector);
    header.firstMiniFatSector = cfb::ReadU32(file, cfb::kOffsetFirstMiniFatSector);
    header.miniFatSectorCount = cfb::ReadU32(file, cfb::kOffsetMiniFatSectorCount);
    header.firstDifatSector = cfb::ReadU32(file, cfb::kOffsetFirstDifatSector);
    header.difatSectorCount = cfb::ReadU32(file, cfb::kOffsetDifatSectorCount);
    for (std::size_t i = 0; i < header.headerDifat.size(); ++i) {
        header.headerDifat[i] = cfb::ReadU32(file, cfb::kOffsetHeaderDifat + 4 * i);
    }

    const std::string inFile =
        " but the file holds " + std::to_string(header.sectorCount) + " sectors";
    if (header.fatSectorCount == 0) Fail("no FAT sectors");
    if (header.fatSectorCount > header.sectorCount) {
        Fail(std::to_string(header.fatSectorCount) + " FAT sectors" + inFile);
    }
    if (header.miniFatSectorCount > header.sectorCount) {
        Fail(std::to_string(header.miniFatSectorCount) + " mini FAT sectors" + inFile);
    }
    if (header.difatSectorCount > header.sectorCount) {
        Fail(std::to_string(header.difatSectorCount) + " DIFAT sectors" + inFile);
    }
    const std::size_t fatSlotsPerDifatSector = header.sectorSize / 4 - 1;
    const std::size_t fatSlots =
        cfb::kHeaderDifatEntries + std::size_t{header.difatSectorCount} * fatSlotsPerDifatSector;
    if (header.fatSectorCount > fatSlots) {
        Fail(std::to_string(header.fatSectorCount) + " FAT sectors but only " +
             std::to_string(header.difatSectorCount) + " DIFAT sectors to list them");
    }
    return header;
}

}  // namespace lutaris
