// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/CommandIds.h"
#include "support/DocumentFixture.h"
#include "support/TypedTabs.h"

namespace lutaris {
namespace {

using test::Note;

constexpr const char* kWarning =
    "This will overwrite any data in this document.\nDo you want to continue?";

class CountingView : public DocumentObserver {
public:
    void OnDocumentUpdated() override { ++updates; }
    int updates = 0;
};

class ImportFileCommandTest : public test::DocumentTest {
protected:
    // A document with content of its own, saved under a path and not modified.
    ImportFileCommandTest() {
        doc.tabItems.front()->AppendNote(Note(3, 1, 0));
        doc.AppendTabItem(1)->AppendNote(Note(9, 2, 4, HammerOn));
        doc.SetPathName((dir / "song.ltf").string());
        doc.SetModifiedFlag(false);
        doc.AddView(&view);
        before = doc.ContentsBytes();
    }
    ~ImportFileCommandTest() override { doc.RemoveView(&view); }

    void ExpectUntouched() {
        EXPECT_EQ(doc.ContentsBytes(), before);
        EXPECT_EQ(doc.GetPathName(), (dir / "song.ltf").string());
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(view.updates, 0);
    }

    // Answers Yes, picks `name` in the folder of the test and imports it.
    void ImportFile(const std::string& name) {
        prompter.QueueAnswer(MessageAnswer::Yes);
        prompter.QueueFile((dir / name).string());
        doc.OnCommand(ID_IMPORT_FILE);
    }

    CountingView view;
    std::vector<std::uint8_t> before;
};

TEST_F(ImportFileCommandTest, AskingFirstAndAnsweringNoChangesNothing) {
    prompter.QueueAnswer(MessageAnswer::No);
    doc.OnCommand(ID_IMPORT_FILE);
    ASSERT_EQ(prompter.Messages().size(), 1u);
    const ShownMessage& asked = prompter.Messages().front();
    EXPECT_EQ(asked.text, kWarning);
    EXPECT_EQ(asked.caption, "Warning");
    EXPECT_EQ(asked.icon, MessageIcon::Information);
    EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
    EXPECT_TRUE(prompter.FileDialogs().empty());
    ExpectUntouched();
}

TEST_F(ImportFileCommandTest, CancellingTheFileDialogChangesNothing) {
    prompter.QueueAnswer(MessageAnswer::Yes);
    prompter.QueueFile(std::nullopt);
    doc.OnCommand(ID_IMPORT_FILE);
    ASSERT_EQ(prompter.FileDialogs().size(), 1u);
    const FileDialogOptions& dialog = prompter.FileDialogs().front();
    EXPECT_EQ(dialog.title, "Import text TAB file");
    EXPECT_EQ(dialog.defaultExtension, "");
    EXPECT_EQ(dialog.initialName, "");
    ASSERT_EQ(dialog.filters.size(), 2u);
    EXPECT_EQ(dialog.filters[0].text, "All Files (*.*)");
    EXPECT_EQ(dialog.filters[0].patterns, std::vector<std::string>{"*.*"});
    EXPECT_EQ(dialog.filters[1].text, "Text Files (*.txt)");
    EXPECT_EQ(dialog.filters[1].patterns, std::vector<std::string>{"*.txt"});
    EXPECT_EQ(prompter.Messages().size(), 1u);
    ExpectUntouched();
}

TEST_F(ImportFileCommandTest, AFileThatCannotBeOpenedIsReportedAndChangesNothing) {
    ImportFile("missing.txt");
    ASSERT_EQ(prompter.Messages().size(), 2u);
    const ShownMessage& report = prompter.Messages().back();
    EXPECT_EQ(report.text, "File Not Found");
    EXPECT_EQ(report.caption, "No File");
    EXPECT_EQ(report.icon, MessageIcon::Information);
    EXPECT_EQ(report.buttons, MessageButtons::Ok);
    ExpectUntouched();

    // A folder opens on this platform but cannot be read: it is not found either.
    prompter.QueueAnswer(MessageAnswer::Yes);
    prompter.QueueFile(dir.Path().string());
    doc.OnCommand(ID_IMPORT_FILE);
    ASSERT_EQ(prompter.Messages().size(), 4u);
    EXPECT_EQ(prompter.Messages().back().text, "File Not Found");
    ExpectUntouched();
}

TEST_F(ImportFileCommandTest, AnImportReplacesTheContentAndPutsTheCaretOnTheFirstItem) {
    doc.cursor->tabItem = doc.tabItems.back().get();
    doc.cursor->current.string = 3;
    doc.cursor->current.column = 4;
    doc.cursor->previous = Note(9, 2, 4, HammerOn);
    test::WriteFileText(dir / "in.txt",
                        "Intro\r\n"
                        "-5h7-\r\n-----\r\n-----\r\n-----\r\n\r\n"
                        "|-1-|-2-\r\n|---|---\r\n|---|---\r\n|---|-3-\r\n\r\n");
    ImportFile("in.txt");

    ASSERT_EQ(doc.tabItems.size(), 3u);
    EXPECT_EQ(doc.tabItems[0]->notes,
              (std::vector<TabNote>{Note(5, 0, 0, HammerOn), Note(7, 0, 1)}));
    EXPECT_EQ(doc.tabItems[1]->notes, std::vector<TabNote>{Note(1, 0, 0)});
    EXPECT_EQ(doc.tabItems[2]->notes, (std::vector<TabNote>{Note(2, 0, 0), Note(3, 3, 0)}));
    for (std::int32_t position = 0; position < 3; ++position) {
        EXPECT_EQ(doc.ItemAtPosition(position), doc.tabItems[std::size_t(position)].get());
        EXPECT_EQ(doc.tabItems[std::size_t(position)]->settings, doc.settings.get());
    }
    EXPECT_EQ(doc.cursor->tabItem, doc.tabItems.front().get());
    EXPECT_EQ(doc.cursor->current, Note(5, 0, 0, HammerOn));
    EXPECT_EQ(doc.settings->numberOfStrings, 4);
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_GE(view.updates, 1);
    EXPECT_EQ(prompter.Messages().size(), 1u);
}

TEST_F(ImportFileCommandTest, AnEmptyFileLeavesOneEmptyItemAndACaretWithoutANote) {
    test::WriteFileText(dir / "empty.txt", "");
    ImportFile("empty.txt");
    ASSERT_EQ(doc.tabItems.size(), 1u);
    EXPECT_TRUE(doc.tabItems.front()->notes.empty());
    EXPECT_EQ(doc.cursor->tabItem, doc.tabItems.front().get());
    EXPECT_EQ(doc.cursor->current.action, NoNote);
    EXPECT_EQ(doc.cursor->current.fret, 0);
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_GE(view.updates, 1);
}

TEST_F(ImportFileCommandTest, AFileTooBigToImportIsReportedAndChangesNothing) {
    // More measures on one top line than the import makes tab items.
    std::string bars;
    for (int i = 0; i < 1'000'001; ++i) bars += "|-";
    test::WriteFileText(dir / "bars.txt", bars + "\n-\n-\n-\n\n");
    ImportFile("bars.txt");
    ASSERT_EQ(prompter.Messages().size(), 2u);
    EXPECT_EQ(prompter.Messages().back().text,
              "This file would make more than 1000000 tab items.\nThe file was not imported.");
    EXPECT_EQ(prompter.Messages().back().caption, "Error");
    EXPECT_EQ(prompter.Messages().back().icon, MessageIcon::Error);
    ExpectUntouched();
}

TEST_F(ImportFileCommandTest, TheDocumentTakesTheStringCountOfTheTab) {
    // The settings file asks for five strings; the tab's own count wins where it has one.
    test::WriteFileText(dir / "Lutaris.ini", "[TAB]\nnumberOfStrings=5\nverticalSpacing=14\n");
    const std::string bass = "G|--5--|\nD|-----|\nA|--3--|\nE|-----|\n\n";
    const std::string seven = "e|-0-|\nB|---|\nG|---|\nD|---|\nA|---|\nE|---|\nB|-2-|\n\n";
    test::WriteFileText(dir / "bass.txt", "Bass - intro\n" + bass + bass);
    test::WriteFileText(dir / "seven.txt", seven);
    test::WriteFileText(dir / "mixed.txt", bass + seven);
    test::WriteFileText(dir / "none.txt", "Intro - play twice\n");

    ImportFile("bass.txt");
    EXPECT_EQ(doc.settings->numberOfStrings, 4);
    EXPECT_EQ(doc.settings->verticalSpacing, 14);  // the rest is the settings file's
    ASSERT_EQ(doc.tabItems.size(), 2u);
    EXPECT_EQ(doc.tabItems[1]->notes, (std::vector<TabNote>{Note(5, 0, 0), Note(3, 2, 0)}));
    // The document carries its count: saved and opened again, it is still a bass tab.
    ASSERT_TRUE(doc.OnSaveDocument((dir / "bass.ltf").string()));
    ASSERT_TRUE(doc.OnOpenDocument((dir / "bass.ltf").string()));
    EXPECT_EQ(doc.settings->numberOfStrings, 4);

    ImportFile("seven.txt");
    EXPECT_EQ(doc.settings->numberOfStrings, 7);
    ASSERT_EQ(doc.tabItems.size(), 1u);
    EXPECT_EQ(doc.tabItems[0]->notes, (std::vector<TabNote>{Note(0, 0, 0), Note(2, 6, 0)}));

    ImportFile("mixed.txt");
    EXPECT_EQ(doc.settings->numberOfStrings, 5);
    ImportFile("none.txt");
    EXPECT_EQ(doc.settings->numberOfStrings, 5);
}

// What the import gives back of an item exported with `strings` strings: nothing under four
// strings, the first seven strings of eight (columns that held only a note on the eighth are
// gone, so the later ones close up).
std::vector<TabNote> ExpectedBack(std::vector<TabNote> notes, std::int32_t strings) {
    if (strings < 4) return {};
    std::erase_if(notes, [](const TabNote& note) { return note.string >= 7; });
    notes = test::AsTextCarriesThem(std::move(notes));
    std::int32_t column = -1;
    std::int32_t last = -1;
    for (auto& note : notes) {
        if (note.column != last) ++column;
        last = note.column;
        note.column = column;
    }
    return notes;
}

TEST(ImportFileCommand, WhatExportFileWritesImportsBackIntoTheSameNotes) {
    test::TempDir dir;
    test::ScopedCurrentDir inDir(dir.Path());
    const std::string path = (dir / "export.txt").string();
    std::mt19937 random(5);
    for (int document = 0; document < 60; ++document) {
        const std::int32_t strings = 3 + document % 6;
        ScriptedPrompter prompter;
        CCorvaneDoc doc(prompter);
        doc.OnNewDocument();
        doc.settings->numberOfStrings = strings;
        const auto added = static_cast<std::int32_t>(random() % 5);
        for (std::int32_t i = 1; i <= added; ++i) doc.AppendTabItem(i);
        std::vector<std::vector<TabNote>> exported;
        for (auto& item : doc.tabItems) {
            test::FillWithTypedNotes(*item, random);
            exported.push_back(item->notes);
        }

        prompter.QueueFile(path);
        doc.OnCommand(ID_EXPORT_FILE);
        prompter.QueueAnswer(MessageAnswer::Yes);
        prompter.QueueFile(path);
        doc.OnCommand(ID_IMPORT_FILE);

        // Every exported item in list order, the first in the reset's item, with the tab's
        // string count; a tab of too few strings leaves the reset's empty item and the
        // settings file's count.
        const std::string what =
            "document " + std::to_string(document) + ", " + std::to_string(strings) + " strings";
        EXPECT_EQ(prompter.Messages().size(), 1u) << what;
        if (strings < 4) {
            ASSERT_EQ(doc.tabItems.size(), 1u) << what;
            EXPECT_TRUE(doc.tabItems.front()->notes.empty()) << what;
            EXPECT_EQ(doc.settings->numberOfStrings, 6) << what;
            continue;
        }
        EXPECT_EQ(doc.settings->numberOfStrings, std::min(strings, 7)) << what;
        ASSERT_EQ(doc.tabItems.size(), exported.size()) << what;
        for (std::size_t i = 0; i < doc.tabItems.size(); ++i) {
            EXPECT_EQ(doc.tabItems[i]->notes, ExpectedBack(exported[i], strings))
                << what << ", item " << i;
        }
    }
}

}  // namespace
}  // namespace lutaris
