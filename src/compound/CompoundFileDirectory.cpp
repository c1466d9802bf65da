// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "compound/CompoundFileDirectory.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "compound/CompoundFileError.h"
#include "compound/CompoundFileName.h"

namespace lutaris {
namespace {

[[noreturn]] void Fail(const std::string& reason) {
    throw CompoundFileError("directory: " + reason);
}

std::u16string FoldedName(std::u16string_view name) {
    std::u16string folded(name);
    for (auto& c : folded) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    }
    return folded;
}

// Reads and checks the name of an entry the tree reaches.
std::u16string ParseName(std::span<const std::uint8_t> raw, std::uint32_t id) {
    const std::uint16_t length = cfb::ReadU16(raw, cfb::kEntryNameLength);
    if (length < 4 || length > 64 || length % 2 != 0) {
        Fail("entry " + std::to_string(id) + " has a name length of " + std::to_string(length) +
             " bytes");
    }
    std::u16string name;
    const std::size_t units = length / 2 - 1;
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t unit = cfb::ReadU16(raw, 2 * i);
        if (unit == 0) Fail("entry " + std::to_string(id) + " has a zero inside its name");
        name += unit;
    }
    if (cfb::ReadU16(raw, 2 * units) != 0) {
        Fail("entry " + std::to_string(id) + " has no zero after its name");
    }
    // A name that does not survive the trip to UTF-8 and back (a lone surrogate, a character
    // the format forbids) could be listed but never asked for again.
    bool roundTrips = false;
    try {
        roundTrips = EncodeEntryName(DecodeEntryName(name)) == name;
    } catch (const CompoundFileError&) {
    }
    if (!roundTrips) {
        Fail("entry " + std::to_string(id) + " has a name the format does not allow (\"" +
             DecodeEntryName(name) + "\")");
    }
    return name;
}

}  // namespace

CompoundFileDirectory::CompoundFileDirectory(std::span<const std::uint8_t> bytes,
                                             int majorVersion) {
    const std::size_t count = bytes.size() / cfb::kDirectoryEntrySize;
    if (count > cfb::kNoStream) Fail("more entries than stream ids can name");
    if (count == 0) Fail("no entries");
    entries_.resize(count);
    for (std::size_t id = 0; id < count; ++id) {
        const auto raw = bytes.subspan(id * cfb::kDirectoryEntrySize, cfb::kDirectoryEntrySize);
        DirectoryEntry& entry = entries_[id];
        entry.type = static_cast<cfb::EntryType>(raw[cfb::kEntryType]);
        entry.leftSibling = cfb::ReadU32(raw, cfb::kEntryLeftSibling);
        entry.rightSibling = cfb::ReadU32(raw, cfb::kEntryRightSibling);
        entry.child = cfb::ReadU32(raw, cfb::kEntryChild);
        std::memcpy(entry.classId.bytes.data(), raw.data() + cfb::kEntryClassId, 16);
        entry.startSector = cfb::ReadU32(raw, cfb::kEntryStartSector);
        entry.size = majorVersion == 3 ? cfb::ReadU32(raw, cfb::kEntryStreamSize)
                                       : cfb::ReadU64(raw, cfb::kEntryStreamSize);
    }
    if (entries_.front().type != cfb::EntryType::Root) {
        Fail("entry 0 is not the root storage (type " +
             std::to_string(static_cast<int>(entries_.front().type)) + ")");
    }
    WalkTree(bytes);
}

void CompoundFileDirectory::WalkTree(std::span<const std::uint8_t> bytes) {
    // An explicit stack: a hostile file can chain millions of siblings into one long branch.
    struct Pending {
        std::uint32_t id;
        std::uint32_t parent;
    };
    std::vector<bool> reached(entries_.size(), false);
    reached[0] = true;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> parentOf;  // (parent, child)
    std::vector<Pending> stack{{Root().child, 0}};
    while (!stack.empty()) {
        Pending next = std::move(stack.back());
        stack.pop_back();
        if (next.id == cfb::kNoStream) continue;
        if (next.id >= entries_.size()) {
            Fail("a link points to entry " + std::to_string(next.id) + " but there are only " +
                 std::to_string(entries_.size()));
        }
        if (reached[next.id]) {
            Fail("entry " + std::to_string(next.id) +
                 " is reached twice: the sibling and child links form a cycle");
        }
        reached[next.id] = true;
        DirectoryEntry& entry = entries_[next.id];
        if (entry.type != cfb::EntryType::Storage && entry.type != cfb::EntryType::Stream) {
            Fail("entry " + std::to_string(next.id) + " in the tree has type " +
                 std::to_string(static_cast<int>(entry.type)));
        }
        entry.name = ParseName(
            bytes.subspan(next.id * cfb::kDirectoryEntrySize, cfb::kDirectoryEntrySize), next.id);
        parentOf.emplace_back(next.parent, next.id);
        stack.push_back({entry.leftSibling, next.parent});
        stack.push_back({entry.rightSibling, next.parent});
        if (entry.type == cfb::EntryType::Storage) {
            stack.push_back({entry.child, next.id});
        } else {
            streams_.push_back({next.id, next.parent == 0});
        }
    }
    CheckUniqueNames(parentOf);
}

void CompoundFileDirectory::CheckUniqueNames(
    const std::vector<std::pair<std::uint32_t, std::uint32_t>>& parentOf) const {
    std::vector<std::pair<std::uint32_t, std::u16string>> keys;
    keys.reserve(parentOf.size());
    for (const auto& [parent, child] : parentOf) {
        keys.emplace_back(parent, FoldedName(entries_[child].name));
    }
    std::sort(keys.begin(), keys.end());
    const auto duplicate = std::adjacent_find(keys.begin(), keys.end());
    if (duplicate != keys.end()) {
        Fail("the name \"" + DecodeEntryName(duplicate->second) +
             "\" appears twice in one storage");
    }
}

}  // namespace lutaris
