// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "compound/AllocationTable.h"

#include <algorithm>

#include "compound/CompoundFileError.h"
#include "compound/CompoundFileFormat.h"

namespace lutaris {
namespace {

std::string LinkName(std::uint32_t link) {
    switch (link) {
        case cfb::kFreeSector:
            return "a free-sector mark";
        case cfb::kEndOfChain:
            return "an end-of-chain mark";
        case cfb::kFatSector:
            return "a FAT-sector mark";
        case cfb::kDifatSector:
            return "a DIFAT-sector mark";
        default:
            return "the reserved value " + std::to_string(link);
    }
}

}  // namespace

AllocationTable::AllocationTable(std::vector<std::uint32_t> links, std::uint32_t usableSectors,
                                 std::string unit)
    : links_(std::move(links)),
      limit_(static_cast<std::uint32_t>(std::min<std::size_t>(usableSectors, links_.size()))),
      unit_(std::move(unit)),
      owners_(limit_, 0) {}

std::string AllocationTable::Describe(std::uint32_t sector) const {
    return unit_ + " " + std::to_string(sector);
}

void AllocationTable::CheckInRange(std::uint32_t sector, const std::string& owner,
                                   std::size_t step) const {
    if (sector < limit_) return;
    if (sector >= cfb::kMaxRegularSector) {
        throw CompoundFileError(owner + ": chain holds " + LinkName(sector) + " at step " +
                                std::to_string(step + 1));
    }
    throw CompoundFileError(owner + ": " + Describe(sector) + " is out of range (" +
                            std::to_string(limit_) + " " + unit_ + "s usable)");
}

void AllocationTable::ClaimSector(std::uint32_t sector, const std::string& owner) {
    CheckInRange(sector, owner, 0);
    if (owners_[sector] != 0) {
        throw CompoundFileError(owner + ": " + Describe(sector) + " is already used by " +
                                ownerNames_[owners_[sector] - 1]);
    }
    ownerNames_.push_back(owner);
    owners_[sector] = static_cast<std::uint32_t>(ownerNames_.size());
}

std::vector<std::uint32_t> AllocationTable::ClaimChain(std::uint32_t start,
                                                       std::optional<std::size_t> length,
                                                       const std::string& owner) {
    ownerNames_.push_back(owner);
    const auto me = static_cast<std::uint32_t>(ownerNames_.size());
    if (length && *length > limit_) {
        throw CompoundFileError(owner + ": its size needs " + std::to_string(*length) + " " +
                                unit_ + "s but only " + std::to_string(limit_) + " exist");
    }
    std::vector<std::uint32_t> chain;
    if (length) chain.reserve(*length);
    std::uint32_t sector = start;
    for (std::size_t step = 0;; ++step) {
        if (length && step == *length) {
            if (sector == cfb::kEndOfChain) return chain;
            if (sector < limit_ && owners_[sector] == me) {
                throw CompoundFileError(owner + ": chain loops back to " + Describe(sector));
            }
            throw CompoundFileError(
                owner + ": chain runs on past the " + std::to_string(*length) + " " + unit_ +
                "s its size needs (next link is " +
                (sector < cfb::kMaxRegularSector ? Describe(sector) : LinkName(sector)) + ")");
        }
        if (sector == cfb::kEndOfChain && !length) return chain;
        if (sector == cfb::kEndOfChain) {
            throw CompoundFileError(owner + ": chain ends after " + std::to_string(step) + " of " +
                                    std::to_string(*length) + " " + unit_ + "s");
        }
        CheckInRange(sector, owner, step);
        if (owners_[sector] == me) {
            throw CompoundFileError(owner + ": chain loops back to " + Describe(sector));
        }
        if (owners_[sector] != 0) {
            throw CompoundFileError(owner + ": " + Describe(sector) + " is already used by " +
                                    ownerNames_[owners_[sector] - 1]);
        }
        owners_[sector] = me;
        chain.push_back(sector);
        sector = links_[sector];
    }
}

std::vector<std::uint32_t> AllocationTable::CheckedChain(std::uint32_t start,
                                                         std::size_t length) const {
    std::vector<std::uint32_t> chain;
    chain.reserve(length);
    std::uint32_t sector = start;
    for (std::size_t step = 0; step < length; ++step) {
        if (sector >= limit_)
            throw CompoundFileError("chain left the " + unit_ + "s it was checked in");
        chain.push_back(sector);
        sector = links_[sector];
    }
    return chain;
}

}  // namespace lutaris
