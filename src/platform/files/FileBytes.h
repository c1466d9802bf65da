// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace lutaris {

// A file's bytes as read into memory. Unlike a std::vector the buffer is not zero-filled before
// read() overwrites it: for a songbook of tens of megabytes that pass costs as much as the read.
class FileBytes {
public:
    FileBytes() = default;
    explicit FileBytes(std::size_t size)
        : bytes_(std::make_unique_for_overwrite<std::uint8_t[]>(size)), size_(size) {}

    std::uint8_t* Data() { return bytes_.get(); }
    const std::uint8_t* Data() const { return bytes_.get(); }
    std::size_t Size() const { return size_; }
    std::span<const std::uint8_t> Span() const { return {bytes_.get(), size_}; }
    // Forgets the bytes from `size` on (the memory stays with the buffer).
    void Truncate(std::size_t size) { size_ = size < size_ ? size : size_; }
    std::vector<std::uint8_t> ToVector() const { return {bytes_.get(), bytes_.get() + size_}; }

private:
    std::unique_ptr<std::uint8_t[]> bytes_;
    std::size_t size_ = 0;
};

}  // namespace lutaris
