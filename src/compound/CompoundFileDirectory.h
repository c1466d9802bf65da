// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "compound/ClassId.h"
#include "compound/CompoundFileFormat.h"

namespace lutaris {

// One directory entry, with the fields reading needs.
struct DirectoryEntry {
    std::u16string name;
    cfb::EntryType type = cfb::EntryType::Unused;
    std::uint32_t leftSibling = cfb::kNoStream;
    std::uint32_t rightSibling = cfb::kNoStream;
    std::uint32_t child = cfb::kNoStream;
    ClassId classId;
    std::uint32_t startSector = 0;
    std::uint64_t size = 0;
};

// A stream found in the tree.
struct DirectoryStream {
    std::uint32_t id = 0;
    bool inRoot = false;
};

// The directory of a compound file: the entries and the tree of storages and streams that
// hangs from the root entry. Construction checks every entry the tree reaches: ids in range,
// no entry reached twice (which catches sibling and child cycles), only storages and streams
// below the root, names well formed and unique within their storage. Unreached entries are
// left alone, as readers of the format do.
class CompoundFileDirectory {
public:
    // `bytes` is the directory chain's sectors, one after another. Version 3 files keep only
    // the low 32 bits of a stream size meaningful, so the high half is dropped for them.
    CompoundFileDirectory(std::span<const std::uint8_t> bytes, int majorVersion);

    const DirectoryEntry& Root() const { return entries_.front(); }
    const DirectoryEntry& Entry(std::uint32_t id) const { return entries_[id]; }
    // Every stream reached from the root, in any storage.
    const std::vector<DirectoryStream>& Streams() const { return streams_; }

private:
    void WalkTree(std::span<const std::uint8_t> bytes);
    void CheckUniqueNames(
        const std::vector<std::pair<std::uint32_t, std::uint32_t>>& parentOf) const;

    std::vector<DirectoryEntry> entries_;
    std::vector<DirectoryStream> streams_;
};

}  // namespace lutaris
