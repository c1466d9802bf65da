// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

namespace lutaris {

// The Windows virtual-key codes that the caret's key map and the view's key handling speak.
// The Qt half translates key events into these in one place.
namespace vk {

inline constexpr std::int32_t Back = 8;
inline constexpr std::int32_t Escape = 27;
inline constexpr std::int32_t PageUp = 33;
inline constexpr std::int32_t PageDown = 34;
inline constexpr std::int32_t End = 35;
inline constexpr std::int32_t Home = 36;
inline constexpr std::int32_t Left = 37;
inline constexpr std::int32_t Up = 38;
inline constexpr std::int32_t Right = 39;
inline constexpr std::int32_t Down = 40;
inline constexpr std::int32_t Delete = 46;
inline constexpr std::int32_t Digit0 = 48;
inline constexpr std::int32_t Digit9 = 57;
inline constexpr std::int32_t A = 65;
inline constexpr std::int32_t B = 66;
inline constexpr std::int32_t H = 72;
inline constexpr std::int32_t O = 79;
inline constexpr std::int32_t P = 80;
inline constexpr std::int32_t R = 82;
inline constexpr std::int32_t S = 83;
inline constexpr std::int32_t T = 84;
inline constexpr std::int32_t X = 88;
inline constexpr std::int32_t Z = 90;
inline constexpr std::int32_t Numpad0 = 96;
inline constexpr std::int32_t Numpad9 = 105;
inline constexpr std::int32_t Oem2 = 191;  // the key that carries / and ?
inline constexpr std::int32_t Oem3 = 192;  // the key that carries ` and ~
inline constexpr std::int32_t Oem5 = 220;  // the key that carries \ and |

// Page Up, Page Down, End and Home scroll the view and never reach the caret.
inline constexpr bool IsScrollKey(std::int32_t code) { return code >= PageUp && code <= Home; }

}  // namespace vk
}  // namespace lutaris
