// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "support/InkPicture.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace lutaris::test {
namespace {

bool InkNear(const InkPicture& picture, std::int32_t x, std::int32_t y, std::int32_t tolerance) {
    for (std::int32_t dy = -tolerance; dy <= tolerance; ++dy) {
        for (std::int32_t dx = -tolerance; dx <= tolerance; ++dx) {
            if (picture.At(x + dx, y + dy)) return true;
        }
    }
    return false;
}

}  // namespace

InkPicture InkPicture::Blank(std::int32_t width, std::int32_t height) {
    InkPicture picture;
    picture.width = width;
    picture.height = height;
    picture.ink.assign(static_cast<std::size_t>(width) * height, 0);
    return picture;
}

InkPicture ReadPpm(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path.string());
    const std::vector<char> data((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
    std::size_t pos = 0;
    std::vector<std::string> tokens;
    while (tokens.size() < 4 && pos < data.size()) {
        if (std::isspace(static_cast<unsigned char>(data[pos]))) {
            ++pos;
        } else if (data[pos] == '#') {
            while (pos < data.size() && data[pos] != '\n') ++pos;
        } else {
            std::string token;
            while (pos < data.size() && !std::isspace(static_cast<unsigned char>(data[pos]))) {
                token += data[pos++];
            }
            tokens.push_back(token);
        }
    }
    if (tokens.size() != 4 || tokens[0] != "P6" || tokens[3] != "255") {
        throw std::runtime_error("not a binary 8-bit PPM: " + path.string());
    }
    InkPicture picture = InkPicture::Blank(std::stoi(tokens[1]), std::stoi(tokens[2]));
    ++pos;  // the single whitespace byte after maxval
    const std::size_t needed = static_cast<std::size_t>(picture.width) * picture.height * 3;
    if (data.size() < pos + needed) throw std::runtime_error("truncated PPM: " + path.string());
    for (std::size_t i = 0; i < picture.ink.size(); ++i) {
        const auto* rgb = reinterpret_cast<const unsigned char*>(&data[pos + i * 3]);
        picture.ink[i] = (rgb[0] != 255 || rgb[1] != 255 || rgb[2] != 255) ? 1 : 0;
    }
    return picture;
}

InkComparison CompareInk(const InkPicture& a, const InkPicture& b, std::int32_t tolerance) {
    InkComparison result;
    if (a.width != b.width || a.height != b.height) {
        result.unmatchedInA = result.unmatchedInB = 1;
        result.map = "pictures differ in size";
        return result;
    }
    std::int32_t left = a.width, top = a.height, right = -1, bottom = -1;
    std::vector<char> marks(a.ink.size(), '.');
    for (std::int32_t y = 0; y < a.height; ++y) {
        for (std::int32_t x = 0; x < a.width; ++x) {
            char& mark = marks[y * a.width + x];
            if (a.At(x, y)) mark = InkNear(b, x, y, tolerance) ? '#' : 'A';
            if (b.At(x, y) && !InkNear(a, x, y, tolerance)) mark = 'B';
            if (mark == 'A') ++result.unmatchedInA;
            if (mark == 'B') ++result.unmatchedInB;
            if (mark == 'A' || mark == 'B') {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
    }
    for (std::int32_t y = std::max(0, top - 2); y <= std::min(a.height - 1, bottom + 2); ++y) {
        result.map += std::to_string(y) + "\t";
        for (std::int32_t x = std::max(0, left - 2); x <= std::min(a.width - 1, right + 2); ++x) {
            result.map += marks[y * a.width + x];
        }
        result.map += '\n';
    }
    return result;
}

std::string InkRows(const InkPicture& picture, std::int32_t left, std::int32_t top,
                    std::int32_t right, std::int32_t bottom) {
    std::string rows;
    for (std::int32_t y = top; y <= bottom; ++y) {
        rows += std::to_string(y) + "\t";
        for (std::int32_t x = left; x <= right; ++x) rows += picture.At(x, y) ? '#' : '.';
        rows += '\n';
    }
    return rows;
}

}  // namespace lutaris::test
