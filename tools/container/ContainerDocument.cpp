// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "ContainerDocument.h"

#include <cstring>

#include "compound/ClassId.h"
#include "compound/CompoundFileError.h"
#include "compound/CompoundFileReader.h"
#include "compound/CompoundFileWriter.h"

namespace lutaris::container {
namespace {

// {8A3F6C21-5D47-4B0E-9C1A-2E6B7D40F513}, in the byte order a compound file stores.
constexpr ClassId kContainerClassId{{0x21, 0x6C, 0x3F, 0x8A, 0x47, 0x5D, 0x0E, 0x4B, 0x9C, 0x1A,
                                     0x2E, 0x6B, 0x7D, 0x40, 0xF5, 0x13}};
constexpr char kStreamName[] = "Container";
constexpr char kMagic[8] = {'L', 'T', 'C', 'O', 'N', 'T', '0', '1'};

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutBytes(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> bytes) {
    PutU32(out, static_cast<std::uint32_t>(bytes.size()));
    out.insert(out.end(), bytes.begin(), bytes.end());
}

void PutString(std::vector<std::uint8_t>& out, const std::string& text) {
    PutBytes(out, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

// Reads from the front of the stream; every read checks that the bytes are there.
class Cursor {
public:
    explicit Cursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool U32(std::uint32_t& value) {
        if (Left() < 4) return false;
        value = 0;
        for (int i = 0; i < 4; ++i) value |= std::uint32_t{bytes_[at_ + i]} << (8 * i);
        at_ += 4;
        return true;
    }
    bool I32(std::int32_t& value) {
        std::uint32_t raw = 0;
        if (!U32(raw)) return false;
        value = static_cast<std::int32_t>(raw);
        return true;
    }
    bool Bytes(std::vector<std::uint8_t>& value) {
        std::uint32_t size = 0;
        if (!U32(size) || size > Left()) return false;
        value.assign(bytes_.begin() + at_, bytes_.begin() + at_ + size);
        at_ += size;
        return true;
    }
    bool String(std::string& value, std::size_t limit) {
        std::uint32_t size = 0;
        if (!U32(size) || size > Left() || size > limit) return false;
        value.assign(reinterpret_cast<const char*>(bytes_.data() + at_), size);
        at_ += size;
        return true;
    }
    bool Magic() {
        if (Left() < sizeof kMagic || std::memcmp(bytes_.data(), kMagic, sizeof kMagic) != 0) {
            return false;
        }
        at_ += sizeof kMagic;
        return true;
    }
    std::size_t Left() const { return bytes_.size() - at_; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

bool Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

bool ReadObjects(Cursor& in, ContainerDocument& document, std::string* error) {
    std::uint32_t count = 0;
    if (!in.U32(count)) return Fail(error, "the object count is missing");
    // Each record takes at least 20 bytes, so a count the stream cannot hold is a lie.
    if (count > kMaxObjects || count > in.Left() / 20) {
        return Fail(error, "the object count " + std::to_string(count) + " is out of range");
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        EmbeddedObjectRecord object;
        const std::string which = "object " + std::to_string(i);
        if (!in.String(object.progId, kMaxProgIdBytes) || object.progId.empty()) {
            return Fail(error, which + " has no class name");
        }
        if (!in.I32(object.width) || !in.I32(object.height) || object.width < 1 ||
            object.height < 1 || object.width > kMaxObjectSide || object.height > kMaxObjectSide) {
            return Fail(error, which + " has a size out of range");
        }
        if (!in.Bytes(object.storage) || !in.Bytes(object.picture)) {
            return Fail(error, which + " is cut short");
        }
        document.objects.push_back(std::move(object));
    }
    return true;
}

}  // namespace

std::vector<std::uint8_t> WriteContainerFile(const ContainerDocument& document) {
    std::vector<std::uint8_t> stream(kMagic, kMagic + sizeof kMagic);
    PutString(stream, document.text);
    PutU32(stream, static_cast<std::uint32_t>(document.objects.size()));
    for (const EmbeddedObjectRecord& object : document.objects) {
        PutString(stream, object.progId);
        PutU32(stream, static_cast<std::uint32_t>(object.width));
        PutU32(stream, static_cast<std::uint32_t>(object.height));
        PutBytes(stream, object.storage);
        PutBytes(stream, object.picture);
    }
    return WriteCompoundFile(kContainerClassId, kStreamName, stream);
}

std::optional<ContainerDocument> ReadContainerFile(std::span<const std::uint8_t> file,
                                                   std::string* error) {
    std::optional<std::vector<std::uint8_t>> stream;
    try {
        if (!HasCompoundFileSignature(file)) {
            Fail(error, "not a compound file");
            return std::nullopt;
        }
        CompoundFileReader reader(file);
        if (!(reader.RootClassId() == kContainerClassId)) {
            Fail(error, "not a container document");
            return std::nullopt;
        }
        stream = reader.ReadStream(kStreamName);
    } catch (const CompoundFileError& e) {
        Fail(error, std::string("damaged compound file: ") + e.what());
        return std::nullopt;
    }
    if (!stream) {
        Fail(error, "the file has no container stream");
        return std::nullopt;
    }
    Cursor in(*stream);
    ContainerDocument document;
    if (!in.Magic()) {
        Fail(error, "the container stream has an unknown format");
        return std::nullopt;
    }
    if (!in.String(document.text, stream->size())) {
        Fail(error, "the text is cut short");
        return std::nullopt;
    }
    if (!ReadObjects(in, document, error)) return std::nullopt;
    if (in.Left() != 0) {
        Fail(error, "the container stream has bytes after its last object");
        return std::nullopt;
    }
    return document;
}

}  // namespace lutaris::container
