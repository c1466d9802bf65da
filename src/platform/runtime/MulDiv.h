// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

namespace lutaris {

// a × b / c with a 64-bit intermediate, rounded to nearest with halves away from zero, the way
// the platform's MulDiv rounds sizes into HIMETRIC. −1 when c is 0 or the result does not fit.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

// HIMETRIC (0.01 mm) per `dotsPerInch`: 2540 per inch.
inline std::int32_t PixelsToHimetric(std::int32_t pixels, std::int32_t dotsPerInch) {
    return MulDiv(pixels, 2540, dotsPerInch);
}
inline std::int32_t HimetricToPixels(std::int32_t himetric, std::int32_t dotsPerInch) {
    return MulDiv(himetric, dotsPerInch, 2540);
}

}  // namespace lutaris
