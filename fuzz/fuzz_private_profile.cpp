// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// The settings-file reader: whatever the file holds, each read ends with a number, quickly,
// and the names match without regard to case.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/files/PrivateProfile.h"

namespace {

constexpr const char* kKeys[] = {"leftMargin",      "topMargin",       "horizontalSpacing",
                                 "verticalSpacing", "textFloat",       "numberOfStrings",
                                 "nextLineSpacing", "textOpaque"};
constexpr const char* kKeysOtherCase[] = {"LEFTMARGIN",      "topmargin",       "HorizontalSpacing",
                                          "VERTICALSPACING", "textfloat",       "NUMBEROFSTRINGS",
                                          "nextlinespacing", "TextOpaque"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    for (std::size_t i = 0; i < std::size(kKeys); ++i) {
        const auto value = lutaris::GetProfileIntFromText(content, "TAB", kKeys[i], -12345);
        const auto again = lutaris::GetProfileIntFromText(content, "tab", kKeysOtherCase[i], -12345);
        if (value != again) std::abort();
    }
    lutaris::ParseLeadingDecimal(content);
    return 0;
}
