// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "compound/ClassId.h"

namespace lutaris {

// One stream of the root storage, as the writer takes it.
struct CompoundStream {
    std::string_view name;
    std::span<const std::uint8_t> bytes;
};

// Builds a version 3 compound file (512-byte sectors) whose root storage carries
// `rootClassId` and holds the given streams. A stream under 4096 bytes lives in the mini
// stream, a larger one in sectors of its own; DIFAT sectors are added once the FAT needs more
// than the header's 109 slots, so any size up to 2 GiB a stream works. The first stream's bytes
// end the file (see PlanCompoundFile). A file of one stream is laid out exactly as it always
// was, so adding streams to the format changes nothing for the files that do not use them.
// The output depends on the arguments only (timestamps are zero). Throws CompoundFileError for
// no stream, a name the format forbids or given twice, or a stream over 2 GiB.
std::vector<std::uint8_t> WriteCompoundFile(const ClassId& rootClassId,
                                            std::span<const CompoundStream> streams);
// A file of one stream.
std::vector<std::uint8_t> WriteCompoundFile(const ClassId& rootClassId, std::string_view streamName,
                                            std::span<const std::uint8_t> stream);

// The same file in three parts, one after the other: everything before the first stream's
// bytes, that stream itself (a view of the argument, which must outlive the parts), and as
// many zero bytes as fill the file's last sector. A saved songbook is written from where its
// stream lies instead of being copied into an image of the whole file first; the other streams
// are small and go into the head.
struct CompoundFileParts {
    std::vector<std::uint8_t> head;
    std::span<const std::uint8_t> stream;
    std::size_t padding = 0;
};
CompoundFileParts PlanCompoundFile(const ClassId& rootClassId,
                                   std::span<const CompoundStream> streams);
CompoundFileParts PlanCompoundFile(const ClassId& rootClassId, std::string_view streamName,
                                   std::span<const std::uint8_t> stream);

}  // namespace lutaris
