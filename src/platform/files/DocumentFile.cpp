// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/files/DocumentFile.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "compound/ClassId.h"
#include "compound/CompoundFileError.h"
#include "compound/CompoundFileReader.h"
#include "compound/CompoundFileWriter.h"
#include "platform/files/DocumentClassId.h"
#include "platform/files/RegularFileReader.h"
#include "platform/files/SafeFileReplacer.h"

namespace lutaris {
namespace {

constexpr char kContentsStream[] = "Contents";

// The stream's bytes within the file's: where they lie in one run (as in every file we write,
// whose sectors follow one another) the file's buffer is kept as it is. Runs in another order
// are gathered at the front of the same buffer when each lies after the ones before it, else
// copied out.
DocumentContents TakeStream(FileBytes file,
                            const std::vector<CompoundFileReader::Extent>& extents) {
    if (extents.empty()) return {};
    if (extents.size() == 1) {
        return DocumentContents(std::move(file), extents.front().offset, extents.front().size);
    }
    bool ascending = true;
    std::size_t end = 0;
    std::size_t size = 0;
    for (const auto& extent : extents) {
        ascending = ascending && extent.offset >= end;
        end = extent.offset + extent.size;
        size += extent.size;
    }
    FileBytes stream = ascending ? std::move(file) : FileBytes(size);
    std::size_t done = 0;
    for (const auto& extent : extents) {
        // In place, each run goes to a place at or before its own and after every byte still
        // to come from the runs that follow it.
        const std::uint8_t* from = (ascending ? stream.Data() : file.Data()) + extent.offset;
        std::memmove(stream.Data() + done, from, extent.size);
        done += extent.size;
    }
    return DocumentContents(std::move(stream), 0, size);
}

// The first kMaxSideStreamBytes + 1 bytes of a small stream beside "Contents", or nothing.
SideStream ReadSideStream(const CompoundFileReader& reader, std::span<const std::uint8_t> file,
                          std::string_view name) {
    const auto extents = reader.StreamExtents(name);
    if (!extents) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (const auto& extent : *extents) {
        const std::size_t room = kMaxSideStreamBytes + 1 - bytes.size();
        const auto run = file.subspan(extent.offset, std::min(extent.size, room));
        bytes.insert(bytes.end(), run.begin(), run.end());
        if (bytes.size() > kMaxSideStreamBytes) break;
    }
    return bytes;
}

// The compound file's streams: where "Contents" lies, and the playback stream's bytes.
std::optional<std::vector<CompoundFileReader::Extent>> ReadStreams(
    std::span<const std::uint8_t> file, SideStream* playback) {
    const CompoundFileReader reader(file);
    if (playback) *playback = ReadSideStream(reader, file, kPlaybackStreamName);
    return reader.StreamExtents(kContentsStream);
}

DocumentContents ReadFile(const std::string& path, SideStream* playback) {
    FileBytes file;
    try {
        file = ReadRegularFile(path, kMaxDocumentFileBytes);
    } catch (const FileReadError& error) {
        throw DocumentReadError(error.what());
    } catch (const std::bad_alloc&) {
        throw DocumentReadError("not enough memory to read \"" + path + "\"");
    }
    if (!HasCompoundFileSignature(file.Span())) {
        const std::size_t size = file.Size();
        return DocumentContents(std::move(file), 0, size);
    }
    std::optional<std::vector<CompoundFileReader::Extent>> extents;
    try {
        extents = ReadStreams(file.Span(), playback);
    } catch (const CompoundFileError& error) {
        throw DocumentReadError("\"" + path + "\" is a damaged compound file: " + error.what());
    }
    if (!extents) return {};
    return TakeStream(std::move(file), *extents);
}

}  // namespace

DocumentContents ReadDocumentFile(const std::string& path) { return ReadFile(path, nullptr); }

DocumentContents ReadDocumentFile(const std::string& path, SideStream& playback) {
    playback.reset();
    return ReadFile(path, &playback);
}

std::vector<std::uint8_t> ReadDocumentContents(const std::string& path) {
    const DocumentContents contents = ReadDocumentFile(path);
    const auto bytes = contents.Bytes();
    return {bytes.begin(), bytes.end()};
}

std::span<const std::uint8_t> StorageContents(std::span<const std::uint8_t> storage,
                                              std::vector<std::uint8_t>& scratch) {
    SideStream unused;
    return StorageContents(storage, scratch, unused);
}

std::span<const std::uint8_t> StorageContents(std::span<const std::uint8_t> storage,
                                              std::vector<std::uint8_t>& scratch,
                                              SideStream& playback) {
    playback.reset();
    if (storage.size() > kMaxDocumentFileBytes) throw DocumentReadError("the storage is too large");
    if (!HasCompoundFileSignature(storage)) return storage;
    std::optional<std::vector<CompoundFileReader::Extent>> extents;
    try {
        extents = ReadStreams(storage, &playback);
    } catch (const CompoundFileError& error) {
        throw DocumentReadError(std::string("a damaged compound file: ") + error.what());
    }
    if (!extents || extents->empty()) return {};
    if (extents->size() == 1)
        return storage.subspan(extents->front().offset, extents->front().size);
    scratch.clear();
    for (const auto& extent : *extents) {
        const auto run = storage.subspan(extent.offset, extent.size);
        scratch.insert(scratch.end(), run.begin(), run.end());
    }
    return scratch;
}

namespace {

// "Contents" first, so that it ends the file and is written from where it lies; a playback
// stream only when there is one, so that a document of default settings is saved as it always
// was.
std::vector<CompoundStream> DocumentStreams(std::span<const std::uint8_t> contents,
                                            std::span<const std::uint8_t> playback) {
    std::vector<CompoundStream> streams{{kContentsStream, contents}};
    if (!playback.empty()) streams.push_back({kPlaybackStreamName, playback});
    return streams;
}

}  // namespace

std::vector<std::uint8_t> DocumentFileBytes(std::span<const std::uint8_t> contents,
                                            std::span<const std::uint8_t> playback) {
    return WriteCompoundFile(kDocumentClassId, DocumentStreams(contents, playback));
}

void WriteDocumentFile(const std::string& path, std::span<const std::uint8_t> contents,
                       std::span<const std::uint8_t> playback) {
    try {
        // The stream is written from where it lies; only the few sectors before it are built.
        static constexpr std::uint8_t kZeros[512] = {};
        const CompoundFileParts parts =
            PlanCompoundFile(kDocumentClassId, DocumentStreams(contents, playback));
        const std::span<const std::uint8_t> pieces[] = {parts.head, parts.stream,
                                                        std::span(kZeros).first(parts.padding)};
        ReplaceFileSafely(path, pieces);
    } catch (const FileWriteError& error) {
        throw DocumentWriteError(error.what());
    } catch (const CompoundFileError& error) {
        throw DocumentWriteError("cannot save \"" + path + "\": " + error.what());
    } catch (const std::bad_alloc&) {
        throw DocumentWriteError("not enough memory to save \"" + path + "\"");
    }
}

}  // namespace lutaris
