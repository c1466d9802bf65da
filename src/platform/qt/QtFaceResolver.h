// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QString>
#include <string>

namespace lutaris {

// The Qt family a logical face name is drawn with. The renderer's face "Courier" is resolved
// here, to Liberation Mono, whose metrics the text cells are built on (MonospaceMetrics): left
// to the machine's font configuration, "Courier" is whatever font claims the name, and with
// Ghostscript's fonts installed that is a face of other widths and depths.
class QtFaceResolver {
public:
    static constexpr const char* kMonospaceFamily = "Liberation Mono";
    static constexpr const char* kMonospacePackage = "fonts-liberation";

    // Liberation Mono for "Courier" (in any case): the installed family, or else the family
    // loaded from the files fonts-liberation installs under the data folders; without either,
    // the system's fixed-pitch family, after one line on standard error naming the package.
    // Any other name is passed on as it is.
    static QString Family(const std::string& faceName);
};

}  // namespace lutaris
