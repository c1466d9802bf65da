// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compound/ClassId.h"

namespace lutaris {

class AllocationTable;
class CompoundFileDirectory;
struct CompoundFileHeader;

// True when the bytes begin with the compound file signature. Says nothing about the rest.
bool HasCompoundFileSignature(std::span<const std::uint8_t> file);

// A strict reader of compound files, versions 3 (512-byte sectors) and 4 (4096-byte sectors).
// Construction checks everything reading can follow: the header, the DIFAT, the FAT, the
// directory tree, the mini FAT, the mini stream and the sector chain of every stream in the
// tree. A file with any inconsistency is refused with a CompoundFileError naming it, rather
// than read into wrong bytes; work and memory stay in proportion to the file's own size
// whatever its fields claim. The reader keeps a view of `file`: the bytes must outlive it.
class CompoundFileReader {
public:
    // A run of consecutive bytes of the file.
    struct Extent {
        std::size_t offset = 0;
        std::size_t size = 0;
    };

    explicit CompoundFileReader(std::span<const std::uint8_t> file);
    // A temporary buffer would be gone before the first read.
    explicit CompoundFileReader(std::vector<std::uint8_t>&&) = delete;
    ~CompoundFileReader();
    CompoundFileReader(const CompoundFileReader&) = delete;
    CompoundFileReader& operator=(const CompoundFileReader&) = delete;

    ClassId RootClassId() const;
    // The names of the streams directly in the root storage, in the format's name order.
    std::vector<std::string> StreamNames() const;
    // The bytes of the root-level stream of that name (compared without regard to case), or
    // nothing when there is none.
    std::optional<std::vector<std::uint8_t>> ReadStream(std::string_view name) const;
    // Where the bytes of that stream lie in the file, in stream order, sectors that follow one
    // another merged into one run; nothing when there is no such stream.
    std::optional<std::vector<Extent>> StreamExtents(std::string_view name) const;

private:
    void LoadFat();
    void LoadDirectory();
    void LoadMiniStream();
    void CheckStreams();
    std::vector<std::uint32_t> ReadDifat() const;
    std::span<const std::uint8_t> WholeSector(std::uint32_t sector, const std::string& owner) const;
    void CheckTailInFile(std::uint32_t lastSector, std::size_t bytesInLast,
                         const std::string& owner) const;
    std::size_t SectorOffset(std::uint32_t sector) const;

    std::span<const std::uint8_t> file_;
    std::unique_ptr<CompoundFileHeader> header_;
    std::unique_ptr<AllocationTable> fat_;
    std::unique_ptr<AllocationTable> miniFat_;
    std::unique_ptr<CompoundFileDirectory> directory_;
    std::uint64_t miniStreamSize_ = 0;
    std::vector<std::uint32_t> miniStreamSectors_;
};

}  // namespace lutaris
