#pragma once

#include <array>
#include <cstdint>

namespace lutaris {

// A class identifier as a compound file stores it: the 16 bytes of the GUID structure in
// little-endian field order, so the bytes compare directly with what is on disk.
struct ClassId {
    std::array<std::uint8_t, 16> bytes{};
    bool operator==(const ClassId&) const = default;
};

// {4E1B7C53-2A96-4F08-B3D5-71C9E0A64F2D}: the class of our documents, written into the root
// storage of every saved file and used for the registration.
inline constexpr ClassId kDocumentClassId{{0x53, 0x7C, 0x1B, 0x4E, 0x96, 0x2A, 0x08, 0x4F, 0xB3,
                                           0xD5, 0x71, 0xC9, 0xE0, 0xA6, 0x4F, 0x2D}};

}  // namespace lutaris
