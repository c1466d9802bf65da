// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <filesystem>

#include "model/ScriptedSettingsPrompter.h"
#include "model/TabCursor.h"
#include "model/TabDocument.h"
#include "sound/PlaySpan.h"
#include "sound/SoundfontLocator.h"
#include "sound/Tunings.h"
#include "support/TabDocumentFixture.h"
#include "support/TestPaths.h"

namespace lutaris {
namespace {

namespace fs = std::filesystem;

TEST(Tunings, PitchNamesAsGuitaristsWriteThem) {
    EXPECT_EQ(ParsePitchName("E2"), 40);
    EXPECT_EQ(ParsePitchName("A4"), 69);
    EXPECT_EQ(ParsePitchName("F#3"), 54);
    EXPECT_EQ(ParsePitchName("Bb1"), 34);
    EXPECT_EQ(ParsePitchName("b0"), 23);
    EXPECT_EQ(ParsePitchName("C-1"), 0);
    EXPECT_EQ(ParsePitchName("G9"), 127);
    for (const char* bad : {"", "H2", "E", "E2x", "#2", "G#9", "Cb-1", "E 2", "E99999999999"}) {
        EXPECT_EQ(ParsePitchName(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(PitchName(40), "E2");
    EXPECT_EQ(PitchName(54), "F#3");
}

TEST(Tunings, TheCommandLineListsTheStringsFromTheLowest) {
    std::string error;
    EXPECT_EQ(ParseTuningList("E2,A2,D3,G3,B3,E4"),
              (std::vector<std::int32_t>{64, 59, 55, 50, 45, 40}));
    EXPECT_EQ(ParseTuningList(" D2, A2 ,D3"), (std::vector<std::int32_t>{50, 45, 38}));
    EXPECT_EQ(ParseTuningList("E2,,A2", &error), std::nullopt);
    EXPECT_NE(error.find("is not a pitch"), std::string::npos);
    EXPECT_EQ(TuningList({64, 59, 55, 50, 45, 38}), "D2,A2,D3,G3,B3,E4");
    std::string many = "E2";
    for (int i = 0; i < 64; ++i) many += ",E2";
    EXPECT_EQ(ParseTuningList(many, &error), std::nullopt);
}

TEST(Tunings, PresetsListTheirStringsFromTheLowest) {
    const auto& presets = TuningPresets();
    ASSERT_EQ(presets.size(), 7u);
    EXPECT_EQ(presets[0].TopFirst(), DefaultTuning(6));
    EXPECT_EQ(presets[4].TopFirst(), DefaultTuning(7));
    EXPECT_EQ(presets[5].TopFirst(), DefaultTuning(4));
    EXPECT_EQ(presets[6].TopFirst(), DefaultTuning(5));
    EXPECT_EQ(TuningList(presets[2].TopFirst()), "D2,A2,D3,G3,A3,D4");
    EXPECT_EQ(FrettedProgramName(25), "Acoustic Guitar (steel)");
    EXPECT_EQ(FrettedProgramName(39), "Synth Bass 2");
    EXPECT_EQ(FrettedProgramName(40), "");
}

TEST(SoundfontLocator, PrefersTheSystemsChoiceThenTimGM6mb) {
    test::TempDir dir;
    EXPECT_EQ(FindSoundfont(dir.Path().string()), std::nullopt);
    fs::create_directories(dir / "sf2");
    fs::create_directories(dir / "sf3");
    test::WriteFileText(dir / "sf2/TimGM6mb.sf2", "x");
    EXPECT_EQ(FindSoundfont(dir.Path().string()), (dir / "sf2/TimGM6mb.sf2").string());
    // Debian's default-GM.sf2 is a link to the chosen one; a link to nothing is passed over.
    fs::create_symlink("missing.sf2", dir / "sf2/default-GM.sf3");
    EXPECT_EQ(FindSoundfont(dir.Path().string()), (dir / "sf2/TimGM6mb.sf2").string());
    fs::create_symlink("TimGM6mb.sf2", dir / "sf2/default-GM.sf2");
    EXPECT_EQ(FindSoundfont(dir.Path().string()), (dir / "sf2/default-GM.sf2").string());
    test::WriteFileText(dir / "sf3/default-GM.sf3", "x");
    EXPECT_EQ(FindSoundfont(dir.Path().string()), (dir / "sf3/default-GM.sf3").string());
}

TEST(SoundfontLocator, AChosenSoundfontComesFirstAndAMissingOneIsSaidSo) {
    test::TempDir dir;
    test::WriteFileText(dir / "mine.sf2", "x");
    test::WriteFileText(dir / "TimGM6mb.sf2", "x");
    std::string error;
    EXPECT_EQ(ResolveSoundfont((dir / "mine.sf2").string(), &error, dir.Path().string()),
              (dir / "mine.sf2").string());
    EXPECT_EQ(ResolveSoundfont("", &error, dir.Path().string()), (dir / "TimGM6mb.sf2").string());
    EXPECT_EQ(ResolveSoundfont((dir / "gone.sf2").string(), &error, dir.Path().string()),
              std::nullopt);
    EXPECT_NE(error.find("gone.sf2"), std::string::npos);
    test::TempDir empty;
    EXPECT_EQ(ResolveSoundfont("", &error, empty.Path().string()), std::nullopt);
    EXPECT_NE(error.find("timgm6mb-soundfont"), std::string::npos);
}

using PlaySpanTest = test::TabDocumentTest;

TEST_F(PlaySpanTest, PlaysFromTheCaretToTheEndOrTheSelection) {
    AddItems(4);  // positions 0 … 4
    doc.cursor->tabItem = doc.ItemAtPosition(2);
    doc.cursor->current.column = 3;
    EXPECT_EQ(PlaySpan::ForDocument(doc), (PlaySpan{2, 3, 4, 0, true}));
    doc.SetSelection({doc.ItemAtPosition(3), doc.ItemAtPosition(1), doc.ItemAtPosition(2)}, 0);
    EXPECT_EQ(PlaySpan::ForDocument(doc), (PlaySpan{1, 0, 3, 1, false}));
}

}  // namespace
}  // namespace lutaris
