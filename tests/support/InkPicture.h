// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lutaris::test {

// A picture reduced to where ink is: any pixel that is not pure white.
struct InkPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> ink;  // row-major, 1 = ink

    bool At(std::int32_t x, std::int32_t y) const {
        return x >= 0 && y >= 0 && x < width && y < height && ink[y * width + x] != 0;
    }
    void Set(std::int32_t x, std::int32_t y, bool value) {
        if (x >= 0 && y >= 0 && x < width && y < height) ink[y * width + x] = value ? 1 : 0;
    }
    static InkPicture Blank(std::int32_t width, std::int32_t height);
};

// Reads a binary PPM (P6, maxval 255), as the reference pictures are stored. Throws on anything
// else.
InkPicture ReadPpm(const std::filesystem::path& path);

struct InkComparison {
    std::int32_t unmatchedInA = 0;  // ink of A with no ink of B within the tolerance
    std::int32_t unmatchedInB = 0;
    // A character map of the differing area: '.' no ink, '#' matched ink, 'A'/'B' unmatched.
    std::string map;
    bool Matches() const { return unmatchedInA == 0 && unmatchedInB == 0; }
};

// An ink pixel counts as matched when the other picture has ink within `tolerance` pixels
// (Chebyshev distance). Pictures of different sizes never match.
InkComparison CompareInk(const InkPicture& a, const InkPicture& b, std::int32_t tolerance);

// The picture as rows of '#' and '.', for failure messages.
std::string InkRows(const InkPicture& picture, std::int32_t left, std::int32_t top,
                    std::int32_t right, std::int32_t bottom);

}  // namespace lutaris::test
