// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "support/TestPaths.h"
#include "text/TextLineReader.h"
#include "text/TextTabImporter.h"

namespace lutaris {
namespace {

struct Counts {
    std::size_t tabItems = 0;
    std::size_t emptyItems = 0;
    std::size_t notes = 0;
    std::int32_t strings = 0;  // the string count the import gives the document
    std::size_t notesOffTheStaff = 0;
    bool operator==(const Counts&) const = default;
};

void PrintTo(const Counts& counts, std::ostream* out) {
    *out << "{" << counts.tabItems << ", " << counts.emptyItems << ", " << counts.notes << ", "
         << counts.strings << "} with " << counts.notesOffTheStaff << " notes off the staff";
}

// Imports every file of the shared corpus as Import File does, into a document whose settings
// file asks for six strings, and hands each file's name and counts to `check`.
void ForEachCorpusFile(const std::function<void(const std::string&, const Counts&)>& check) {
    const auto folder = test::SharedDir() / "corpus" / "tabs";
    LUTARIS_SKIP_WITHOUT_SHARED(folder);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".txt") continue;
        const std::string name = entry.path().filename().string();
        TabSettings settings;
        std::vector<std::unique_ptr<Tablature>> items;
        items.push_back(std::make_unique<Tablature>(&settings));
        Tablature* current = items.front().get();
        TextTabImporter importer(&settings, items, current);
        TextLineReader reader;
        ASSERT_TRUE(reader.Open(entry.path().string())) << name;
        EXPECT_EQ(importer.AddLines(reader), TextTabImporter::Status::Ok) << name;

        Counts counts{.tabItems = items.size(),
                      .strings = importer.CommonStringCount().value_or(settings.numberOfStrings)};
        for (const auto& item : items) {
            counts.emptyItems += item->notes.empty() ? 1 : 0;
            counts.notes += item->notes.size();
            for (const auto& note : item->notes) {
                counts.notesOffTheStaff += note.string < 0 || note.string >= counts.strings;
            }
        }
        check(name, counts);
    }
}

// What real tablature, written by other people for other programs, gives: tab items, empty
// ones, notes and the string count. The numbers are not "right" in any musical sense; they pin
// the behaviour down so that any change to it shows here. Two were counted by hand:
// passenger-let-her-go-intro (76 numbers on the string lines; the first system's two measures
// and the second system's one, the first in the reset's item) and tab-with-git-conflict-markers
// (the "HEAD" system's five measures and the other side's two, whose "||" is one bar; the
// closing marker line is a comment, not a seventh string).
const std::map<std::string, Counts> kExpected = {
    {"beatles-blackbird.txt", {46, 0, 561, 6}},
    {"beatles-here-comes-the-sun.txt", {13, 0, 251, 6}},
    {"bonobo-the-shark-bass.txt", {6, 0, 88, 4}},
    {"eric-clapton-tears-in-heaven.txt", {24, 0, 244, 6}},
    {"gravity-falls-theme.txt", {13, 0, 96, 6}},
    {"guns-n-roses-dont-cry.txt", {9, 0, 139, 6}},
    {"hades-good-riddance.txt", {27, 0, 132, 6}},
    {"jason-mraz-a-beautiful-mess.txt", {10, 0, 228, 6}},
    {"lotr-rohan-theme.txt", {21, 5, 222, 6}},
    {"malukah-the-dragonborn-comes.txt", {9, 0, 150, 6}},
    {"metallica-nothing-else-matters.txt", {53, 1, 383, 6}},
    {"metallica-the-unforgiven.txt", {78, 3, 740, 6}},
    {"nightwish-nemo.txt", {6, 0, 63, 6}},
    {"nightwish-the-islander.txt", {17, 0, 127, 6}},
    {"outer-wilds-14-3-billion-years.txt", {19, 4, 195, 6}},
    {"outer-wilds-travelers.txt", {9, 0, 118, 6}},
    {"passenger-let-her-go-intro.txt", {3, 0, 76, 6}},
    {"pink-floyd-money-bass.txt", {34, 0, 584, 4}},
    {"pink-floyd-wish-you-were-here.txt", {19, 0, 318, 6}},
    {"red-hot-chili-peppers-californication.txt", {3, 0, 48, 6}},
    {"serj-tankian-sky-is-over.txt", {7, 0, 79, 6}},
    {"sting-shape-of-my-heart.txt", {27, 1, 135, 6}},
    {"system-of-a-down-toxicity.txt", {5, 0, 56, 6}},
    {"tab-with-git-conflict-markers.txt", {7, 0, 63, 6}},
    {"tarrega-capricho-arabe.txt", {74, 0, 1095, 6}},
    {"transistor-signals.txt", {4, 0, 82, 6}},
};

TEST(TextImportCorpus, EveryFileImportsIntoTheRecordedItemsAndNotes) {
    std::size_t files = 0;
    ForEachCorpusFile([&](const std::string& name, const Counts& counts) {
        ++files;
        const auto expected = kExpected.find(name);
        if (expected == kExpected.end()) {
            ADD_FAILURE() << "no record for " << name << " " << ::testing::PrintToString(counts);
            return;
        }
        EXPECT_EQ(counts, expected->second) << name;
    });
    if (!::testing::Test::IsSkipped()) {
        EXPECT_EQ(files, kExpected.size());
    }
}

struct Before {
    std::size_t notes = 0;
    std::size_t emptyItems = 0;
};

// Notes and empty items of each file as the importer gave them before string lines had to look
// like string lines, before blocks were read to their longest line and before a bar needed a
// measure for its item (819 items, 313 of them empty, 6,203 notes, 10 off the staff).
const std::map<std::string, Before> kBefore = {
    {"beatles-blackbird.txt", {561, 33}},
    {"beatles-here-comes-the-sun.txt", {251, 8}},
    {"bonobo-the-shark-bass.txt", {88, 7}},
    {"eric-clapton-tears-in-heaven.txt", {243, 7}},
    {"gravity-falls-theme.txt", {96, 6}},
    {"guns-n-roses-dont-cry.txt", {139, 7}},
    {"hades-good-riddance.txt", {130, 7}},
    {"jason-mraz-a-beautiful-mess.txt", {228, 11}},
    {"lotr-rohan-theme.txt", {222, 18}},
    {"malukah-the-dragonborn-comes.txt", {148, 8}},
    {"metallica-nothing-else-matters.txt", {358, 14}},
    {"metallica-the-unforgiven.txt", {705, 43}},
    {"nightwish-nemo.txt", {63, 4}},
    {"nightwish-the-islander.txt", {127, 6}},
    {"outer-wilds-14-3-billion-years.txt", {191, 13}},
    {"outer-wilds-travelers.txt", {118, 6}},
    {"passenger-let-her-go-intro.txt", {76, 3}},
    {"pink-floyd-money-bass.txt", {584, 32}},
    {"pink-floyd-wish-you-were-here.txt", {316, 7}},
    {"red-hot-chili-peppers-californication.txt", {48, 3}},
    {"serj-tankian-sky-is-over.txt", {78, 7}},
    {"sting-shape-of-my-heart.txt", {133, 9}},
    {"system-of-a-down-toxicity.txt", {56, 3}},
    {"tab-with-git-conflict-markers.txt", {65, 4}},
    {"tarrega-capricho-arabe.txt", {1095, 44}},
    {"transistor-signals.txt", {84, 3}},
};

// The notes that were read from a line that is no string line, and so are gone.
const std::map<std::string, std::size_t> kNotesOfCommentLines = {
    // The closing conflict marker, read as a seventh string: "alborzdev/2311" gave a blank
    // slide and a 2311.
    {"tab-with-git-conflict-markers.txt", 2},
    // The chord line "C    B   Em   Am  - Em7  E7" above a system gave two 7s.
    {"transistor-signals.txt", 2},
};

TEST(TextImportCorpus, NotesOnlyGrowButThoseOfCommentLinesAndEmptyItemsOnlyFall) {
    ForEachCorpusFile([&](const std::string& name, const Counts& counts) {
        const auto before = kBefore.find(name);
        ASSERT_NE(before, kBefore.end()) << name;
        const auto lost = kNotesOfCommentLines.find(name);
        const std::size_t comments = lost == kNotesOfCommentLines.end() ? 0 : lost->second;
        EXPECT_GE(counts.notes + comments, before->second.notes) << name;
        EXPECT_LE(counts.emptyItems, before->second.emptyItems) << name;
        EXPECT_EQ(counts.notesOffTheStaff, 0u) << name;
    });
}

}  // namespace
}  // namespace lutaris
