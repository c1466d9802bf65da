// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/files/DocumentContents.h"

namespace lutaris {

// A document file that cannot be opened or read; what() gives the reason for the log, the
// person sees "Failed to open document.".
class DocumentReadError : public std::runtime_error {
public:
    explicit DocumentReadError(const std::string& reason) : std::runtime_error(reason) {}
};

// A document file that cannot be saved; the old file is as it was. what() gives the reason for
// the log, the person sees "Failed to save document.".
class DocumentWriteError : public std::runtime_error {
public:
    explicit DocumentWriteError(const std::string& reason) : std::runtime_error(reason) {}
};

// Larger document files are refused unread. Real documents are far smaller; the limit keeps a
// wrong file from taking all memory.
inline constexpr std::uint64_t kMaxDocumentFileBytes = std::uint64_t{2} << 30;

// The document's second stream, beside "Contents": its playback settings, written only when
// they differ from the defaults, so that other readers of the format never meet it otherwise.
inline constexpr char kPlaybackStreamName[] = "Playback";
// Such a stream is small; a reader takes at most this many bytes of it and one more, so that a
// longer one shows as too long without being read whole.
inline constexpr std::size_t kMaxSideStreamBytes = 4096;
using SideStream = std::optional<std::vector<std::uint8_t>>;

// The document's "Contents" stream from the file at `path`. A file that is not a compound file
// is taken whole as the stream; a compound file without "Contents" gives no bytes. Throws
// DocumentReadError for a file that cannot be read, is not a regular file, is larger than
// kMaxDocumentFileBytes or is a damaged compound file.
DocumentContents ReadDocumentFile(const std::string& path);
// The same, and the "Playback" stream's bytes in `playback` (nothing when there is none).
DocumentContents ReadDocumentFile(const std::string& path, SideStream& playback);
// The same stream as bytes of its own.
std::vector<std::uint8_t> ReadDocumentContents(const std::string& path);

// The "Contents" stream of a storage held in memory (the bytes of a document file, as a
// container keeps an embedded object), taken as ReadDocumentFile takes a file. The result
// points into `storage` where the stream lies there in one run, else into `scratch`. Throws
// DocumentReadError for a storage over kMaxDocumentFileBytes or a damaged compound file.
std::span<const std::uint8_t> StorageContents(std::span<const std::uint8_t> storage,
                                              std::vector<std::uint8_t>& scratch);
// The same, and the "Playback" stream's bytes in `playback` (nothing when there is none).
std::span<const std::uint8_t> StorageContents(std::span<const std::uint8_t> storage,
                                              std::vector<std::uint8_t>& scratch,
                                              SideStream& playback);

// The bytes of a document file (a compound file with the document class id) whose "Contents"
// stream is `contents` and whose "Playback" stream is `playback` (none when empty): what a save
// writes, and what an embedded object's storage holds. Throws CompoundFileError for a stream
// over 2 GiB.
std::vector<std::uint8_t> DocumentFileBytes(std::span<const std::uint8_t> contents,
                                            std::span<const std::uint8_t> playback = {});

// Saves `contents` as the "Contents" stream (and a non-empty `playback` as the "Playback"
// stream) of a compound file with the document class id, replacing the file at `path` safely
// (see ReplaceFileSafely). Throws DocumentWriteError.
void WriteDocumentFile(const std::string& path, std::span<const std::uint8_t> contents,
                       std::span<const std::uint8_t> playback = {});

}  // namespace lutaris
