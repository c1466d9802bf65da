// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lutaris {

struct TabSettings;

// The text-to-number rule of the "Tablature Settings" dialog's edit boxes: only the first four
// characters count; leading white space is skipped, an optional sign is read, then digits up to
// the first non-digit; no digits give 0. Both the real and the scripted dialog read through it.
std::int32_t ReadDialogInteger(std::string_view text);

// A whole decimal number with an optional sign, blanks allowed around it; nothing for any
// other text ("", "abc", "3x", "1.5") and for a number beyond 32 bits.
std::optional<std::int32_t> ReadWholeNumber(std::string_view text);

// What one edit box of the dialog accepts: the whole numbers from `min` to `max`. The bounds
// keep a tablature drawable and a twelve-string item with the widest spacings within one
// printed page (about 1000 by 700 pixels at the screen's scale).
struct SettingsBoxRange {
    const char* label;
    std::int32_t min;
    std::int32_t max;
};
inline constexpr std::array<SettingsBoxRange, 5> kSettingsBoxRanges{{
    {"Horizontal Space", 1, 100},
    {"Vertical Space", 1, 60},
    {"Text Float", -60, 60},
    {"String Count", 1, 12},
    {"Next Line Space", 0, 200},
}};

// A box whose text cannot be stored, and what to tell the person about it.
struct SettingsEntryProblem {
    int box;
    std::string message;
};

// What the settings dialog shows and what a person typed into it: the texts of its five edit
// boxes (horizontal space, vertical space, text float, string count, next line space) and the
// state of the "TextOpaque" check box.
struct SettingsDialogEntry {
    std::array<std::string, 5> texts;
    bool textOpaque = false;

    // The boxes as the dialog fills them when it opens: each value as a signed decimal number.
    static SettingsDialogEntry FromSettings(const TabSettings& settings);
    // The first box, in dialog order, that does not hold a whole number in its range; nothing
    // when every box does.
    std::optional<SettingsEntryProblem> FirstProblem() const;
    // Writes each box that holds a whole number as its plain decimal text (" 12" becomes
    // "12"), so that ApplyTo stores exactly the number that FirstProblem accepted.
    void Normalize();
    // What OK does: every box read with ReadDialogInteger into its field, the check box into
    // textOpaque as 1 or 0. The margins have no box and keep their values.
    void ApplyTo(TabSettings& settings) const;
};

}  // namespace lutaris
