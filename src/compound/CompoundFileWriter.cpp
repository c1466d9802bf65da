// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "compound/CompoundFileWriter.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "compound/CompoundFileError.h"
#include "compound/CompoundFileFormat.h"
#include "compound/CompoundFileName.h"

namespace lutaris {
namespace {

constexpr std::size_t kSectorSize = 512;
constexpr std::size_t kIdsPerSector = kSectorSize / 4;
constexpr std::size_t kFatSlotsPerDifatSector = kIdsPerSector - 1;  // the last one links on
constexpr std::size_t kEntriesPerSector = kSectorSize / cfb::kDirectoryEntrySize;
// Version 3 readers may keep stream sizes in a signed 32-bit field.
constexpr std::size_t kMaxStreamSize = 0x80000000u;

std::size_t CeilDiv(std::size_t a, std::size_t b) { return (a + b - 1) / b; }

std::uint32_t Sector(std::size_t index) { return static_cast<std::uint32_t>(index); }

// Consecutive sectors (or mini sectors) that one chain links in order.
struct Run {
    std::size_t first = 0;
    std::size_t count = 0;
};

struct StreamPlace {
    bool inMiniStream = false;
    Run run;  // sectors, or mini sectors in the mini stream; none for an empty stream
};

// Where each part of the file goes, in sector numbers. The parts follow one another in this
// order: FAT, DIFAT, directory, mini FAT, the large streams but the first, the mini stream, and
// the first stream when it is large. So the first stream always ends the file: in sectors of its
// own, or last in the mini stream, which is then last in the file.
struct Layout {
    std::size_t fatSectors = 0;
    std::size_t difatSectors = 0;
    std::size_t directorySectors = 0;
    std::size_t miniFatSectors = 0;
    std::size_t otherSectors = 0;
    std::size_t miniSectors = 0;
    std::size_t miniStreamSectors = 0;
    std::size_t firstStreamSectors = 0;
    std::vector<StreamPlace> places;

    std::size_t FirstDifat() const { return fatSectors; }
    std::size_t Directory() const { return fatSectors + difatSectors; }
    std::size_t MiniFat() const { return Directory() + directorySectors; }
    std::size_t FirstData() const { return MiniFat() + miniFatSectors; }
    std::size_t MiniStream() const { return FirstData() + otherSectors; }
    std::size_t FirstStreamData() const { return MiniStream() + miniStreamSectors; }
    std::size_t Total() const { return FirstStreamData() + firstStreamSectors; }

    // Byte offsets in the file.
    static std::size_t SectorOffset(std::size_t sector) {
        return cfb::kHeaderSize + sector * kSectorSize;
    }
    std::size_t StreamOffset(const StreamPlace& place) const {
        if (place.inMiniStream) {
            return SectorOffset(MiniStream()) + place.run.first * cfb::kMiniSectorSize;
        }
        return SectorOffset(place.run.first);
    }
};

bool InMiniStream(std::size_t size) { return size > 0 && size < cfb::kMiniStreamCutoff; }

Layout PlanLayout(std::span<const CompoundStream> streams) {
    Layout layout;
    layout.places.resize(streams.size());
    // The other streams first, the first one last, in the mini stream as in the file.
    std::size_t otherSectors = 0;
    for (std::size_t i = 1; i <= streams.size(); ++i) {
        const std::size_t index = i % streams.size();
        const std::size_t size = streams[index].bytes.size();
        StreamPlace& place = layout.places[index];
        if (InMiniStream(size)) {
            place.inMiniStream = true;
            place.run = {layout.miniSectors, CeilDiv(size, cfb::kMiniSectorSize)};
            layout.miniSectors += place.run.count;
        } else if (index == 0) {
            layout.firstStreamSectors = CeilDiv(size, kSectorSize);
            place.run.count = layout.firstStreamSectors;
        } else {
            place.run = {otherSectors, CeilDiv(size, kSectorSize)};
            otherSectors += place.run.count;
        }
    }
    layout.otherSectors = otherSectors;
    layout.miniFatSectors = CeilDiv(layout.miniSectors, kIdsPerSector);
    layout.miniStreamSectors = CeilDiv(layout.miniSectors * cfb::kMiniSectorSize, kSectorSize);
    layout.directorySectors = CeilDiv(streams.size() + 1, kEntriesPerSector);
    // The FAT has to describe its own sectors and the DIFAT's too; grow until it does.
    const std::size_t others = layout.directorySectors + layout.miniFatSectors +
                               layout.otherSectors + layout.miniStreamSectors +
                               layout.firstStreamSectors;
    layout.fatSectors = std::max<std::size_t>(1, CeilDiv(others, kIdsPerSector));
    for (;;) {
        layout.difatSectors =
            layout.fatSectors > cfb::kHeaderDifatEntries
                ? CeilDiv(layout.fatSectors - cfb::kHeaderDifatEntries, kFatSlotsPerDifatSector)
                : 0;
        if (layout.Total() <= layout.fatSectors * kIdsPerSector) break;
        ++layout.fatSectors;
    }
    // Now that the fixed parts are known, the large streams' runs become sector numbers.
    for (std::size_t index = 0; index < streams.size(); ++index) {
        StreamPlace& place = layout.places[index];
        if (place.inMiniStream || place.run.count == 0) continue;
        place.run.first += index == 0 ? layout.FirstStreamData() : layout.FirstData();
    }
    return layout;
}

// Directory entry names compare by length first, then letter by letter without regard to case.
bool NameLess(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) return a.size() < b.size();
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto fold = [](char16_t c) {
            return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
        };
        if (fold(a[i]) != fold(b[i])) return fold(a[i]) < fold(b[i]);
    }
    return false;
}

// Builds the file up to the first stream's first byte; that stream's bytes and the zeros after
// them are the rest of the file. With `roomForAll` the buffer has room for them too, for a
// caller that appends them.
class FileBuilder {
public:
    FileBuilder(const Layout& layout, std::size_t headSize, bool roomForAll) : layout_(layout) {
        if (roomForAll) file_.reserve(Layout::SectorOffset(layout.Total()));
        file_.resize(headSize);
    }

    std::uint8_t* SectorData(std::size_t sector) {
        return file_.data() + Layout::SectorOffset(sector);
    }

    void WriteHeader() {
        std::uint8_t* h = file_.data();
        std::memcpy(h, cfb::kSignature.data(), cfb::kSignature.size());
        cfb::WriteU16(h + cfb::kOffsetMinorVersion, 0x003E);
        cfb::WriteU16(h + cfb::kOffsetMajorVersion, 3);
        cfb::WriteU16(h + cfb::kOffsetByteOrder, 0xFFFE);
        cfb::WriteU16(h + cfb::kOffsetSectorShift, 9);
        cfb::WriteU16(h + cfb::kOffsetMiniSectorShift, 6);
        cfb::WriteU32(h + cfb::kOffsetFatSectorCount, Sector(layout_.fatSectors));
        cfb::WriteU32(h + cfb::kOffsetFirstDirectorySector, Sector(layout_.Directory()));
        cfb::WriteU32(h + cfb::kOffsetMiniStreamCutoff, cfb::kMiniStreamCutoff);
        const bool hasMiniFat = layout_.miniFatSectors > 0;
        cfb::WriteU32(h + cfb::kOffsetFirstMiniFatSector,
                      hasMiniFat ? Sector(layout_.MiniFat()) : cfb::kEndOfChain);
        cfb::WriteU32(h + cfb::kOffsetMiniFatSectorCount, Sector(layout_.miniFatSectors));
        const bool hasDifat = layout_.difatSectors > 0;
        cfb::WriteU32(h + cfb::kOffsetFirstDifatSector,
                      hasDifat ? Sector(layout_.FirstDifat()) : cfb::kEndOfChain);
        cfb::WriteU32(h + cfb::kOffsetDifatSectorCount, Sector(layout_.difatSectors));
        for (std::size_t i = 0; i < cfb::kHeaderDifatEntries; ++i) {
            cfb::WriteU32(h + cfb::kOffsetHeaderDifat + 4 * i,
                          i < layout_.fatSectors ? Sector(i) : cfb::kFreeSector);
        }
    }

    void WriteDifat() {
        std::size_t fatIndex = cfb::kHeaderDifatEntries;
        for (std::size_t k = 0; k < layout_.difatSectors; ++k) {
            std::uint8_t* out = SectorData(layout_.FirstDifat() + k);
            for (std::size_t j = 0; j < kFatSlotsPerDifatSector; ++j, ++fatIndex) {
                cfb::WriteU32(out + 4 * j,
                              fatIndex < layout_.fatSectors ? Sector(fatIndex) : cfb::kFreeSector);
            }
            const bool last = k + 1 == layout_.difatSectors;
            cfb::WriteU32(out + 4 * kFatSlotsPerDifatSector,
                          last ? cfb::kEndOfChain : Sector(layout_.FirstDifat() + k + 1));
        }
    }

    void WriteFat() {
        // The FAT sectors come first and follow one another, so entry i sits at byte 4 i of
        // the first of them.
        std::uint8_t* fat = SectorData(0);
        const std::size_t entries = layout_.fatSectors * kIdsPerSector;
        std::size_t i = 0;
        for (; i < layout_.fatSectors; ++i) cfb::WriteU32(fat + 4 * i, cfb::kFatSector);
        for (; i < layout_.Directory(); ++i) cfb::WriteU32(fat + 4 * i, cfb::kDifatSector);
        WriteChain(fat, {layout_.Directory(), layout_.directorySectors});
        WriteChain(fat, {layout_.MiniFat(), layout_.miniFatSectors});
        for (std::size_t s = 1; s < layout_.places.size(); ++s) {
            if (!layout_.places[s].inMiniStream) WriteChain(fat, layout_.places[s].run);
        }
        WriteChain(fat, {layout_.MiniStream(), layout_.miniStreamSectors});
        WriteChain(fat, {layout_.FirstStreamData(), layout_.firstStreamSectors});
        for (i = layout_.Total(); i < entries; ++i) cfb::WriteU32(fat + 4 * i, cfb::kFreeSector);
    }

    void WriteMiniFat() {
        if (layout_.miniFatSectors == 0) return;
        std::uint8_t* out = SectorData(layout_.MiniFat());
        const std::size_t entries = layout_.miniFatSectors * kIdsPerSector;
        for (std::size_t j = layout_.miniSectors; j < entries; ++j) {
            cfb::WriteU32(out + 4 * j, cfb::kFreeSector);
        }
        for (const StreamPlace& place : layout_.places) {
            if (place.inMiniStream) WriteChain(out, place.run);
        }
    }

    void WriteDirectory(const ClassId& rootClassId, const std::vector<std::u16string>& names,
                        std::span<const CompoundStream> streams) {
        std::uint8_t* dir = SectorData(layout_.Directory());
        const std::size_t slots = layout_.directorySectors * kEntriesPerSector;
        // Unused entries are zero apart from their links, which must say "none".
        for (std::size_t e = 0; e < slots; ++e) {
            std::uint8_t* entry = dir + e * cfb::kDirectoryEntrySize;
            cfb::WriteU32(entry + cfb::kEntryLeftSibling, cfb::kNoStream);
            cfb::WriteU32(entry + cfb::kEntryRightSibling, cfb::kNoStream);
            cfb::WriteU32(entry + cfb::kEntryChild, cfb::kNoStream);
        }

        std::uint8_t* root = dir;
        WriteName(root, u"Root Entry");
        root[cfb::kEntryType] = static_cast<std::uint8_t>(cfb::EntryType::Root);
        root[cfb::kEntryColor] = cfb::kBlack;
        std::memcpy(root + cfb::kEntryClassId, rootClassId.bytes.data(), rootClassId.bytes.size());
        const bool hasMiniStream = layout_.miniStreamSectors > 0;
        cfb::WriteU32(root + cfb::kEntryStartSector,
                      hasMiniStream ? Sector(layout_.MiniStream()) : cfb::kEndOfChain);
        cfb::WriteU64(root + cfb::kEntryStreamSize, layout_.miniSectors * cfb::kMiniSectorSize);

        for (std::size_t s = 0; s < streams.size(); ++s) {
            std::uint8_t* entry = dir + (s + 1) * cfb::kDirectoryEntrySize;
            WriteName(entry, names[s]);
            entry[cfb::kEntryType] = static_cast<std::uint8_t>(cfb::EntryType::Stream);
            const StreamPlace& place = layout_.places[s];
            const bool hasSectors = place.run.count > 0;
            cfb::WriteU32(entry + cfb::kEntryStartSector,
                          hasSectors ? Sector(place.run.first) : cfb::kEndOfChain);
            cfb::WriteU64(entry + cfb::kEntryStreamSize, streams[s].bytes.size());
        }

        // The streams hang from the root as a balanced binary tree in name order, coloured as
        // a red-black tree: every level full but maybe the deepest, whose entries are red.
        std::vector<std::uint32_t> sorted(streams.size());
        for (std::size_t s = 0; s < sorted.size(); ++s) sorted[s] = Sector(s + 1);
        std::sort(sorted.begin(), sorted.end(), [&](std::uint32_t a, std::uint32_t b) {
            return NameLess(names[a - 1], names[b - 1]);
        });
        std::size_t depth = 0;
        while ((std::size_t{2} << depth) - 1 < sorted.size()) ++depth;
        const bool fullTree = (std::size_t{2} << depth) - 1 == sorted.size();
        const std::uint32_t top = LinkTree(dir, sorted, 0, sorted.size(), 0, depth, fullTree);
        cfb::WriteU32(root + cfb::kEntryChild, top);
    }

    void CopyStream(const StreamPlace& place, const Layout& layout,
                    std::span<const std::uint8_t> bytes) {
        if (!bytes.empty())
            std::memcpy(file_.data() + layout.StreamOffset(place), bytes.data(), bytes.size());
    }

    std::vector<std::uint8_t> Take() { return std::move(file_); }

private:
    static void WriteChain(std::uint8_t* table, const Run& run) {
        for (std::size_t k = 0; k < run.count; ++k) {
            const std::size_t at = run.first + k;
            cfb::WriteU32(table + 4 * at, k + 1 < run.count ? Sector(at + 1) : cfb::kEndOfChain);
        }
    }

    // Links sorted[begin, end) below a node at `level`; returns the subtree's root.
    static std::uint32_t LinkTree(std::uint8_t* dir, const std::vector<std::uint32_t>& sorted,
                                  std::size_t begin, std::size_t end, std::size_t level,
                                  std::size_t depth, bool fullTree) {
        if (begin >= end) return cfb::kNoStream;
        const std::size_t middle = begin + (end - begin) / 2;
        std::uint8_t* entry = dir + std::size_t{sorted[middle]} * cfb::kDirectoryEntrySize;
        const bool red = !fullTree && level == depth;
        entry[cfb::kEntryColor] = red ? 0 : cfb::kBlack;
        cfb::WriteU32(entry + cfb::kEntryLeftSibling,
                      LinkTree(dir, sorted, begin, middle, level + 1, depth, fullTree));
        cfb::WriteU32(entry + cfb::kEntryRightSibling,
                      LinkTree(dir, sorted, middle + 1, end, level + 1, depth, fullTree));
        return sorted[middle];
    }

    static void WriteName(std::uint8_t* entry, std::u16string_view name) {
        for (std::size_t i = 0; i < name.size(); ++i) cfb::WriteU16(entry + 2 * i, name[i]);
        cfb::WriteU16(entry + cfb::kEntryNameLength,
                      static_cast<std::uint16_t>((name.size() + 1) * 2));
    }

    const Layout& layout_;
    std::vector<std::uint8_t> file_;
};

// The parts of the file; with `roomForAll` the head's buffer can take the rest of the file.
CompoundFileParts Plan(const ClassId& rootClassId, std::span<const CompoundStream> streams,
                       bool roomForAll) {
    if (streams.empty()) throw CompoundFileError("a compound file needs a stream");
    std::vector<std::u16string> names;
    for (const CompoundStream& stream : streams) {
        names.push_back(EncodeEntryName(stream.name));
        if (stream.bytes.size() > kMaxStreamSize) {
            throw CompoundFileError("a stream of " + std::to_string(stream.bytes.size()) +
                                    " bytes is larger than a version 3 compound file allows");
        }
    }
    for (std::size_t a = 0; a < names.size(); ++a) {
        for (std::size_t b = a + 1; b < names.size(); ++b) {
            if (!NameLess(names[a], names[b]) && !NameLess(names[b], names[a])) {
                throw CompoundFileError("the stream name \"" + std::string(streams[b].name) +
                                        "\" is given twice");
            }
        }
    }
    const Layout layout = PlanLayout(streams);
    // An empty first stream has no place of its own: the head is then the whole file.
    const std::size_t headSize = streams.front().bytes.empty()
                                     ? Layout::SectorOffset(layout.Total())
                                     : layout.StreamOffset(layout.places.front());
    FileBuilder builder(layout, headSize, roomForAll);
    builder.WriteHeader();
    builder.WriteFat();
    builder.WriteDifat();
    builder.WriteDirectory(rootClassId, names, streams);
    builder.WriteMiniFat();
    for (std::size_t s = 1; s < streams.size(); ++s) {
        builder.CopyStream(layout.places[s], layout, streams[s].bytes);
    }
    CompoundFileParts parts;
    parts.head = builder.Take();
    parts.stream = streams.front().bytes;
    parts.padding = Layout::SectorOffset(layout.Total()) - headSize - parts.stream.size();
    return parts;
}

}  // namespace

CompoundFileParts PlanCompoundFile(const ClassId& rootClassId,
                                   std::span<const CompoundStream> streams) {
    return Plan(rootClassId, streams, false);
}

CompoundFileParts PlanCompoundFile(const ClassId& rootClassId, std::string_view streamName,
                                   std::span<const std::uint8_t> stream) {
    const CompoundStream streams[] = {{streamName, stream}};
    return Plan(rootClassId, streams, false);
}

std::vector<std::uint8_t> WriteCompoundFile(const ClassId& rootClassId,
                                            std::span<const CompoundStream> streams) {
    // One allocation for the whole file: the stream and its padding follow the head in place.
    CompoundFileParts parts = Plan(rootClassId, streams, true);
    std::vector<std::uint8_t> file = std::move(parts.head);
    file.insert(file.end(), parts.stream.begin(), parts.stream.end());
    file.resize(file.size() + parts.padding, 0);
    return file;
}

std::vector<std::uint8_t> WriteCompoundFile(const ClassId& rootClassId, std::string_view streamName,
                                            std::span<const std::uint8_t> stream) {
    const CompoundStream streams[] = {{streamName, stream}};
    return WriteCompoundFile(rootClassId, streams);
}

}  // namespace lutaris
