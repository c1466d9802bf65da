// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "compound/CompoundFileReader.h"

#include <algorithm>
#include <cstring>

#include "compound/AllocationTable.h"
#include "compound/CompoundFileDirectory.h"
#include "compound/CompoundFileError.h"
#include "compound/CompoundFileFormat.h"
#include "compound/CompoundFileHeader.h"
#include "compound/CompoundFileName.h"

namespace lutaris {
namespace {

std::size_t CeilDiv(std::uint64_t a, std::size_t b) {
    return static_cast<std::size_t>((a + b - 1) / b);
}

std::string StreamOwner(const DirectoryEntry& entry, std::uint32_t id) {
    return "stream \"" + DecodeEntryName(entry.name) + "\" (entry " + std::to_string(id) + ")";
}

// The format's order of names: shorter first, then unit by unit without regard to case.
bool NameOrderLess(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) return a.size() < b.size();
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto fa = a[i] >= u'a' && a[i] <= u'z' ? a[i] - 32 : a[i];
        auto fb = b[i] >= u'a' && b[i] <= u'z' ? b[i] - 32 : b[i];
        if (fa != fb) return fa < fb;
    }
    return false;
}

}  // namespace

bool HasCompoundFileSignature(std::span<const std::uint8_t> file) {
    return file.size() >= cfb::kSignature.size() &&
           std::equal(cfb::kSignature.begin(), cfb::kSignature.end(), file.begin());
}

CompoundFileReader::CompoundFileReader(std::span<const std::uint8_t> file)
    : file_(file), header_(std::make_unique<CompoundFileHeader>(CompoundFileHeader::Parse(file))) {
    LoadFat();
    LoadDirectory();
    LoadMiniStream();
    CheckStreams();
}

CompoundFileReader::~CompoundFileReader() = default;

std::size_t CompoundFileReader::SectorOffset(std::uint32_t sector) const {
    return header_->headerSectorSize + std::size_t{sector} * header_->sectorSize;
}

std::span<const std::uint8_t> CompoundFileReader::WholeSector(std::uint32_t sector,
                                                              const std::string& owner) const {
    if (sector >= header_->sectorCount) {
        throw CompoundFileError(owner + ": sector " + std::to_string(sector) +
                                " is out of range (the file holds " +
                                std::to_string(header_->sectorCount) + " sectors)");
    }
    const std::size_t offset = SectorOffset(sector);
    if (file_.size() - offset < header_->sectorSize) {
        throw CompoundFileError(owner + ": sector " + std::to_string(sector) +
                                " is cut short by the end of the file");
    }
    return file_.subspan(offset, header_->sectorSize);
}

void CompoundFileReader::CheckTailInFile(std::uint32_t lastSector, std::size_t bytesInLast,
                                         const std::string& owner) const {
    // Some writers end the file right after a stream's last byte instead of padding the
    // sector; that is fine as long as the bytes themselves are there.
    if (file_.size() - SectorOffset(lastSector) < bytesInLast) {
        throw CompoundFileError(owner + ": its last sector " + std::to_string(lastSector) +
                                " is cut short by the end of the file");
    }
}

std::vector<std::uint32_t> CompoundFileReader::ReadDifat() const {
    const CompoundFileHeader& h = *header_;
    std::vector<std::uint32_t> fatSectors(
        h.headerDifat.begin(),
        h.headerDifat.begin() + std::min<std::size_t>(h.fatSectorCount, h.headerDifat.size()));
    const std::size_t slotsPerSector = h.sectorSize / 4 - 1;
    std::vector<bool> visited(h.sectorCount, false);
    std::uint32_t sector = h.firstDifatSector;
    for (std::uint32_t k = 0; k < h.difatSectorCount; ++k) {
        const std::string owner =
            "DIFAT sector " + std::to_string(k + 1) + " of " + std::to_string(h.difatSectorCount);
        if (sector < h.sectorCount && visited[sector]) {
            throw CompoundFileError(owner + ": the DIFAT chain loops back to sector " +
                                    std::to_string(sector));
        }
        const auto bytes = WholeSector(sector, owner);
        visited[sector] = true;
        for (std::size_t j = 0; j < slotsPerSector && fatSectors.size() < h.fatSectorCount; ++j) {
            fatSectors.push_back(cfb::ReadU32(bytes, 4 * j));
        }
        sector = cfb::ReadU32(bytes, 4 * slotsPerSector);
    }
    if (h.difatSectorCount > 0 && sector != cfb::kEndOfChain && sector != cfb::kFreeSector) {
        throw CompoundFileError("the DIFAT chain runs on past its " +
                                std::to_string(h.difatSectorCount) + " sectors");
    }
    return fatSectors;
}

void CompoundFileReader::LoadFat() {
    const std::vector<std::uint32_t> fatSectors = ReadDifat();
    const std::size_t linksPerSector = header_->sectorSize / 4;
    // FAT sectors past this many describe only sectors that the file does not hold.
    const std::size_t neededFatSectors = CeilDiv(header_->sectorCount, linksPerSector);
    std::vector<std::uint32_t> links;
    links.reserve(std::min(fatSectors.size(), neededFatSectors) * linksPerSector);
    for (std::size_t i = 0; i < fatSectors.size() && i < neededFatSectors; ++i) {
        const auto bytes = WholeSector(fatSectors[i], "FAT sector " + std::to_string(i));
        for (std::size_t j = 0; j < linksPerSector; ++j) {
            links.push_back(cfb::ReadU32(bytes, 4 * j));
        }
    }
    fat_ = std::make_unique<AllocationTable>(std::move(links), header_->sectorCount, "sector");
    for (std::size_t i = 0; i < fatSectors.size(); ++i) {
        // libgsf writes version 4 files that end before their last FAT sector, one that would
        // describe only sectors past the end. Nothing can be lost there, so such a sector is
        // let go; any other FAT sector must be in the file.
        if (i >= neededFatSectors && fatSectors[i] >= header_->sectorCount) continue;
        fat_->ClaimSector(fatSectors[i], "FAT sector " + std::to_string(i));
    }
    // The DIFAT sectors were checked while reading them; claiming them now keeps streams out.
    std::uint32_t sector = header_->firstDifatSector;
    for (std::uint32_t k = 0; k < header_->difatSectorCount; ++k) {
        fat_->ClaimSector(sector, "DIFAT sector " + std::to_string(k));
        sector = cfb::ReadU32(WholeSector(sector, "the DIFAT"), header_->sectorSize - 4);
    }
}

void CompoundFileReader::LoadDirectory() {
    const auto chain =
        fat_->ClaimChain(header_->firstDirectorySector, std::nullopt, "the directory");
    if (chain.empty()) throw CompoundFileError("the directory: no sectors");
    std::vector<std::uint8_t> bytes;
    bytes.reserve(chain.size() * header_->sectorSize);
    for (const auto sector : chain) {
        const auto data = WholeSector(sector, "the directory");
        bytes.insert(bytes.end(), data.begin(), data.end());
    }
    directory_ = std::make_unique<CompoundFileDirectory>(bytes, header_->majorVersion);
}

void CompoundFileReader::LoadMiniStream() {
    std::vector<std::uint32_t> miniLinks;
    if (header_->miniFatSectorCount > 0) {
        const auto chain = fat_->ClaimChain(header_->firstMiniFatSector,
                                            header_->miniFatSectorCount, "the mini FAT");
        miniLinks.reserve(chain.size() * header_->sectorSize / 4);
        for (const auto sector : chain) {
            const auto bytes = WholeSector(sector, "the mini FAT");
            for (std::size_t j = 0; j < header_->sectorSize / 4; ++j) {
                miniLinks.push_back(cfb::ReadU32(bytes, 4 * j));
            }
        }
    }
    const DirectoryEntry& root = directory_->Root();
    miniStreamSize_ = root.size;
    if (miniStreamSize_ > file_.size()) {
        throw CompoundFileError("the mini stream: its size of " + std::to_string(miniStreamSize_) +
                                " bytes is beyond the file's " + std::to_string(file_.size()));
    }
    if (miniStreamSize_ > 0) {
        const std::size_t sectors = CeilDiv(miniStreamSize_, header_->sectorSize);
        miniStreamSectors_ = fat_->ClaimChain(root.startSector, sectors, "the mini stream");
        CheckTailInFile(miniStreamSectors_.back(),
                        miniStreamSize_ - (sectors - 1) * header_->sectorSize, "the mini stream");
    }
    const auto miniSectors =
        static_cast<std::uint32_t>(CeilDiv(miniStreamSize_, cfb::kMiniSectorSize));
    miniFat_ = std::make_unique<AllocationTable>(std::move(miniLinks), miniSectors, "mini sector");
}

void CompoundFileReader::CheckStreams() {
    for (const auto& stream : directory_->Streams()) {
        const DirectoryEntry& entry = directory_->Entry(stream.id);
        const std::string owner = StreamOwner(entry, stream.id);
        if (entry.size == 0) continue;
        if (entry.size > file_.size()) {
            throw CompoundFileError(owner + ": its size of " + std::to_string(entry.size) +
                                    " bytes is beyond the file's " + std::to_string(file_.size()));
        }
        if (entry.size >= cfb::kMiniStreamCutoff) {
            const std::size_t sectors = CeilDiv(entry.size, header_->sectorSize);
            const auto chain = fat_->ClaimChain(entry.startSector, sectors, owner);
            CheckTailInFile(chain.back(), entry.size - (sectors - 1) * header_->sectorSize, owner);
        } else {
            if (miniStreamSize_ == 0) {
                throw CompoundFileError(owner + ": it belongs in the mini stream, which is empty");
            }
            const std::size_t sectors = CeilDiv(entry.size, cfb::kMiniSectorSize);
            const auto chain = miniFat_->ClaimChain(entry.startSector, sectors, owner);
            const std::uint64_t end = std::uint64_t{chain.back()} * cfb::kMiniSectorSize +
                                      entry.size - (sectors - 1) * cfb::kMiniSectorSize;
            if (end > miniStreamSize_) {
                throw CompoundFileError(owner + ": it runs past the end of the mini stream");
            }
        }
    }
}

ClassId CompoundFileReader::RootClassId() const { return directory_->Root().classId; }

std::vector<std::string> CompoundFileReader::StreamNames() const {
    std::vector<const std::u16string*> names;
    for (const auto& stream : directory_->Streams()) {
        if (stream.inRoot) names.push_back(&directory_->Entry(stream.id).name);
    }
    std::sort(names.begin(), names.end(),
              [](const auto* a, const auto* b) { return NameOrderLess(*a, *b); });
    std::vector<std::string> result;
    result.reserve(names.size());
    for (const auto* name : names) result.push_back(DecodeEntryName(*name));
    return result;
}

std::optional<std::vector<std::uint8_t>> CompoundFileReader::ReadStream(
    std::string_view name) const {
    const auto extents = StreamExtents(name);
    if (!extents) return std::nullopt;
    std::size_t size = 0;
    for (const Extent& extent : *extents) size += extent.size;
    std::vector<std::uint8_t> bytes(size);
    std::size_t done = 0;
    for (const Extent& extent : *extents) {
        std::memcpy(bytes.data() + done, file_.data() + extent.offset, extent.size);
        done += extent.size;
    }
    return bytes;
}

std::optional<std::vector<CompoundFileReader::Extent>> CompoundFileReader::StreamExtents(
    std::string_view name) const {
    std::u16string wanted;
    try {
        wanted = EncodeEntryName(name);
    } catch (const CompoundFileError&) {
        return std::nullopt;  // a name no entry can carry
    }
    const auto& streams = directory_->Streams();
    const auto found = std::find_if(streams.begin(), streams.end(), [&](const auto& stream) {
        return stream.inRoot && EntryNamesEqual(directory_->Entry(stream.id).name, wanted);
    });
    if (found == streams.end()) return std::nullopt;
    const DirectoryEntry& entry = directory_->Entry(found->id);
    // The constructor has checked the chain, its length and that its bytes lie in the file.
    const auto size = static_cast<std::size_t>(entry.size);
    std::vector<Extent> extents;
    const auto add = [&extents](std::size_t offset, std::size_t count) {
        if (!extents.empty() && extents.back().offset + extents.back().size == offset) {
            extents.back().size += count;
        } else {
            extents.push_back({offset, count});
        }
    };
    if (size == 0) return extents;
    if (entry.size >= cfb::kMiniStreamCutoff) {
        const std::size_t sectorSize = header_->sectorSize;
        const auto chain = fat_->CheckedChain(entry.startSector, CeilDiv(size, sectorSize));
        for (std::size_t i = 0; i < chain.size(); ++i) {
            add(SectorOffset(chain[i]), std::min(sectorSize, size - i * sectorSize));
        }
    } else {
        const auto chain =
            miniFat_->CheckedChain(entry.startSector, CeilDiv(size, cfb::kMiniSectorSize));
        for (std::size_t i = 0; i < chain.size(); ++i) {
            const std::size_t count =
                std::min(cfb::kMiniSectorSize, size - i * cfb::kMiniSectorSize);
            const std::size_t inMini = std::size_t{chain[i]} * cfb::kMiniSectorSize;
            const std::uint32_t sector = miniStreamSectors_[inMini / header_->sectorSize];
            add(SectorOffset(sector) + inMini % header_->sectorSize, count);
        }
    }
    return extents;
}

}  // namespace lutaris
