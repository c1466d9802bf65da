#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "support/TestPaths.h"
#include "text/TextLineReader.h"
#include "text/TextTabImporter.h"

namespace lutaris {
namespace {

struct Counts {
    std::size_t tabItems = 0;
    std::size_t notes = 0;
    bool operator==(const Counts&) const = default;
};

void PrintTo(const Counts& counts, std::ostream* out) {
    *out << "{" << counts.tabItems << ", " << counts.notes << "}";
}

// What real tablature, written by other people for other programs, gives today: tab items
// (the reset's empty one included) and notes. The numbers are not "right" in any musical sense;
// they pin the behaviour down so that any change to it shows here. Two were counted by hand:
// passenger-let-her-go-intro (76 numbers on the string lines; three bars on the first system's
// top line, and the second system, which ends the file without an empty line, opens an item
// with its first bar and an empty one with its last) and tab-with-git-conflict-markers (the
// "HEAD" system's six measures; the other side's system takes the last marker line, which has a
// dash, as its seventh string and is read when the file ends).
const std::map<std::string, Counts> kExpected = {
    {"beatles-blackbird.txt", {79, 561}},
    {"beatles-here-comes-the-sun.txt", {21, 251}},
    {"bonobo-the-shark-bass.txt", {13, 88}},
    {"eric-clapton-tears-in-heaven.txt", {30, 243}},
    {"gravity-falls-theme.txt", {19, 96}},
    {"guns-n-roses-dont-cry.txt", {16, 139}},
    {"hades-good-riddance.txt", {32, 130}},
    {"jason-mraz-a-beautiful-mess.txt", {21, 228}},
    {"lotr-rohan-theme.txt", {34, 222}},
    {"malukah-the-dragonborn-comes.txt", {15, 148}},
    {"metallica-nothing-else-matters.txt", {61, 358}},
    {"metallica-the-unforgiven.txt", {114, 705}},
    {"nightwish-nemo.txt", {10, 63}},
    {"nightwish-the-islander.txt", {23, 127}},
    {"outer-wilds-14-3-billion-years.txt", {24, 191}},
    {"outer-wilds-travelers.txt", {15, 118}},
    {"passenger-let-her-go-intro.txt", {6, 76}},
    {"pink-floyd-money-bass.txt", {66, 584}},
    {"pink-floyd-wish-you-were-here.txt", {24, 316}},
    {"red-hot-chili-peppers-californication.txt", {6, 48}},
    {"serj-tankian-sky-is-over.txt", {13, 78}},
    {"sting-shape-of-my-heart.txt", {33, 133}},
    {"system-of-a-down-toxicity.txt", {8, 56}},
    {"tab-with-git-conflict-markers.txt", {11, 65}},
    {"tarrega-capricho-arabe.txt", {118, 1095}},
    {"transistor-signals.txt", {7, 84}},
};

TEST(TextImportCorpus, EveryFileImportsIntoTheRecordedItemsAndNotes) {
    const auto folder = test::SharedDir() / "corpus" / "tabs";
    LUTARIS_SKIP_WITHOUT_SHARED(folder);
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".txt") continue;
        ++files;
        const std::string name = entry.path().filename().string();
        TabSettings settings;
        std::vector<std::unique_ptr<Tablature>> items;
        items.push_back(std::make_unique<Tablature>(&settings));
        Tablature* current = items.front().get();
        TextTabImporter importer(&settings, items, current);
        TextLineReader reader;
        ASSERT_TRUE(reader.Open(entry.path().string())) << name;
        EXPECT_EQ(importer.AddLines(reader), TextTabImporter::Status::Ok) << name;
        Counts counts{items.size(), 0};
        for (const auto& item : items) counts.notes += item->notes.size();
        const auto expected = kExpected.find(name);
        if (expected == kExpected.end()) {
            ADD_FAILURE() << "no record for " << name << " " << ::testing::PrintToString(counts);
            continue;
        }
        EXPECT_EQ(counts, expected->second) << name;
    }
    EXPECT_EQ(files, kExpected.size());
}

}  // namespace
}  // namespace lutaris
