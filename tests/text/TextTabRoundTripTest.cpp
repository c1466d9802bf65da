#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "support/TestPaths.h"
#include "text/TextLineReader.h"
#include "text/TextTabImporter.h"

namespace lutaris {
namespace {

constexpr std::int32_t kActions[] = {Normal,    Mute,     Unmarked,    Vibrato,  SlideUp,
                                     SlideDown, BendUp,   BendRelease, HammerOn, PullOff,
                                     Tap,       Harmonic, Optional};

// Tab items as a person types them: frets 0 to 99, every column holds a note, chords of any
// size, blank slides alone in their column, notes in no particular list order.
std::vector<std::unique_ptr<Tablature>> GenerateItems(std::mt19937& random, TabSettings* settings) {
    std::vector<std::unique_ptr<Tablature>> items(random() % 5);
    const auto strings = static_cast<std::uint32_t>(settings->numberOfStrings);
    for (auto& item : items) {
        item = std::make_unique<Tablature>(settings);
        const int columns = static_cast<int>(random() % 14);
        for (int column = 0; column < columns; ++column) {
            if (random() % 12 == 0) {
                const std::int32_t action = random() % 2 ? SlideUp : SlideDown;
                item->AppendNote({BlankFret, std::int32_t(random() % strings), column, 0, action});
                continue;
            }
            for (std::uint32_t string = 0; string < strings; ++string) {
                if (random() % 3 != 0 &&
                    !(string + 1 == strings && item->FindNote(column, -1) == nullptr)) {
                    continue;
                }
                const std::int32_t action = kActions[random() % std::size(kActions)];
                item->AppendNote(
                    {std::int32_t(random() % 100), std::int32_t(string), column, 0, action});
            }
        }
        std::shuffle(item->notes.begin(), item->notes.end(), random);
    }
    return items;
}

// The notes as the text carries them, in the order the importer makes them.
std::vector<TabNote> AsTextCarriesThem(std::vector<TabNote> notes) {
    for (auto& note : notes) {
        if (note.action == Mute) note.fret = 0;
        if (note.action == Tap || note.action == Unmarked) note.action = Normal;
    }
    std::sort(notes.begin(), notes.end(), [](const TabNote& a, const TabNote& b) {
        return std::tie(a.column, a.string) < std::tie(b.column, b.string);
    });
    return notes;
}

std::string ExportText(const std::vector<std::unique_ptr<Tablature>>& items) {
    std::string text;
    for (const auto& item : items) {
        for (char c : item->ToText()) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
        text += "\r\n\r\n\r\n";
    }
    return text;
}

TEST(TextTabRoundTrip, ExportedItemsOfFourToSevenStringsComeBackNoteForNote) {
    std::mt19937 random(11);
    test::TempDir dir;
    for (int document = 0; document < 200; ++document) {
        TabSettings settings;
        settings.numberOfStrings = 4 + document % 4;
        const auto exported = GenerateItems(random, &settings);
        test::WriteFileText(dir / "export.txt", ExportText(exported));

        std::vector<std::unique_ptr<Tablature>> items;
        items.push_back(std::make_unique<Tablature>(&settings));
        Tablature* current = items.front().get();
        TextTabImporter importer(&settings, items, current);
        TextLineReader reader;
        ASSERT_TRUE(reader.Open((dir / "export.txt").string()));
        ASSERT_EQ(importer.AddLines(reader), TextTabImporter::Status::Ok);

        ASSERT_EQ(items.size(), exported.size() + 1) << "document " << document;
        EXPECT_TRUE(items.front()->notes.empty());
        for (std::size_t i = 0; i < exported.size(); ++i) {
            EXPECT_EQ(items[i + 1]->position, std::int32_t(i + 1));
            EXPECT_EQ(items[i + 1]->notes, AsTextCarriesThem(exported[i]->notes))
                << "document " << document << ", item " << i << ":\n"
                << exported[i]->ToText();
        }
    }
}

TEST(TextTabRoundTrip, ItemsOfThreeOrEightStringsDoNotComeBack) {
    for (const std::int32_t strings : {3, 8}) {
        TabSettings settings;
        settings.numberOfStrings = strings;
        std::vector<std::unique_ptr<Tablature>> exported;
        exported.push_back(std::make_unique<Tablature>(&settings));
        exported.front()->AppendNote({5, 0, 0, 0, Normal});
        exported.front()->AppendNote({7, strings - 1, 1, 0, Normal});

        std::vector<std::unique_ptr<Tablature>> items;
        items.push_back(std::make_unique<Tablature>(&settings));
        Tablature* current = items.front().get();
        TextTabImporter importer(&settings, items, current);
        const std::string text = ExportText(exported);
        TextLineReader reader;
        reader.SetText(text);
        importer.AddLines(reader);
        // Eight lines keep their first seven: the item comes back without its last string.
        const std::vector<TabNote> expected =
            strings == 8 ? std::vector<TabNote>{{5, 0, 0, 0, Normal}} : std::vector<TabNote>{};
        EXPECT_EQ(items.size(), strings == 8 ? 2u : 1u);
        EXPECT_EQ(items.back()->notes, expected);
    }
}

}  // namespace
}  // namespace lutaris
