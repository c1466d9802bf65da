// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "model/TabTextGrid.h"
#include "model/Tablature.h"

namespace lutaris {
namespace {

TabNote Note(std::int32_t fret, std::int32_t string, std::int32_t column,
             std::int32_t action = Normal) {
    return TabNote{fret, string, column, 0, action};
}

std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\n";
    return text;
}

TEST(TabTextWriter, WritesTheWorkedExample) {
    TabSettings settings;
    Tablature item(&settings);
    item.AppendNote(Note(5, 0, 0));
    item.AppendNote(Note(7, 1, 1, HammerOn));
    item.AppendNote(Note(12, 2, 2, Harmonic));
    item.AppendNote(Note(3, 3, 3, Mute));
    item.AppendNote(Note(9, 4, 2, Optional));
    EXPECT_EQ(item.ToText(), Lines({"|-5---------------", "|-----7h----------",
                                    "|--------<12>-----", "|-------------X---",
                                    "|--------(9)------", "|-----------------"}));
}

TEST(TabTextWriter, EveryTechniqueHasItsCell) {
    TabSettings settings;
    settings.numberOfStrings = 1;
    const std::pair<std::int32_t, const char*> cells[] = {
        {Normal, "5---"},    {Mute, "X---"},      {Unmarked, "5---"}, {Vibrato, "5~--"},
        {SlideUp, "5/--"},   {SlideDown, "5\\--"}, {BendUp, "5b--"},   {BendRelease, "5r--"},
        {HammerOn, "5h--"},  {PullOff, "5p--"},   {Tap, "5T--"},      {Harmonic, "<5>-"},
        {Optional, "(5)-"},  {1, "5---"},         {NoNote, "5---"},   {-4, "5---"}};
    for (const auto& [action, cell] : cells) {
        Tablature item(&settings);
        item.AppendNote(Note(5, 0, 1, action));
        const std::string text(item.ToText());
        const bool bracket = cell[0] == '<' || cell[0] == '(';
        // Column 1 starts at position 6; brackets one earlier.
        EXPECT_EQ(text.substr(bracket ? 5 : 6, 4), cell) << "action " << action;
        EXPECT_EQ(text.size(), 11u);  // one line of 4 × 1 + 7 characters
    }
}

TEST(TabTextWriter, LongFretsAreCutToFourCharactersAndBlankFretsShowASpace) {
    TabSettings settings;
    settings.numberOfStrings = 4;
    Tablature item(&settings);
    item.AppendNote(Note(123, 0, 0));
    item.AppendNote(Note(12, 1, 0, HammerOn));
    item.AppendNote(Note(BlankFret, 2, 0, SlideUp));
    item.AppendNote(Note(12, 3, 0, Optional));
    EXPECT_EQ(item.ToText(), Lines({"|-123-", "|-12h-", "|- /--", "|(12)-"}));
}

TEST(TabTextWriter, NegativeFretsKeepTheirSignAndOnlyTheBlankFretIsASpace) {
    TabSettings settings;
    settings.numberOfStrings = 4;
    Tablature item(&settings);
    item.AppendNote(Note(-5, 0, 0, PullOff));
    item.AppendNote(Note(std::numeric_limits<std::int32_t>::min(), 1, 0, Harmonic));
    item.AppendNote(Note(std::numeric_limits<std::int32_t>::max(), 2, 0, Optional));
    item.AppendNote(Note(BlankFret + 1, 3, 0));
    EXPECT_EQ(item.ToText(), Lines({"|--5p-", "|<-21-", "|(214-", "|--97-"}));
    EXPECT_EQ(FormatTextCell(Note(std::numeric_limits<std::int32_t>::min(), 0, 0, Harmonic)).View(),
              "<-2147483648>-");
}

TEST(TabTextWriter, ChordsLineUpAndBracketsInColumnZeroOverwriteTheFirstDash) {
    TabSettings settings;
    settings.numberOfStrings = 3;
    Tablature item(&settings);
    item.AppendNote(Note(3, 0, 0));
    item.AppendNote(Note(10, 1, 0));
    item.AppendNote(Note(7, 2, 0, Harmonic));
    EXPECT_EQ(item.ToText(), Lines({"|-3---", "|-10--", "|<7>--"}));
}

TEST(TabTextWriter, LaterNotesInTheSameCellWin) {
    TabSettings settings;
    settings.numberOfStrings = 1;
    Tablature item(&settings);
    item.AppendNote(Note(4, 0, 0));
    item.AppendNote(Note(9, 0, 0, BendUp));
    EXPECT_EQ(item.ToText(), "|-9b--\n");
}

TEST(TabTextWriter, AnEmptyItemGivesOneBarAndDashPerString) {
    TabSettings settings;
    Tablature item(&settings);
    EXPECT_EQ(item.ToText(), Lines({"|-", "|-", "|-", "|-", "|-", "|-"}));
    settings.numberOfStrings = 0;
    EXPECT_EQ(item.ToText(), "");
    settings.numberOfStrings = -3;
    EXPECT_EQ(item.ToText(), "");
}

TEST(TabTextWriter, NotesOutsideTheGridAreLeftOut) {
    TabSettings settings;
    settings.numberOfStrings = 2;
    Tablature item(&settings);
    item.AppendNote(Note(1, 0, 0));
    item.AppendNote(Note(2, 2, 0));   // no such line
    item.AppendNote(Note(3, -1, 0));  // above the first line
    item.AppendNote(Note(4, 1, -3));  // left of the bar
    EXPECT_EQ(item.ToText(), Lines({"|-1---", "|-----"}));
}

TEST(TabTextWriter, AHugeColumnIsReportedNotBuilt) {
    TabSettings settings;
    Tablature item(&settings);
    item.AppendNote(Note(1, 0, 2147483647));
    EXPECT_THROW(item.ToText(), TextTooLargeError);
    settings.numberOfStrings = 2147483647;
    Tablature narrow(&settings);
    EXPECT_THROW(narrow.ToText(), TextTooLargeError);
    // Both at their largest: the size no longer fits in 64 bits.
    EXPECT_THROW(item.ToText(), TextTooLargeError);
}

TEST(TabTextWriter, EachCallRebuildsTheText) {
    TabSettings settings;
    settings.numberOfStrings = 1;
    Tablature item(&settings);
    item.AppendNote(Note(1, 0, 3));
    EXPECT_EQ(item.ToText().size(), 4u * 3 + 7);
    item.notes.clear();
    EXPECT_EQ(item.ToText(), "|-\n");
    // Wider and with more strings than before, then narrower again: nothing of an earlier
    // text shows through.
    settings.numberOfStrings = 3;
    item.AppendNote(Note(9, 2, 5, Tap));
    EXPECT_EQ(item.ToText(), Lines({"|-------------------------", "|-------------------------",
                                    "|---------------------9T--"}));
    item.notes = {Note(4, 0, 0)};
    settings.numberOfStrings = 2;
    EXPECT_EQ(item.ToText(), Lines({"|-4---", "|-----"}));
}

}  // namespace
}  // namespace lutaris
