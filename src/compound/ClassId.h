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

}  // namespace lutaris
