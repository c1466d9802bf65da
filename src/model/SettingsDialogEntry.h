#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lutaris {

struct TabSettings;

// The text-to-number rule of the "Tablature Settings" dialog's edit boxes: only the first four
// characters count; leading white space is skipped, an optional sign is read, then digits up to
// the first non-digit; no digits give 0. Both the real and the scripted dialog read through it.
std::int32_t ReadDialogInteger(std::string_view text);

// What the settings dialog shows and what a person typed into it: the texts of its five edit
// boxes (horizontal space, vertical space, text float, string count, next line space) and the
// state of the "TextOpaque" check box.
struct SettingsDialogEntry {
    std::array<std::string, 5> texts;
    bool textOpaque = false;

    // The boxes as the dialog fills them when it opens: each value as a signed decimal number.
    static SettingsDialogEntry FromSettings(const TabSettings& settings);
    // What OK does: every box read with ReadDialogInteger into its field, the check box into
    // textOpaque as 1 or 0. The margins have no box and keep their values.
    void ApplyTo(TabSettings& settings) const;
};

}  // namespace lutaris
