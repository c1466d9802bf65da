#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "compound/ClassId.h"

namespace lutaris {

// Builds a version 3 compound file (512-byte sectors) whose root storage carries
// `rootClassId` and holds exactly one stream, `streamName`, with the given bytes. A stream under
// 4096 bytes lives in the mini stream, a larger one in sectors of its own; DIFAT sectors are
// added once the FAT needs more than the header's 109 slots, so any size up to 2 GiB works.
// The output depends on the arguments only (timestamps are zero). Throws CompoundFileError for
// a name the format forbids or a stream over 2 GiB.
std::vector<std::uint8_t> WriteCompoundFile(const ClassId& rootClassId, std::string_view streamName,
                                            std::span<const std::uint8_t> stream);

// The same file in three parts, one after the other: everything before the stream's bytes,
// the stream itself (a view of the argument, which must outlive the parts), and as many zero
// bytes as fill the stream's last sector. A saved songbook is written from where its stream
// lies instead of being copied into an image of the whole file first.
struct CompoundFileParts {
    std::vector<std::uint8_t> head;
    std::span<const std::uint8_t> stream;
    std::size_t padding = 0;
};
CompoundFileParts PlanCompoundFile(const ClassId& rootClassId, std::string_view streamName,
                                   std::span<const std::uint8_t> stream);

}  // namespace lutaris
