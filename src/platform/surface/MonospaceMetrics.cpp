// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/surface/MonospaceMetrics.h"

namespace lutaris {
namespace {

constexpr std::int64_t kUnitsPerEm = 2048;
constexpr std::int64_t kAdvance = 1229;
constexpr std::int64_t kAscent = 1705;
constexpr std::int64_t kDescent = 615;

std::int32_t RoundedScale(std::int64_t units, std::int32_t pixelSize) {
    return static_cast<std::int32_t>((units * pixelSize + kUnitsPerEm / 2) / kUnitsPerEm);
}

}  // namespace

MonospaceMetrics::MonospaceMetrics(std::int32_t pixelSize)
    : ascent(RoundedScale(kAscent, pixelSize)),
      descent(RoundedScale(kDescent, pixelSize)),
      // The engine keeps each advance in 1/64 pixel, truncated.
      advance64_(kAdvance * pixelSize * 64 / kUnitsPerEm) {}

std::int32_t MonospaceMetrics::Advance(std::string_view text) const {
    const std::int64_t total = advance64_ * static_cast<std::int64_t>(text.size());
    return static_cast<std::int32_t>((total + 32) / 64);
}

}  // namespace lutaris
