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
// passenger-let-her-go-intro (three bars on the first system's top line; its second system ends
// the file without an empty line, so it stays unread) and tab-with-git-conflict-markers (the
// "HEAD" system's six measures; the other side's system takes the last marker line, which has a
// dash, as its seventh string and ends the file unread).
const std::map<std::string, Counts> kExpected = {
    {"beatles-blackbird.txt", {79, 561}},
    {"beatles-here-comes-the-sun.txt", {17, 208}},
    {"bonobo-the-shark-bass.txt", {13, 88}},
    {"eric-clapton-tears-in-heaven.txt", {28, 231}},
    {"gravity-falls-theme.txt", {17, 88}},
    {"guns-n-roses-dont-cry.txt", {16, 139}},
    {"hades-good-riddance.txt", {32, 130}},
    {"jason-mraz-a-beautiful-mess.txt", {19, 200}},
    {"lotr-rohan-theme.txt", {33, 222}},
    {"malukah-the-dragonborn-comes.txt", {15, 148}},
    {"metallica-nothing-else-matters.txt", {61, 358}},
    {"metallica-the-unforgiven.txt", {114, 705}},
    {"nightwish-nemo.txt", {8, 43}},
    {"nightwish-the-islander.txt", {18, 101}},
    {"outer-wilds-14-3-billion-years.txt", {24, 191}},
    {"outer-wilds-travelers.txt", {15, 118}},
    {"passenger-let-her-go-intro.txt", {4, 42}},
    {"pink-floyd-money-bass.txt", {66, 584}},
    {"pink-floyd-wish-you-were-here.txt", {22, 299}},
    {"red-hot-chili-peppers-californication.txt", {4, 30}},
    {"serj-tankian-sky-is-over.txt", {11, 71}},
    {"sting-shape-of-my-heart.txt", {28, 108}},
    {"system-of-a-down-toxicity.txt", {6, 48}},
    {"tab-with-git-conflict-markers.txt", {7, 46}},
    {"tarrega-capricho-arabe.txt", {118, 1095}},
    {"transistor-signals.txt", {7, 50}},
};

TEST(TextImportCorpus, EveryFileImportsIntoTheRecordedItemsAndNotes) {
    const auto folder = test::SharedDir() / "corpus" / "tabs";
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
