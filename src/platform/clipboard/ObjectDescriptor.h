// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "compound/ClassId.h"

namespace lutaris {

// What the "Object Descriptor" (and "Link Source Descriptor") clipboard formats tell a
// container about an object before it takes the object: class, size and names.
//
// Encoded as the OBJECTDESCRIPTOR structure, all fields little-endian, 52 bytes followed by
// the two strings:
//
//   offset  size  field
//        0     4  cbSize              total size in bytes, strings included
//        4    16  clsid               class id in its on-disk byte order
//       20     4  dwDrawAspect        1: the content aspect
//       24     8  sizel (cx, cy)      extent in HIMETRIC (0.01 mm), signed
//       32     8  pointl (x, y)       where the object was grabbed, HIMETRIC; (0, 0)
//       40     4  dwStatus            OLEMISC bits; 0
//       44     4  dwFullUserTypeName  offset of the type name from offset 0, or 0 for none
//       48     4  dwSrcOfCopy         offset of the source name from offset 0, or 0 for none
//       52        the type name, then the source name: UTF-16LE, each with a terminating zero
struct ObjectDescriptor {
    static constexpr std::uint32_t kContentAspect = 1;
    static constexpr std::size_t kFixedSize = 52;

    ClassId classId;
    std::uint32_t drawAspect = kContentAspect;
    std::int32_t width = 0;   // HIMETRIC
    std::int32_t height = 0;  // HIMETRIC
    std::int32_t grabX = 0;
    std::int32_t grabY = 0;
    std::uint32_t status = 0;
    std::u16string fullUserTypeName;
    std::u16string sourceOfCopy;

    std::vector<std::uint8_t> Encode() const;

    // The descriptor another program put on the clipboard, or nothing when the bytes are not
    // one: shorter than the fixed part or than cbSize says, or a name that starts inside the
    // fixed part or has no terminating zero within cbSize. Bytes after cbSize are ignored (a
    // memory block may be larger than what it holds).
    static std::optional<ObjectDescriptor> Decode(std::span<const std::uint8_t> bytes);
};

}  // namespace lutaris
