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
// Version 3 readers may keep stream sizes in a signed 32-bit field.
constexpr std::size_t kMaxStreamSize = 0x80000000u;

std::size_t CeilDiv(std::size_t a, std::size_t b) { return (a + b - 1) / b; }

// Where each part of the file goes, in sector numbers. The parts follow one another in this
// order: FAT, DIFAT, directory, mini FAT, then the stream (or the mini stream that holds it).
struct Layout {
    bool inMiniStream = false;
    std::size_t miniSectors = 0;
    std::size_t fatSectors = 0;
    std::size_t difatSectors = 0;
    std::size_t miniFatSectors = 0;
    std::size_t dataSectors = 0;

    std::size_t FirstDifat() const { return fatSectors; }
    std::size_t Directory() const { return fatSectors + difatSectors; }
    std::size_t MiniFat() const { return Directory() + 1; }
    std::size_t FirstData() const { return MiniFat() + miniFatSectors; }
    std::size_t Total() const { return FirstData() + dataSectors; }
};

Layout PlanLayout(std::size_t streamSize) {
    Layout layout;
    if (streamSize > 0 && streamSize < cfb::kMiniStreamCutoff) {
        layout.inMiniStream = true;
        layout.miniSectors = CeilDiv(streamSize, cfb::kMiniSectorSize);
        layout.miniFatSectors = CeilDiv(layout.miniSectors, kIdsPerSector);
        layout.dataSectors = CeilDiv(layout.miniSectors * cfb::kMiniSectorSize, kSectorSize);
    } else {
        layout.dataSectors = CeilDiv(streamSize, kSectorSize);
    }
    // The FAT has to describe its own sectors and the DIFAT's too; grow until it does.
    const std::size_t others = 1 + layout.miniFatSectors + layout.dataSectors;
    layout.fatSectors = std::max<std::size_t>(1, CeilDiv(others, kIdsPerSector));
    for (;;) {
        layout.difatSectors =
            layout.fatSectors > cfb::kHeaderDifatEntries
                ? CeilDiv(layout.fatSectors - cfb::kHeaderDifatEntries, kFatSlotsPerDifatSector)
                : 0;
        if (layout.Total() <= layout.fatSectors * kIdsPerSector) return layout;
        ++layout.fatSectors;
    }
}

std::uint32_t Sector(std::size_t index) { return static_cast<std::uint32_t>(index); }

// Builds the file up to the first sector of the stream (or of the mini stream that holds it);
// the stream's bytes and the zeros after them are the rest of the file. With `roomForAll` the
// buffer has room for them too, for a caller that appends them.
class FileBuilder {
public:
    FileBuilder(const Layout& layout, bool roomForAll) : layout_(layout) {
        if (roomForAll) file_.reserve(cfb::kHeaderSize + layout.Total() * kSectorSize);
        file_.resize(cfb::kHeaderSize + layout.FirstData() * kSectorSize);
    }

    std::uint8_t* SectorData(std::size_t sector) {
        return file_.data() + cfb::kHeaderSize + sector * kSectorSize;
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
        for (std::size_t i = 0; i < entries; ++i) cfb::WriteU32(fat + 4 * i, FatEntry(i));
    }

    void WriteMiniFat() {
        if (layout_.miniFatSectors == 0) return;
        std::uint8_t* out = SectorData(layout_.MiniFat());
        const std::size_t entries = layout_.miniFatSectors * kIdsPerSector;
        for (std::size_t j = 0; j < entries; ++j) {
            std::uint32_t value = cfb::kFreeSector;
            if (j + 1 < layout_.miniSectors) value = Sector(j + 1);
            if (j + 1 == layout_.miniSectors) value = cfb::kEndOfChain;
            cfb::WriteU32(out + 4 * j, value);
        }
    }

    void WriteDirectory(const ClassId& rootClassId, const std::u16string& streamName,
                        std::size_t streamSize) {
        std::uint8_t* dir = SectorData(layout_.Directory());
        const bool hasData = layout_.dataSectors > 0;
        const std::uint32_t dataStart = hasData ? Sector(layout_.FirstData()) : cfb::kEndOfChain;

        std::uint8_t* root = dir;
        WriteName(root, u"Root Entry");
        root[cfb::kEntryType] = static_cast<std::uint8_t>(cfb::EntryType::Root);
        root[cfb::kEntryColor] = cfb::kBlack;
        cfb::WriteU32(root + cfb::kEntryLeftSibling, cfb::kNoStream);
        cfb::WriteU32(root + cfb::kEntryRightSibling, cfb::kNoStream);
        cfb::WriteU32(root + cfb::kEntryChild, 1);
        std::memcpy(root + cfb::kEntryClassId, rootClassId.bytes.data(), rootClassId.bytes.size());
        cfb::WriteU32(root + cfb::kEntryStartSector,
                      layout_.inMiniStream ? dataStart : cfb::kEndOfChain);
        cfb::WriteU64(root + cfb::kEntryStreamSize, layout_.miniSectors * cfb::kMiniSectorSize);

        std::uint8_t* stream = dir + cfb::kDirectoryEntrySize;
        WriteName(stream, streamName);
        stream[cfb::kEntryType] = static_cast<std::uint8_t>(cfb::EntryType::Stream);
        stream[cfb::kEntryColor] = cfb::kBlack;  // the only node, so the root of its tree
        cfb::WriteU32(stream + cfb::kEntryLeftSibling, cfb::kNoStream);
        cfb::WriteU32(stream + cfb::kEntryRightSibling, cfb::kNoStream);
        cfb::WriteU32(stream + cfb::kEntryChild, cfb::kNoStream);
        std::uint32_t start = cfb::kEndOfChain;
        if (layout_.inMiniStream) start = 0;
        if (!layout_.inMiniStream && hasData) start = dataStart;
        cfb::WriteU32(stream + cfb::kEntryStartSector, start);
        cfb::WriteU64(stream + cfb::kEntryStreamSize, streamSize);

        // Unused entries are zero apart from their links, which must say "none".
        for (std::size_t e = 2; e < kSectorSize / cfb::kDirectoryEntrySize; ++e) {
            std::uint8_t* unused = dir + e * cfb::kDirectoryEntrySize;
            cfb::WriteU32(unused + cfb::kEntryLeftSibling, cfb::kNoStream);
            cfb::WriteU32(unused + cfb::kEntryRightSibling, cfb::kNoStream);
            cfb::WriteU32(unused + cfb::kEntryChild, cfb::kNoStream);
        }
    }

    std::vector<std::uint8_t> Take() { return std::move(file_); }

private:
    std::uint32_t FatEntry(std::size_t i) const {
        if (i < layout_.fatSectors) return cfb::kFatSector;
        if (i < layout_.Directory()) return cfb::kDifatSector;
        if (i == layout_.Directory()) return cfb::kEndOfChain;
        if (i < layout_.FirstData()) {
            return i + 1 < layout_.FirstData() ? Sector(i + 1) : cfb::kEndOfChain;
        }
        if (i < layout_.Total()) return i + 1 < layout_.Total() ? Sector(i + 1) : cfb::kEndOfChain;
        return cfb::kFreeSector;
    }

    static void WriteName(std::uint8_t* entry, std::u16string_view name) {
        for (std::size_t i = 0; i < name.size(); ++i) cfb::WriteU16(entry + 2 * i, name[i]);
        cfb::WriteU16(entry + cfb::kEntryNameLength,
                      static_cast<std::uint16_t>((name.size() + 1) * 2));
    }

    Layout layout_;
    std::vector<std::uint8_t> file_;
};

// The parts of the file; with `roomForAll` the head's buffer can take the rest of the file.
CompoundFileParts Plan(const ClassId& rootClassId, std::string_view streamName,
                       std::span<const std::uint8_t> stream, bool roomForAll) {
    const std::u16string name = EncodeEntryName(streamName);
    if (stream.size() > kMaxStreamSize) {
        throw CompoundFileError("a stream of " + std::to_string(stream.size()) +
                                " bytes is larger than a version 3 compound file allows");
    }
    const Layout layout = PlanLayout(stream.size());
    FileBuilder builder(layout, roomForAll);
    builder.WriteHeader();
    builder.WriteFat();
    builder.WriteDifat();
    builder.WriteDirectory(rootClassId, name, stream.size());
    builder.WriteMiniFat();
    CompoundFileParts parts;
    parts.head = builder.Take();
    parts.stream = stream;
    parts.padding = layout.dataSectors * kSectorSize - stream.size();
    return parts;
}

}  // namespace

CompoundFileParts PlanCompoundFile(const ClassId& rootClassId, std::string_view streamName,
                                   std::span<const std::uint8_t> stream) {
    return Plan(rootClassId, streamName, stream, false);
}

std::vector<std::uint8_t> WriteCompoundFile(const ClassId& rootClassId, std::string_view streamName,
                                            std::span<const std::uint8_t> stream) {
    // One allocation for the whole file: the stream and its padding follow the head in place.
    CompoundFileParts parts = Plan(rootClassId, streamName, stream, true);
    std::vector<std::uint8_t> file = std::move(parts.head);
    file.insert(file.end(), parts.stream.begin(), parts.stream.end());
    file.resize(file.size() + parts.padding, 0);
    return file;
}

}  // namespace lutaris
