// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace lutaris::bench {

// The plain file operations that the program's own are compared with: what the operating
// system needs at least for the same bytes.

// Reads the whole file with read() into a buffer of its size; returns the byte count.
std::size_t ReadWholeFile(const std::string& path);

// Reads the file line by line with getline(); returns the bytes read.
std::size_t ReadFileLines(const std::string& path);

// Writes the bytes to a new file at `path`, flushes it and its folder to the disk, as a save
// must; replaces any file there.
void WriteAndSync(const std::string& path, std::span<const std::uint8_t> bytes);

// Writes the bytes to a new file at `path` without flushing (what an export or a text file
// written in place costs).
void WriteFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace lutaris::bench
