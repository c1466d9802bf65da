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

}  // namespace
}  // namespace lutaris
