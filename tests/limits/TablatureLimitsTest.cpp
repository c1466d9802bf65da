// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <span>

#include "limits/AllocationProbe.h"
#include "model/TabSettings.h"
#include "model/Tablature.h"
#include "platform/files/Archive.h"

namespace lutaris {
namespace {

using test::AllocationProbe;

// A tab-item record whose note count is `count`, followed by `notes` whole notes.
std::vector<std::uint8_t> Record(std::int32_t count, int notes) {
    Archive out;
    std::uint8_t reserved[Tablature::kReservedBlockSize] = {};
    out.WriteRaw(reserved, sizeof reserved);
    out.WriteInt32(0);
    out.WriteInt32(count);
    for (int i = 0; i < notes; ++i) {
        TabNote note{i, 0, i, 0, Normal};
        note.Serialize(out);
    }
    return out.TakeStoredBytes();
}

TEST(TablatureLimits, ALyingNoteCountEndsAtTheDataWithoutReservingForIt) {
    for (const std::int32_t count : {std::numeric_limits<std::int32_t>::max(), 1 << 24, 5000}) {
        const auto bytes = Record(count, 3);
        TabSettings settings;
        Tablature item(&settings);
        Archive archive{std::span<const std::uint8_t>(bytes)};
        AllocationProbe probe;
        EXPECT_THROW(item.Serialize(archive), ArchiveEndOfFile) << count;
        probe.Report("tab item claiming " + std::to_string(count) + " notes");
        // Three notes are all there is: growing the list for them (and the error's message)
        // is all that may be asked, whatever the count said.
        EXPECT_LE(probe.LargestRequest(), 1024u) << count;
        EXPECT_LE(probe.TotalRequested(), 4096u) << count;
    }
}

TEST(TablatureLimits, NegativeCountsReadNothingAndAllocateNothing) {
    const auto bytes = Record(std::numeric_limits<std::int32_t>::min(), 0);
    TabSettings settings;
    Tablature item(&settings);
    Archive archive{std::span<const std::uint8_t>(bytes)};
    AllocationProbe probe;
    item.Serialize(archive);
    EXPECT_TRUE(item.notes.empty());
    EXPECT_EQ(probe.RequestCount(), 0u);
}

}  // namespace
}  // namespace lutaris
