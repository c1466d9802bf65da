// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "limits/AllocationProbe.h"
#include "model/TabSettings.h"
#include "model/TabTextGrid.h"
#include "model/Tablature.h"

namespace lutaris {
namespace {

using test::AllocationProbe;

// A damaged document can hold any string count and any column; writing an item as text must
// never build more than the text it returns, and never more than the writer's limit.
TEST(TabTextGridLimits, AnItemWithoutStringsBuildsNothingWhateverItsColumns) {
    for (const std::int32_t strings : {0, -1, std::numeric_limits<std::int32_t>::min()}) {
        TabSettings settings;
        settings.numberOfStrings = strings;
        Tablature item(&settings);
        item.AppendNote(TabNote{1, 0, std::numeric_limits<std::int32_t>::max() / 4 - 2, 0, Normal});
        AllocationProbe probe;
        EXPECT_EQ(item.ToText(), "") << strings;
        probe.Report("text of an item with " + std::to_string(strings) + " strings");
        EXPECT_LE(probe.LargestRequest(), 1024u) << strings;
    }
}

TEST(TabTextGridLimits, TextsBeyondTheLimitAreRefusedBeforeAllocating) {
    struct Case {
        std::int32_t strings;
        std::int32_t column;
    };
    for (const auto& [strings, column] :
         {Case{std::numeric_limits<std::int32_t>::max(), 0}, Case{1, 1 << 25},
          Case{6, std::numeric_limits<std::int32_t>::max()}, Case{4096, 4096}}) {
        TabSettings settings;
        settings.numberOfStrings = strings;
        Tablature item(&settings);
        item.AppendNote(TabNote{1, 0, column, 0, Normal});
        AllocationProbe probe;
        EXPECT_THROW(item.ToText(), TextTooLargeError) << strings << " × " << column;
        EXPECT_LE(probe.LargestRequest(), 1024u) << strings << " × " << column;
    }
}

}  // namespace
}  // namespace lutaris
