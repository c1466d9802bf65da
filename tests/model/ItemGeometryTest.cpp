// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "model/ItemGeometry.h"

namespace lutaris {
namespace {

constexpr std::int64_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kIntMax = std::numeric_limits<std::int32_t>::max();

TabSettings Settings(std::int32_t hs, std::int32_t vs, std::int32_t textFloat, std::int32_t strings,
                     std::int32_t nextLine) {
    TabSettings settings;
    settings.horizontalSpacing = hs;
    settings.verticalSpacing = vs;
    settings.textFloat = textFloat;
    settings.numberOfStrings = strings;
    settings.nextLineSpacing = nextLine;
    return settings;
}

// Points around each of `count + 2` places (one before the first and one after the last), from
// a spacing before to a spacing after it, as far as 32 bits reach.
std::vector<std::int32_t> PointsAround(std::int64_t (*place)(const ItemGeometry&, std::int64_t),
                                       const ItemGeometry& geometry, std::int64_t count,
                                       std::int64_t spacing) {
    std::vector<std::int32_t> points;
    const std::int64_t reach = std::max<std::int64_t>(std::llabs(spacing), 2);
    const std::int64_t step = std::max<std::int64_t>(1, reach / 16);
    for (std::int64_t index = -1; index <= count; ++index) {
        for (std::int64_t offset = -reach; offset <= reach; offset += step) {
            for (const std::int64_t nudge : {-1, 0, 1}) {
                const std::int64_t point = place(geometry, index) + offset + nudge;
                if (point >= kIntMin && point <= kIntMax)
                    points.push_back(static_cast<std::int32_t>(point));
            }
        }
    }
    return points;
}

// The inverse hit tests against the forward geometry: for every point, the column and string it
// gives lie where a text cell starts or a string line runs, and no other column or string in
// range lies nearer (the distance grows away from the nearest one, so its neighbours suffice).
// Where two are equally near either may win; the column's truncating division may also pick the
// farther one by a unit, which only odd spacings show. Settings as the settings file gives them,
// odd ones, negative ones, degenerate ones and damaged ones at the 32-bit limits.
TEST(ItemGeometryTest, TheInverseFindsTheNearestCellAndLineOverAGridOfPoints) {
    constexpr std::int32_t kMaxColumn = 9;
    const std::vector<TabSettings> cases = {
        Settings(24, 12, 8, 6, 30),
        Settings(25, 13, 5, 7, 31),
        Settings(-20, -14, -3, 4, -9),
        Settings(1, 1, 0, 1, 0),
        Settings(2, 3, 40, 12, 1),
        Settings(0, 0, 0, 6, 30),
        Settings(100000, 70001, 9, 3, 2000001),
        Settings(std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min(),
                 std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(),
                 std::numeric_limits<std::int32_t>::max()),
    };
    for (const TabSettings& settings : cases) {
        SCOPED_TRACE("spacings " + std::to_string(settings.horizontalSpacing) + ", " +
                     std::to_string(settings.verticalSpacing));
        const ItemGeometry geometry(settings);
        const std::int64_t hs = settings.horizontalSpacing;
        const std::int64_t tie = std::llabs(hs) % 2;

        const auto cellLeft = [](const ItemGeometry& g, std::int64_t c) { return g.CellLeft(c); };
        for (const std::int32_t x : PointsAround(cellLeft, geometry, kMaxColumn + 2, hs)) {
            const std::int32_t column = geometry.ColumnAt(x, kMaxColumn);
            ASSERT_GE(column, 0) << x;
            ASSERT_LE(column, kMaxColumn + 1) << x;
            const auto distance = [&](std::int64_t c) {
                return std::llabs(x - geometry.CellLeft(c));
            };
            if (column > 0) {
                EXPECT_LE(distance(column), distance(column - 1) + tie) << x;
            }
            if (column <= kMaxColumn) {
                EXPECT_LE(distance(column), distance(column + 1) + tie) << x;
            }
        }
        for (std::int32_t column = 0; column <= kMaxColumn + 1; ++column) {
            const std::int64_t left = geometry.CellLeft(column);
            if (left >= kIntMin && left <= kIntMax && std::llabs(hs) > 1) {
                EXPECT_EQ(geometry.ColumnAt(static_cast<std::int32_t>(left), kMaxColumn), column);
            }
        }

        const std::int64_t lastString = std::max(0, settings.numberOfStrings - 1);
        const auto line = [](const ItemGeometry& g, std::int64_t k) { return g.StringLine(k); };
        const std::int64_t strings = std::min<std::int64_t>(lastString + 1, 40);
        for (const std::int32_t y :
             PointsAround(line, geometry, strings, settings.verticalSpacing)) {
            const std::int32_t string = geometry.StringAt(y);
            ASSERT_GE(string, 0) << y;
            ASSERT_LE(string, lastString) << y;
            const auto distance = [&](std::int64_t k) {
                return std::llabs(y - geometry.StringLine(k));
            };
            if (string > 0) {
                EXPECT_LE(distance(string), distance(string - 1)) << y;
            }
            if (string < lastString) {
                EXPECT_LE(distance(string), distance(string + 1)) << y;
            }
        }
        for (std::int32_t string = 0; string < strings; ++string) {
            const std::int64_t y = geometry.StringLine(string);
            if (y >= kIntMin && y <= kIntMax && settings.verticalSpacing != 0) {
                EXPECT_EQ(geometry.StringAt(static_cast<std::int32_t>(y)), string);
            }
        }
    }
}

}  // namespace
}  // namespace lutaris
