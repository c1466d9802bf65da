// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "model/SettingsDialogEntry.h"
#include "model/TabSettings.h"

namespace lutaris {
namespace {

TEST(ReadDialogInteger, ReadsOnlyTheFirstFourCharacters) {
    EXPECT_EQ(ReadDialogInteger("12345"), 1234);
    EXPECT_EQ(ReadDialogInteger("-7"), -7);
    EXPECT_EQ(ReadDialogInteger("+12"), 12);
    EXPECT_EQ(ReadDialogInteger("-1234"), -123);
    EXPECT_EQ(ReadDialogInteger("3x"), 3);
    EXPECT_EQ(ReadDialogInteger(" 12"), 12);
    EXPECT_EQ(ReadDialogInteger("   7"), 7);
    // The blanks use up the four characters before the digit is reached.
    EXPECT_EQ(ReadDialogInteger("    7"), 0);
}

TEST(ReadDialogInteger, NoDigitsGiveZero) {
    EXPECT_EQ(ReadDialogInteger(""), 0);
    EXPECT_EQ(ReadDialogInteger("abc"), 0);
    EXPECT_EQ(ReadDialogInteger("-"), 0);
    EXPECT_EQ(ReadDialogInteger("- 5"), 0);
    EXPECT_EQ(ReadDialogInteger("\t\n8"), 8);
}

TEST(SettingsDialogEntry, ShowsTheValuesAndOkWithoutChangesKeepsShortOnes) {
    TabSettings settings;
    settings.leftMargin = 40;
    settings.textOpaque = 0;
    settings.nextLineSpacing = -300;
    const auto entry = SettingsDialogEntry::FromSettings(settings);
    EXPECT_EQ(entry.texts[0], "24");
    EXPECT_EQ(entry.texts[4], "-300");
    EXPECT_FALSE(entry.textOpaque);
    TabSettings copy = settings;
    entry.ApplyTo(copy);
    EXPECT_EQ(copy, settings);
}

TEST(SettingsDialogEntry, OkStoresWhatWasTypedAndLeavesTheMarginsAlone) {
    TabSettings settings;
    settings.leftMargin = 9;
    settings.topMargin = 8;
    settings.numberOfStrings = 123456;
    SettingsDialogEntry entry = SettingsDialogEntry::FromSettings(settings);
    EXPECT_EQ(entry.texts[3], "123456");
    entry.texts[0] = "abc";
    entry.texts[1] = "-0";
    entry.textOpaque = true;
    settings.textOpaque = 5;
    entry.ApplyTo(settings);
    EXPECT_EQ(settings, (TabSettings{9, 8, 0, 0, 8, 1234, 30, 1}));
}

TEST(ReadWholeNumber, TakesTheWholeTextOrNothing) {
    EXPECT_EQ(ReadWholeNumber("12"), 12);
    EXPECT_EQ(ReadWholeNumber("  -7\t"), -7);
    EXPECT_EQ(ReadWholeNumber("+0"), 0);
    EXPECT_EQ(ReadWholeNumber("2147483647"), 2147483647);
    EXPECT_EQ(ReadWholeNumber("-2147483648"), -2147483647 - 1);
    for (const char* text : {"", " ", "abc", "3x", "1.5", "- 5", "--1", "+", "2147483648",
                             "99999999999999999999", "1 2"})
        EXPECT_FALSE(ReadWholeNumber(text)) << text;
}

TEST(SettingsDialogEntry, TheFirstBoxOutOfItsRangeIsTheProblem) {
    SettingsDialogEntry entry = SettingsDialogEntry::FromSettings(TabSettings{});
    EXPECT_FALSE(entry.FirstProblem());
    // Each range's ends are accepted, one beyond is refused.
    for (std::size_t i = 0; i < kSettingsBoxRanges.size(); ++i) {
        SettingsDialogEntry edge = entry;
        const SettingsBoxRange& range = kSettingsBoxRanges[i];
        edge.texts[i] = std::to_string(range.min);
        EXPECT_FALSE(edge.FirstProblem()) << range.label;
        edge.texts[i] = std::to_string(range.max);
        EXPECT_FALSE(edge.FirstProblem()) << range.label;
        edge.texts[i] = std::to_string(range.max + 1);
        ASSERT_TRUE(edge.FirstProblem()) << range.label;
        EXPECT_EQ(edge.FirstProblem()->box, static_cast<int>(i));
        edge.texts[i] = std::to_string(range.min - 1);
        EXPECT_EQ(edge.FirstProblem()->box, static_cast<int>(i));
    }
    entry.texts[3] = "abc";
    entry.texts[4] = "9999";
    ASSERT_TRUE(entry.FirstProblem());
    EXPECT_EQ(entry.FirstProblem()->box, 3);
    EXPECT_EQ(entry.FirstProblem()->message, "String Count must be a whole number from 1 to 12.");
    entry.texts[3] = "4";
    EXPECT_EQ(entry.FirstProblem()->message,
              "Next Line Space must be a whole number from 0 to 200.");
}

TEST(SettingsDialogEntry, NormalizedBoxesStoreExactlyTheAcceptedNumbers) {
    SettingsDialogEntry entry = SettingsDialogEntry::FromSettings(TabSettings{});
    entry.texts[0] = "    20";  // read as it stands, the blanks would use up four characters
    entry.texts[2] = "+8 ";
    ASSERT_FALSE(entry.FirstProblem());
    entry.Normalize();
    TabSettings settings;
    entry.ApplyTo(settings);
    EXPECT_EQ(settings.horizontalSpacing, 20);
    EXPECT_EQ(settings.textFloat, 8);
}

}  // namespace
}  // namespace lutaris
