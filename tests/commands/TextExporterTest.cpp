// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "edit/TextExporter.h"
#include "model/CommandIds.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

using test::Note;
using test::ReadFileText;

class TextExporterTest : public test::DocumentTest {
protected:
    std::string PathOf(const std::string& name) { return (dir / name).string(); }
};

TEST_F(TextExporterTest, WritesItemsInReadingOrderEachFollowedByThreeLineBreaksInCrLf) {
    doc.settings->numberOfStrings = 4;
    // The item at position 0 is inserted later, so it is stored last but written first.
    doc.tabItems[0]->AppendNote(Note(5, 0, 0));
    doc.tabItems[0]->AppendNote(Note(7, 1, 1, HammerOn));
    doc.OnInsertTabItem();
    doc.tabItems[1]->AppendNote(Note(12, 3, 0, Harmonic));
    doc.SetModifiedFlag(false);
    prompter.QueueFile(PathOf("out.txt"));
    EXPECT_TRUE(doc.OnCommand(ID_EXPORT_FILE));
    const std::string expected =
        "|-----\r\n|-----\r\n|-----\r\n|<12>-\r\n\r\n\r\n\r\n"
        "|-5-------\r\n|-----7h--\r\n|---------\r\n|---------\r\n\r\n\r\n\r\n";
    EXPECT_EQ(ReadFileText(dir / "out.txt"), expected);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(TextExporterTest, AnItemWithoutStringsWritesOnlyItsLineBreaks) {
    doc.AppendTabItem(1)->AppendNote(Note(3, 0, 2));
    doc.settings->numberOfStrings = 0;
    EXPECT_EQ(TextExporter(doc).ExportText(), "\r\n\r\n\r\n\r\n\r\n\r\n");
    doc.settings->numberOfStrings = 1;
    EXPECT_EQ(TextExporter(doc).ExportText(), "|-\r\n\r\n\r\n\r\n|---------3---\r\n\r\n\r\n\r\n");
}

TEST_F(TextExporterTest, AsksForATextFileAndReplacesAnExistingOne) {
    test::WriteFileText(dir / "old.txt", "something much longer than the export of one item\n");
    prompter.QueueFile(PathOf("old.txt"));
    doc.OnExportFile();
    EXPECT_EQ(ReadFileText(dir / "old.txt"), "|-\r\n|-\r\n|-\r\n|-\r\n|-\r\n|-\r\n\r\n\r\n\r\n");
    ASSERT_EQ(prompter.FileDialogs().size(), 1u);
    const auto& options = prompter.FileDialogs()[0];
    EXPECT_EQ(options.defaultExtension, "txt");
    EXPECT_EQ(options.initialName, "");
    ASSERT_EQ(options.filters.size(), 1u);
    EXPECT_EQ(options.filters[0].text, "Text Files (*.txt)");
    EXPECT_TRUE(options.overwritePrompt);
}

TEST_F(TextExporterTest, CancelledDialogWritesNothing) {
    doc.OnExportFile();
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(TextExporterTest, AFileThatCannotBeWrittenIsReported) {
    prompter.QueueFile(PathOf("no/such/folder/out.txt"));
    doc.OnExportFile();
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].text, "Failed to export file.");
    EXPECT_EQ(prompter.Messages()[0].caption, "Lutaris");
}

TEST_F(TextExporterTest, AnItemTooWideForTextIsReportedAndTheOldFileKept) {
    test::WriteFileText(dir / "keep.txt", "keep");
    doc.AppendTabItem(1)->AppendNote(Note(1, 0, std::numeric_limits<std::int32_t>::max()));
    EXPECT_FALSE(TextExporter(doc).WriteTo(PathOf("keep.txt")));
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].text, "The tab item is too large to write as text.");
    EXPECT_EQ(ReadFileText(dir / "keep.txt"), "keep");
}

TEST_F(TextExporterTest, ADocumentTooLargeAsAWholeIsReportedWithoutWriting) {
    // Each item alone is within the limit; together they pass it.
    for (int i = 0; i < 3; ++i) doc.AppendTabItem(i + 1)->AppendNote(Note(1, 0, 10));
    EXPECT_FALSE(TextExporter(doc, 600).WriteTo(PathOf("big.txt")));
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].text, TextExporter::kTooLargeMessage);
    EXPECT_FALSE(std::filesystem::exists(dir / "big.txt"));

    // The limits are met in list order: an item too wide for text after the document has
    // already passed its limit is not what is reported, and one before it is.
    doc.AppendTabItem(4)->AppendNote(Note(1, 0, std::numeric_limits<std::int32_t>::max()));
    EXPECT_FALSE(TextExporter(doc, 600).WriteTo(PathOf("big.txt")));
    EXPECT_EQ(prompter.Messages().back().text, TextExporter::kTooLargeMessage);
    EXPECT_FALSE(TextExporter(doc, 100000).WriteTo(PathOf("big.txt")));
    EXPECT_EQ(prompter.Messages().back().text, "The tab item is too large to write as text.");
}

}  // namespace
}  // namespace lutaris
