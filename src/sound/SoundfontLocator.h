// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lutaris {

// Where Debian installs soundfonts.
inline constexpr std::string_view kSystemSoundsFolder = "/usr/share/sounds";

// The General MIDI soundfont to use when none is chosen: the first readable file found under
// `folder` (a few levels down) named default-GM.sf3, then default-GM.sf2 (the system's choice
// among the installed ones), then TimGM6mb.sf2. Of two files with one name, the one whose path
// sorts first. Nothing when there is none.
std::optional<std::string> FindSoundfont(
    const std::string& folder = std::string(kSystemSoundsFolder));

// The soundfont playback and export load: `chosen` when it is not empty, else FindSoundfont.
// Nothing, with `error` set to a sentence for the person, when there is none to be had.
std::optional<std::string> ResolveSoundfont(
    const std::string& chosen, std::string* error,
    const std::string& folder = std::string(kSystemSoundsFolder));

}  // namespace lutaris
