// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "text/StringLine.h"

namespace lutaris {
namespace {

TEST(StringLine, NamedLinesInTheUsualStylesAreStringLinesWhoseNameGoes) {
    const std::pair<std::string, std::size_t> named[] = {
        {"e|--0--|--3--|", 1}, {"E |-----", 2},   {"  Bb|--5--", 4},  {"D#:--5--", 2},
        {"E{|---------", 2},   {"E||---0---", 1}, {"G|o|---4---", 1}, {"G{|*----0--", 2},
        {"1|--5--", 1},        {"12 |--5--", 3},  {"A|(5)--", 1},     {"g|x-x-x", 1},
        {"B|/7--", 1},         {"\tb|<12>--", 2}, {"e|0---", 1},      {"E|-", 1},
    };
    for (const auto& [line, name] : named) EXPECT_EQ(StringLineNameLength(line), name) << line;
}

TEST(StringLine, LinesWithoutANameStartWithTablature) {
    for (const std::string line : {"|--5--|", "--5--", "  ---", "5---7", "(5)---", "<7>--", "[7]--",
                                   "{10}-", "x--", "X--", "/7--", "\\5--", "12-14"}) {
        EXPECT_EQ(StringLineNameLength(line), 0u) << line;
    }
}

TEST(StringLine, LabelsBeforeANameAreNoTablature) {
    EXPECT_EQ(StringLineNameLength("[ST] B|-------1---"), 6u);
    EXPECT_EQ(StringLineNameLength("  Bb            E|--6-6-"), 17u);
    EXPECT_EQ(StringLineNameLength("F7 E |--6-"), 5u);
    // Behind a label only a bar separates a name: "14:10" in a date is no string.
    EXPECT_EQ(StringLineNameLength("date: 2015-01-14 14:10:24"), std::nullopt);
}

TEST(StringLine, HeadingsChordNamesAndLyricsWithADashAreNot) {
    for (const std::string line :
         {"Intro - play twice", "Riff A-1  taken from a friend's tab", "C  B  Em  Am - Em7",
          "     C    B   Em   Am  - Em7  E7", "1:New blood joins this earth -", "(Intro - slow)",
          "[Chorus - twice]", "[2nd guitar is missing here - todo]", "(5 - 7)", "      NH------|",
          "R|-v---v---^-|", "Pre-Chorus", "D -S - al coda", "      Black     -     bird,", "e| - -",
          "   D-dim               Cm", ""}) {
        EXPECT_EQ(StringLineNameLength(line), std::nullopt) << line;
    }
    // Tablature needs a dash; a line of bars alone (a beat count) is none.
    EXPECT_EQ(StringLineNameLength("|   |   |"), std::nullopt);
    EXPECT_EQ(StringLineNameLength("e|0 2 3|"), std::nullopt);
    EXPECT_EQ(StringLineNameLength("-"), 0u);
}

}  // namespace
}  // namespace lutaris
