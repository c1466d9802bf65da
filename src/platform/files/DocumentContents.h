// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>

#include "platform/files/FileBytes.h"

namespace lutaris {

// The "Contents" stream of a document file, left where it lies among the file's bytes: a
// compound file that we wrote holds the stream in one run of sectors, and opening a songbook
// then needs neither a second buffer of its size nor the copy into it.
class DocumentContents {
public:
    DocumentContents() = default;
    // The stream is the part of `file` from `offset`, `size` bytes long.
    DocumentContents(FileBytes file, std::size_t offset, std::size_t size)
        : file_(std::move(file)), offset_(offset), size_(size) {}

    std::span<const std::uint8_t> Bytes() const { return file_.Span().subspan(offset_, size_); }
    bool Empty() const { return size_ == 0; }

private:
    FileBytes file_;
    std::size_t offset_ = 0;
    std::size_t size_ = 0;
};

}  // namespace lutaris
