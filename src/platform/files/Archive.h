// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace lutaris {

// Thrown when an integer is read past the end of a loading archive; the document turns it into
// "Unexpected file format.".
class ArchiveEndOfFile : public std::runtime_error {
public:
    ArchiveEndOfFile() : std::runtime_error("Unexpected end of archive") {}
};

// A binary archive in one direction: loading reads from a byte buffer, storing appends to one.
// Integers are 32-bit little-endian two's complement; raw blocks are bytes as they are.
class Archive {
public:
    enum class Direction { Load, Store };

    // A storing archive that starts empty.
    Archive();
    // A loading archive over bytes that the caller keeps alive while the archive is used.
    explicit Archive(std::span<const std::uint8_t> bytes);

    Direction GetDirection() const { return direction_; }
    bool IsLoading() const { return direction_ == Direction::Load; }
    bool IsStoring() const { return direction_ == Direction::Store; }

    void WriteInt32(std::int32_t value);
    // Throws ArchiveEndOfFile when fewer than four bytes remain (nothing is consumed then).
    std::int32_t ReadInt32();

    void WriteRaw(const void* data, std::size_t size);
    // Reads up to `size` bytes; at the end of the stream only what remains. Returns the count.
    std::size_t ReadRaw(void* data, std::size_t size);

    // Reads or writes one integer, by direction.
    void Int32(std::int32_t& value);
    // Reads or writes one raw block, by direction.
    void Raw(void* data, std::size_t size);

    std::size_t Remaining() const { return input_.size() - readOffset_; }
    std::size_t ReadOffset() const { return readOffset_; }

    // The bytes a storing archive has collected.
    const std::vector<std::uint8_t>& StoredBytes() const { return output_; }
    std::vector<std::uint8_t> TakeStoredBytes() { return std::move(output_); }
    // Lets a storing archive grow once instead of many times when the final size is known.
    void ReserveStore(std::size_t bytes) { output_.reserve(bytes); }
    // Stores into `buffer`'s memory, its old bytes dropped: a songbook's bytes are tens of
    // megabytes, and memory already touched costs no page faults to fill again.
    void ReuseStore(std::vector<std::uint8_t> buffer) {
        output_ = std::move(buffer);
        output_.clear();
    }

private:
    Direction direction_;
    std::span<const std::uint8_t> input_;
    std::size_t readOffset_ = 0;
    std::vector<std::uint8_t> output_;
};

}  // namespace lutaris
