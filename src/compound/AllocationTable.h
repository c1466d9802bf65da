// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lutaris {

// The FAT or the mini FAT of a compound file, together with a record of which part of the file
// owns each sector. Every chain the reader follows is claimed here, so a chain that loops, runs
// out of range, stops early, runs on, or crosses into sectors of another part is caught the
// moment it happens. Since a sector can be claimed once only, all claimed chains together take
// at most one step per sector, whatever the file claims about sizes.
class AllocationTable {
public:
    // `links` holds the next-sector entries as stored; `usableSectors` is how many sectors
    // exist (the file's or the mini stream's); entries beyond it are never followed.
    // `unit` names a sector in messages ("sector", "mini sector").
    AllocationTable(std::vector<std::uint32_t> links, std::uint32_t usableSectors,
                    std::string unit);

    // Claims one sector for `owner` (a FAT or DIFAT sector, found through the DIFAT).
    void ClaimSector(std::uint32_t sector, const std::string& owner);

    // Claims the chain that starts at `start`: exactly `length` sectors ending in ENDOFCHAIN
    // when a length is given, else up to ENDOFCHAIN. Returns the sectors in order.
    std::vector<std::uint32_t> ClaimChain(std::uint32_t start, std::optional<std::size_t> length,
                                          const std::string& owner);

    // Walks a chain of `length` sectors that ClaimChain has already checked.
    std::vector<std::uint32_t> CheckedChain(std::uint32_t start, std::size_t length) const;

    std::uint32_t UsableSectors() const { return limit_; }

private:
    void CheckInRange(std::uint32_t sector, const std::string& owner, std::size_t step) const;
    std::string Describe(std::uint32_t sector) const;

    std::vector<std::uint32_t> links_;
    std::uint32_t limit_;
    std::string unit_;
    // 0 for a free sector, else 1 + the index into ownerNames_.
    std::vector<std::uint32_t> owners_;
    std::vector<std::string> ownerNames_;
};

}  // namespace lutaris
