// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lutaris::fuzz {

// A file that lives in memory only (memfd) but has a path that opens like a regular file, so
// that a target feeds its input through the same open-and-read path as a document on disk,
// without touching the disk for each input.
class MemoryFile {
public:
    MemoryFile();
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    // Replaces the file's content; aborts when that fails, since nothing could be tested then.
    void Set(const std::uint8_t* data, std::size_t size);
    const std::string& Path() const { return path_; }

private:
    int fd_;
    std::string path_;
};

}  // namespace lutaris::fuzz
