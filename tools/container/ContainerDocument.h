// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lutaris::container {

// One embedded object as the container keeps it: what it is, where it stands, what the server
// last saved and the picture it last drew. The container shows the picture and hands the
// storage back to a new server, so both survive the server that made them.
struct EmbeddedObjectRecord {
    std::string progId;
    std::int32_t width = 0;  // extent in pixels
    std::int32_t height = 0;
    std::vector<std::uint8_t> storage;
    std::vector<std::uint8_t> picture;  // PNG
};

struct ContainerDocument {
    std::string text;  // UTF-8
    std::vector<EmbeddedObjectRecord> objects;
};

// Limits a stored document must keep; a file that breaks one is refused.
inline constexpr std::int32_t kMaxObjectSide = 8192;
inline constexpr std::size_t kMaxObjects = 4096;
inline constexpr std::size_t kMaxProgIdBytes = 255;

// The file: a compound file with the container's class id and one stream, "Container", that
// holds the text and every object with its storage and picture, each as a sized record.
std::vector<std::uint8_t> WriteContainerFile(const ContainerDocument& document);

// Reads what WriteContainerFile wrote. Anything else, damaged or cut short, gives nothing and
// `error` says why; no length in the file is trusted before it is checked against the bytes.
std::optional<ContainerDocument> ReadContainerFile(std::span<const std::uint8_t> file,
                                                   std::string* error);

}  // namespace lutaris::container
