#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "support/TestPaths.h"
#include "support/TypedTabs.h"
#include "text/TextLineReader.h"
#include "text/TextTabImporter.h"

namespace lutaris {
namespace {

std::vector<std::unique_ptr<Tablature>> GenerateItems(std::mt19937& random, TabSettings* settings) {
    std::vector<std::unique_ptr<Tablature>> items(random() % 5);
    for (auto& item : items) {
        item = std::make_unique<Tablature>(settings);
        test::FillWithTypedNotes(*item, random);
    }
    return items;
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
            EXPECT_EQ(items[i + 1]->notes, test::AsTextCarriesThem(exported[i]->notes))
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
