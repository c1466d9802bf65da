// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "limits/AllocationProbe.h"
#include "platform/files/PrivateProfile.h"
#include "support/TestPaths.h"

namespace lutaris {
namespace {

using test::AllocationProbe;
using test::TempDir;

constexpr std::size_t kMebibyte = std::size_t{1} << 20;

// The settings file is the user's to name: a huge file costs one bounded read, whatever its
// size or whether the section is in it.
TEST(PrivateProfileLimits, AHugeFileIsReadOnlyToItsFirstMebibyte) {
    TempDir dir;
    const auto path = dir / "Lutaris.ini";
    {
        std::ofstream out(path, std::ios::binary);
        out << "[TAB]\nleftMargin=7\n";
    }
    // Sparse: a gibibyte on disk costs nothing to make, but would cost a gibibyte to load.
    std::filesystem::resize_file(path, std::uintmax_t{1} << 30);
    AllocationProbe probe;
    EXPECT_EQ(GetPrivateProfileInt("TAB", "leftMargin", 1, path.string()), 7);
    EXPECT_EQ(GetPrivateProfileInt("TAB", "topMargin", 1, path.string()), 1);
    probe.Report("two reads of a 1 GiB settings file");
    EXPECT_LE(probe.LargestRequest(), kMebibyte + 64);
}

TEST(PrivateProfileLimits, AValueOfAMillionDigitsIsOneNumber) {
    const std::string content = "[TAB]\nleftMargin=" + std::string(1000000, '9') + "\n";
    AllocationProbe probe;
    GetProfileIntFromText(content, "TAB", "leftMargin", 1);
    probe.Report("a value of a million digits");
    EXPECT_LE(probe.LargestRequest(), 1024u);  // the value is looked at where it stands
}

}  // namespace
}  // namespace lutaris
