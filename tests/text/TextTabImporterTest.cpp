// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/TextLineReader.h"
#include "text/TextTabImporter.h"

namespace lutaris {
namespace {

TabNote Note(std::int32_t fret, std::int32_t string, std::int32_t column,
             std::int32_t action = Normal) {
    return TabNote{fret, string, column, 0, action};
}

// Lines of a block, padded with plain string lines to the four a block needs, and closed by an
// empty line.
std::string System(std::initializer_list<std::string> lines) {
    std::string text;
    int count = 0;
    for (const auto& line : lines) {
        text += line + "\n";
        ++count;
    }
    for (; count < 4; ++count) text += "-\n";
    return text + "\n";
}

// What the document holds while it imports: the empty item of the reset, with the caret on it.
struct ImportRun {
    explicit ImportRun(TextImportLimits limits = {})
        : importer(&settings, items, current, limits) {}

    TextTabImporter::Status Import(std::string_view text) {
        TextLineReader reader;
        reader.SetText(text);
        return importer.AddLines(reader);
    }
    std::vector<TabNote>& NotesOf(std::size_t item) { return items.at(item)->notes; }

    TabSettings settings;
    std::vector<std::unique_ptr<Tablature>> items = MakeFirstItem(&settings);
    Tablature* current = items.front().get();
    TextTabImporter importer;

    static std::vector<std::unique_ptr<Tablature>> MakeFirstItem(TabSettings* settings) {
        std::vector<std::unique_ptr<Tablature>> first;
        first.push_back(std::make_unique<Tablature>(settings));
        return first;
    }
};

// The notes of the first item after importing `text` afresh.
std::vector<TabNote> FirstItemNotes(std::string_view text) {
    ImportRun run;
    run.Import(text);
    return run.NotesOf(0);
}

class TextTabImporterTest : public ::testing::Test, public ImportRun {};

TEST_F(TextTabImporterTest, NotesStartingTogetherShareAColumnAndAClosedNoteDoesNot) {
    Import(System({"--3--", "--5--"}) + System({"---5-", "--3--"}) + System({"--3--", "---5-"}));
    EXPECT_EQ(NotesOf(0), (std::vector<TabNote>{Note(3, 0, 0), Note(5, 1, 0),  //
                                                Note(3, 1, 1), Note(5, 0, 1),  //
                                                Note(3, 0, 2), Note(5, 1, 3)}));
    EXPECT_EQ(items.size(), 1u);
}

TEST_F(TextTabImporterTest, DigitRunsAndMutesBuildOneNote) {
    Import(System({"-12-123-3h5-5x--x-x5-"}));
    EXPECT_EQ(NotesOf(0),
              (std::vector<TabNote>{Note(12, 0, 0), Note(123, 0, 1), Note(3, 0, 2, HammerOn),
                                    Note(5, 0, 3), Note(5, 0, 4), Note(0, 0, 5, Mute),
                                    Note(5, 0, 6, Mute)}));
}

TEST_F(TextTabImporterTest, SuffixesGiveTheirTechniques) {
    Import(System({"(5)-<7>-[8]-{9}-4*-1~-2b-3r-6p-5/7-5\\3-"}));
    EXPECT_EQ(
        NotesOf(0),
        (std::vector<TabNote>{
            Note(5, 0, 0, Optional), Note(7, 0, 1, Harmonic), Note(8, 0, 2, Harmonic),
            Note(9, 0, 3, Harmonic), Note(4, 0, 4, Harmonic), Note(1, 0, 5, Vibrato),
            Note(2, 0, 6, BendUp), Note(3, 0, 7, BendRelease), Note(6, 0, 8, PullOff),
            Note(5, 0, 9, SlideUp), Note(7, 0, 10), Note(5, 0, 11, SlideDown), Note(3, 0, 12)}));
}

TEST_F(TextTabImporterTest, CapitalLettersOnlyCloseTheNote) {
    Import(System({"-5H7-5P7-5B7-5R7-5T-"}));
    std::vector<TabNote> expected;
    for (int i = 0; i < 4; ++i) {
        expected.push_back(Note(5, 0, 2 * i));
        expected.push_back(Note(7, 0, 2 * i + 1));
    }
    expected.push_back(Note(5, 0, 8));
    EXPECT_EQ(NotesOf(0), expected);
}

TEST_F(TextTabImporterTest, SlashesWithoutANoteMakeBlankNotesInColumnsOfTheirOwn) {
    // The second slash stands beside an open note on another string, yet takes a new column.
    Import(System({"--/--55-", "--\\---\\"}));
    EXPECT_EQ(NotesOf(0), (std::vector<TabNote>{Note(BlankFret, 0, 0, SlideUp),
                                                Note(BlankFret, 1, 1, SlideDown), Note(55, 0, 2),
                                                Note(BlankFret, 1, 3, SlideDown)}));
}

TEST_F(TextTabImporterTest, CharactersAfterASecondNoteInAColumnGoToTheFirstNoteThere) {
    Import(System({"5-67", "77---"}));
    EXPECT_EQ(NotesOf(0), (std::vector<TabNote>{Note(57, 0, 0), Note(77, 1, 0), Note(6, 0, 0)}));
}

TEST_F(TextTabImporterTest, ABlankNoteFirstInItsCellTakesTheDigitsOfALaterNote) {
    // The 7 joins the slash's column on string 1 while string 0 is open; the 3 after it then
    // lands on the blank note, the first note at that place.
    Import(System({"55--", "/73-"}));
    EXPECT_EQ(NotesOf(0),
              (std::vector<TabNote>{Note(55, 0, 0), Note(-977, 1, 1, SlideUp), Note(7, 1, 1)}));
}

TEST_F(TextTabImporterTest, EachMeasureOfTheTopLineIsOneItemWithoutPhantoms) {
    // Neither the string names before the first bar nor the bar that ends the line make an
    // item: the reset's item takes the first measure, and the second system goes on after.
    const std::string first = System({"e|--0--|--3--|", "B|--1--|--3--|", "G|--0--|--0--|",
                                      "D|--2--|--0--|", "A|--3--|--2--|", "E|-----|--3--|"});
    Import(first + System({"e|--5--|", "B|--5--|", "G|-----|", "D|-----|"}));
    ASSERT_EQ(items.size(), 3u);
    for (std::size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i]->position, int(i));
    EXPECT_EQ(NotesOf(0), (std::vector<TabNote>{Note(0, 0, 0), Note(1, 1, 0), Note(0, 2, 0),
                                                Note(2, 3, 0), Note(3, 4, 0)}));
    EXPECT_EQ(NotesOf(1), (std::vector<TabNote>{Note(3, 0, 0), Note(3, 1, 0), Note(0, 2, 0),
                                                Note(0, 3, 0), Note(2, 4, 0), Note(3, 5, 0)}));
    EXPECT_EQ(NotesOf(2), (std::vector<TabNote>{Note(5, 0, 0), Note(5, 1, 0)}));
    EXPECT_EQ(current, items.back().get());
    EXPECT_EQ(items[2]->settings, &settings);
}

TEST_F(TextTabImporterTest, AnEmptyMeasureTheAuthorWroteKeepsItsItemAndDoubleBarsMakeNone) {
    Import(System({"|-----||--3--|o|--5--|", "|-----||--3--|o|-----|"}));
    ASSERT_EQ(items.size(), 3u);
    EXPECT_TRUE(NotesOf(0).empty());
    EXPECT_EQ(NotesOf(1), (std::vector<TabNote>{Note(3, 0, 0), Note(3, 1, 0)}));
    EXPECT_EQ(NotesOf(2), (std::vector<TabNote>{Note(5, 0, 0)}));
}

TEST_F(TextTabImporterTest, NotesBeforeTheFirstBarKeepTheirItem) {
    // The reset's item holds notes already, so the first bar starts an item of its own; a
    // measure whose only note stands below the top line, at the bar's own position, has one.
    Import(System({"-1-|---|", "---3---|"}));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(NotesOf(0), std::vector<TabNote>{Note(1, 0, 0)});
    EXPECT_EQ(NotesOf(1), std::vector<TabNote>{Note(3, 1, 0)});
}

TEST_F(TextTabImporterTest, ATopLineShorterThanTheOthersLosesNoMeasure) {
    // Hand-written: the top string's line stops after its first bar.
    Import(System({"e|--0--|", "B|--1--|--3--|-5--", "G|--0--|--0--|"}));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(NotesOf(0), (std::vector<TabNote>{Note(0, 0, 0), Note(1, 1, 0), Note(0, 2, 0)}));
    // Past the top line's end no bar starts an item: the third measure's 5 joins the second.
    EXPECT_EQ(NotesOf(1), (std::vector<TabNote>{Note(3, 1, 0), Note(0, 2, 0), Note(5, 1, 1)}));
}

TEST_F(TextTabImporterTest, AnExportedItemWithoutNotesComesBack) {
    Import(System({"|-5--", "|----"}) + System({"|-", "|-"}) + System({"|---7", "|----"}));
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(NotesOf(0), std::vector<TabNote>{Note(5, 0, 0)});
    EXPECT_TRUE(NotesOf(1).empty());
    EXPECT_EQ(NotesOf(2), std::vector<TabNote>{Note(7, 0, 0)});
}

TEST_F(TextTabImporterTest, StringNamesAndLabelsAreNoNotes) {
    Import(System({"1|-5-", "2|---", "3|-7-", "[x4] 4|---", "F7  5 |---", "6:--3"}));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(NotesOf(0), (std::vector<TabNote>{Note(5, 0, 0), Note(7, 2, 0), Note(3, 5, 1)}));
}

TEST_F(TextTabImporterTest, ABarBelowTheTopLineIsAnOrdinaryCharacter) {
    Import(System({"-5--7-", "-|3|--"}));
    ASSERT_EQ(items.size(), 1u);
    // The bar closes nothing that is not open and starts nothing; the 3 joins no column.
    EXPECT_EQ(NotesOf(0), (std::vector<TabNote>{Note(5, 0, 0), Note(3, 1, 1), Note(7, 0, 2)}));
}

TEST_F(TextTabImporterTest, TheColumnCounterRunsOnAcrossBlocksUntilABar) {
    Import(System({"-1-2-"}) + "words\n" + System({"-3-"}) + System({"|-4-"}) + System({"-5"}));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(NotesOf(0), (std::vector<TabNote>{Note(1, 0, 0), Note(2, 0, 1), Note(3, 0, 2)}));
    EXPECT_EQ(NotesOf(1), (std::vector<TabNote>{Note(4, 0, 0), Note(5, 0, 1)}));
}

TEST_F(TextTabImporterTest, EmptyColumnsAreNotKept) {
    Import(System({"|--5-------7--"}));
    EXPECT_EQ(NotesOf(0), (std::vector<TabNote>{Note(5, 0, 0), Note(7, 0, 1)}));
}

TEST_F(TextTabImporterTest, HeadingsAndChordLinesWithADashCloseTheBlockInsteadOfJoiningIt) {
    const std::string system = "|-0-\n|-1-\n|-0-\n|-2-\n|-3-\n|---\n";
    Import("Intro - play twice\n" + system + "C  B  Em  Am - Em7\n" + system +
           "Riff A-1 taken from a friend\n" + system);
    // Every system keeps its six strings and its bar: the low string stays on the staff.
    ASSERT_EQ(items.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(NotesOf(i), (std::vector<TabNote>{Note(0, 0, 0), Note(1, 1, 0), Note(0, 2, 0),
                                                    Note(2, 3, 0), Note(3, 4, 0)}))
            << "system " << i;
    }
    EXPECT_EQ(importer.CommonStringCount(), 6);
}

TEST_F(TextTabImporterTest, BlocksOfFewerThanFourLinesAreDropped) {
    Import("-1-\n-2-\n-3-\n\n" + System({"-4-"}));
    EXPECT_EQ(NotesOf(0), (std::vector<TabNote>{Note(4, 0, 0)}));
}

TEST_F(TextTabImporterTest, LinesPastTheSeventhOfABlockAreIgnored) {
    std::string text;
    for (int k = 0; k < 9; ++k) text += "-" + std::to_string(k) + "-\n";
    Import(text + "\n");
    ASSERT_EQ(NotesOf(0).size(), 7u);
    for (int k = 0; k < 7; ++k) EXPECT_EQ(NotesOf(0)[std::size_t(k)], Note(k, k, 0));
}

TEST(TextTabImporter, TheEndOfTheInputClosesABlockLikeAnEmptyLine) {
    // A tab whose last system runs to the end of the file, with or without a last line end.
    const std::vector<TabNote> four{Note(1, 0, 0), Note(2, 1, 0), Note(3, 2, 0), Note(4, 3, 0)};
    EXPECT_EQ(FirstItemNotes("-1-\n-2-\n-3-\n-4-\n"), four);
    EXPECT_EQ(FirstItemNotes("-1-\n-2-\n-3-\n-4-"), four);
    EXPECT_EQ(FirstItemNotes("-1-\n-2-\n-3-\n-4-\nend"), four);
    // A note at the very end of the top line is closed by the end as by a line feed.
    EXPECT_EQ(FirstItemNotes("-1-\n-2-\n-3-\n-45"),
              (std::vector<TabNote>{Note(1, 0, 0), Note(2, 1, 0), Note(3, 2, 0), Note(45, 3, 0)}));
    // Too few lines are dropped there as anywhere else, and nothing is read twice.
    EXPECT_TRUE(FirstItemNotes("-1-\n-2-\n-3-").empty());
    EXPECT_TRUE(FirstItemNotes("").empty());
    EXPECT_EQ(FirstItemNotes(System({"-1-"})).size(), 1u);
}

TEST_F(TextTabImporterTest, AShortLineReadsNothingOfALongerLineBeforeIt) {
    // The second block's string 1 is short where the first block's was long: its slot must not
    // show the old characters.
    Import(System({"-------", "------9"}) + System({"-1-----", "-"}));
    EXPECT_EQ(NotesOf(0), (std::vector<TabNote>{Note(9, 1, 0), Note(1, 0, 1)}));
}

TEST_F(TextTabImporterTest, LongLinesAreReadWhole) {
    const std::string dashes(600, '-');
    Import(System({dashes + "1" + dashes + "2", dashes + "3"}));
    EXPECT_EQ(NotesOf(0), (std::vector<TabNote>{Note(1, 0, 0), Note(3, 1, 0), Note(2, 0, 1)}));
}

TEST(TextTabImporter, CarriageReturnsEndLinesLikeLineFeeds) {
    const std::string lf = System({"-1-", "-2-"}) + System({"-3-", "-4-"});
    std::string crlf, cr, crcrlf;
    for (char c : lf) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        cr += c == '\n' ? '\r' : c;
        crcrlf += c == '\n' ? std::string("\r\r\n") : std::string(1, c);
    }
    const std::vector<TabNote> expected{Note(1, 0, 0), Note(2, 1, 0), Note(3, 0, 1), Note(4, 1, 1)};
    EXPECT_EQ(FirstItemNotes(lf), expected);
    EXPECT_EQ(FirstItemNotes(crlf), expected);
    EXPECT_EQ(FirstItemNotes(cr), expected);
    EXPECT_EQ(FirstItemNotes(crcrlf), expected);
}

TEST(TextTabImporter, NotesGoOnAfterWhatTheFirstItemAlreadyHolds) {
    // An item that already has a note where the import puts its first column: the digits after
    // a new note there go to the older note, the first at that place.
    TabSettings settings;
    std::vector<std::unique_ptr<Tablature>> items;
    items.push_back(std::make_unique<Tablature>(&settings));
    items.front()->AppendNote(Note(4, 0, 0));
    Tablature* current = items.front().get();
    TextTabImporter importer(&settings, items, current);
    const std::string text = System({"17-"});
    TextLineReader reader;
    reader.SetText(text);
    importer.AddLines(reader);
    EXPECT_EQ(items.front()->notes, (std::vector<TabNote>{Note(47, 0, 0), Note(1, 0, 0)}));
}

TEST_F(TextTabImporterTest, HugeFretsStopAtTheLimitsOf32Bits) {
    Import(System({"-99999999999999-"}) +
           System({"55" + std::string(14, '-'), "/7" + std::string(14, '3') + "-"}));
    EXPECT_EQ(NotesOf(0),
              (std::vector<TabNote>{Note(2147483647, 0, 0), Note(55, 0, 1),
                                    Note(-2147483647 - 1, 1, 2, SlideUp), Note(7, 1, 2)}));
}

TEST(TextTabImporter, ImportsStopAtTheItemAndNoteLimits) {
    ImportRun bars({.maxTabItems = 3, .maxNotes = 100});
    EXPECT_EQ(bars.Import(System({"|-1-|-2-|-3-|-4-|"})), TextTabImporter::Status::TooManyTabItems);
    EXPECT_EQ(bars.items.size(), 3u);
    EXPECT_EQ(bars.importer.NotesCreated(), 3u);
    // Nothing more is read after a failure.
    bars.importer.AddLine("");
    EXPECT_EQ(bars.items.size(), 3u);

    ImportRun notes({.maxTabItems = 3, .maxNotes = 5});
    EXPECT_EQ(notes.Import(System({"-1-2-3-", "-4-5-6-"})), TextTabImporter::Status::TooManyNotes);
    EXPECT_EQ(notes.NotesOf(0).size(), 5u);
}

TEST(TextTabImporter, TheStringCountIsTheOneEveryConvertedBlockShares) {
    const auto countOf = [](std::string_view text) {
        ImportRun run;
        run.Import(text);
        return run.importer.CommonStringCount();
    };
    const std::string four = "G|-5-\nD|---\nA|---\nE|---\n\n";
    EXPECT_EQ(countOf(four + four), 4);
    EXPECT_EQ(countOf(four + "-1-\n-2-\n-3-\n\n"), 4);  // too short to be converted
    EXPECT_EQ(countOf("-\n-\n-\n-\n-\n-\n-\n"), 7);
    EXPECT_EQ(countOf("-\n-\n-\n-\n-\n-\n-\n-\n"), 7);  // the eighth line is dropped
    EXPECT_EQ(countOf(four + System({"-", "-", "-", "-", "-"})), std::nullopt);
    EXPECT_EQ(countOf("Intro - no tablature here\n"), std::nullopt);
    EXPECT_EQ(countOf(""), std::nullopt);
}

}  // namespace
}  // namespace lutaris
