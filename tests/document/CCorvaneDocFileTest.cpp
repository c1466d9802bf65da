// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "compound/ClassId.h"
#include "compound/CompoundFileReader.h"
#include "compound/CompoundFileWriter.h"
#include "document/CCorvaneDoc.h"
#include "platform/files/DocumentClassId.h"
#include "support/ContentsBuilder.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

using test::ContentsBuilder;
using test::Note;
using test::ReadFileBytes;
using test::WriteFileBytes;

class CCorvaneDocFileTest : public test::DocumentTest {
protected:
    std::string PathOf(const std::string& name) { return (dir / name).string(); }

    void WriteContents(const std::string& name, const std::vector<std::uint8_t>& contents) {
        WriteFileBytes(dir / name, WriteCompoundFile(kDocumentClassId, "Contents", contents));
    }

    struct Snapshot {
        std::vector<std::uint8_t> storage;
        std::string path;
        bool modified;
        TabNote caret;
    };

    // Work in progress: saved once under mine.ltf with its own settings, then changed again
    // (modified), with the caret on the second item.
    Snapshot WorkInProgress() {
        doc.settings->numberOfStrings = 4;
        doc.SendKeyToCursor('5');
        EXPECT_TRUE(doc.SaveToPath(PathOf("mine.ltf")));
        doc.AddTabItemAndFocus();
        doc.SendKeyToCursor('9');
        EXPECT_TRUE(doc.IsModified());
        prompter.ClearMessages();
        return Current();
    }

    Snapshot Current() {
        return {doc.StorageBytes(), doc.GetPathName(), doc.IsModified(), doc.cursor->current};
    }

    // A failed open keeps the document byte for byte, with its path, modified flag and caret.
    void ExpectUnchanged(const Snapshot& before) {
        const Snapshot now = Current();
        EXPECT_EQ(now.storage, before.storage);
        EXPECT_EQ(now.path, before.path);
        EXPECT_EQ(now.modified, before.modified);
        EXPECT_EQ(now.caret, before.caret);
        ASSERT_EQ(doc.tabItems.size(), 2u);
        EXPECT_EQ(doc.cursor->tabItem, doc.tabItems[1].get());
        EXPECT_EQ(doc.cursor->settings, doc.settings.get());
    }

    void ExpectOnlyMessage(const std::string& text, const std::string& caption) {
        ASSERT_EQ(prompter.Messages().size(), 1u);
        EXPECT_EQ(prompter.Messages()[0].text, text);
        EXPECT_EQ(prompter.Messages()[0].caption, caption);
    }
};

TEST_F(CCorvaneDocFileTest, SaveWritesACompoundFileWithTheContentsStreamAndClearsModified) {
    doc.tabItems[0]->AppendNote(Note(5, 1, 0, HammerOn));
    ASSERT_TRUE(doc.SaveToPath(PathOf("song.ltf")));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "song.ltf");
    const auto file = ReadFileBytes(dir / "song.ltf");
    const CompoundFileReader reader(file);
    EXPECT_EQ(reader.RootClassId(), kDocumentClassId);
    EXPECT_EQ(reader.StreamNames(), std::vector<std::string>{"Contents"});
    EXPECT_EQ(reader.ReadStream("Contents"), doc.ContentsBytes());
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(CCorvaneDocFileTest, OpenReadsTheFileBackAndTakesItsPath) {
    const auto contents = ContentsBuilder()
                              .Raw("Lutaris_0.2")
                              .Ints({2, 2, 30, 14, 9, 4, 20, 0})
                              .Int(2)
                              .Item(1, {Note(3, 0, 0, Optional, 6)})
                              .Item(0, {})
                              .Bytes();
    WriteContents("in.ltf", contents);
    ASSERT_TRUE(doc.OnOpenDocument(PathOf("in.ltf")));
    EXPECT_EQ(doc.GetPathName(), PathOf("in.ltf"));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.settings->numberOfStrings, 4);
    EXPECT_EQ(doc.cursor->current, Note(3, 0, 0, Optional, 6));
    EXPECT_EQ(doc.ContentsBytes(), contents);
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(CCorvaneDocFileTest, APlainFileIsReadWholeAsTheStreamWhateverItsName) {
    const auto contents = ContentsBuilder().DefaultHeader().Int(1).Item(0, {Note(9, 2, 3)}).Bytes();
    WriteFileBytes(dir / "plain.txt", contents);
    ASSERT_TRUE(doc.OnOpenDocument(PathOf("plain.txt")));
    EXPECT_EQ(doc.tabItems[0]->notes, std::vector<TabNote>{Note(9, 2, 3)});
}

TEST_F(CCorvaneDocFileTest, EmptyOrMissingStreamOpensAsTheNewDocument) {
    WriteFileBytes(dir / "empty.ltf", {});
    ASSERT_TRUE(doc.OnOpenDocument(PathOf("empty.ltf")));
    EXPECT_EQ(doc.tabItems.size(), 1u);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "empty.ltf");
    WriteFileBytes(dir / "other.ltf", WriteCompoundFile(kDocumentClassId, "Other", {}));
    ASSERT_TRUE(doc.OnOpenDocument(PathOf("other.ltf")));
    EXPECT_EQ(doc.tabItems.size(), 1u);
}

TEST_F(CCorvaneDocFileTest, WrongMagicIsReportedOnceAndTheOpenFailsWithoutTakingThePath) {
    const Snapshot before = WorkInProgress();
    WriteContents("other.ltf", ContentsBuilder().Raw("Lutaris_0.3").Int(1).Bytes());
    const auto other = ReadFileBytes(dir / "other.ltf");
    EXPECT_FALSE(doc.OnOpenDocument(PathOf("other.ltf")));
    ExpectOnlyMessage("This is not a Lutaris file", "Error");
    ExpectUnchanged(before);
    // A save still goes to the document's own file, and never to the one it could not read.
    EXPECT_TRUE(doc.DoFileSave());
    EXPECT_TRUE(prompter.FileDialogs().empty());
    EXPECT_EQ(ReadFileBytes(dir / "mine.ltf"), before.storage);
    EXPECT_EQ(ReadFileBytes(dir / "other.ltf"), other);
}

TEST_F(CCorvaneDocFileTest, AnOpenThatFailsAfterAGoodOneKeepsWhatTheGoodOneRead) {
    const auto contents = ContentsBuilder().DefaultHeader().Int(1).Item(0, {Note(4, 1, 2)}).Bytes();
    WriteContents("good.ltf", contents);
    ASSERT_TRUE(doc.OnOpenDocument(PathOf("good.ltf")));
    // The same file, but for an item count that promises more than it holds.
    WriteContents("cut.ltf",
                  ContentsBuilder().DefaultHeader().Int(2).Item(0, {Note(4, 1, 2)}).Bytes());
    EXPECT_FALSE(doc.OnOpenDocument(PathOf("cut.ltf")));
    EXPECT_EQ(doc.ContentsBytes(), contents);
    EXPECT_EQ(doc.GetPathName(), PathOf("good.ltf"));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(CCorvaneDocFileTest, StreamCutShortReportsUnexpectedFileFormat) {
    const Snapshot before = WorkInProgress();
    auto contents = ContentsBuilder().DefaultHeader().Int(3).Item(0, {Note(1, 1, 1)}).Bytes();
    WriteContents("cut.ltf", contents);
    EXPECT_FALSE(doc.OnOpenDocument(PathOf("cut.ltf")));
    ExpectOnlyMessage("Unexpected file format.", "Lutaris");
    EXPECT_EQ(prompter.Messages()[0].icon, MessageIcon::Exclamation);
    ExpectUnchanged(before);
}

TEST_F(CCorvaneDocFileTest, HugeItemCountInATinyFileFailsAtOnce) {
    const Snapshot before = WorkInProgress();
    auto contents =
        ContentsBuilder().DefaultHeader().Int(std::numeric_limits<std::int32_t>::max()).Bytes();
    contents.resize(200, 0);
    WriteFileBytes(dir / "huge.ltf", contents);
    EXPECT_FALSE(doc.OnOpenDocument(PathOf("huge.ltf")));
    ExpectOnlyMessage("Unexpected file format.", "Lutaris");
    ExpectUnchanged(before);
}

TEST_F(CCorvaneDocFileTest, MissingOrDamagedFilesReportFailedToOpen) {
    const Snapshot before = WorkInProgress();
    EXPECT_FALSE(doc.OnOpenDocument(PathOf("missing.ltf")));
    ExpectOnlyMessage("Failed to open document.", "Lutaris");
    ExpectUnchanged(before);

    prompter.ClearMessages();
    auto damaged = WriteCompoundFile(kDocumentClassId, "Contents",
                                     ContentsBuilder().DefaultHeader().Int(0).Bytes());
    damaged.resize(damaged.size() / 2);  // sectors promised by the header are gone
    WriteFileBytes(dir / "damaged.ltf", damaged);
    EXPECT_FALSE(doc.OnOpenDocument(PathOf("damaged.ltf")));
    ExpectOnlyMessage("Failed to open document.", "Lutaris");
    ExpectUnchanged(before);

    prompter.ClearMessages();
    EXPECT_FALSE(doc.OnOpenDocument(dir.Path().string()));
    ExpectOnlyMessage("Failed to open document.", "Lutaris");
    ExpectUnchanged(before);
}

TEST_F(CCorvaneDocFileTest, FailedSaveKeepsTheDocumentModifiedAndItsPath) {
    ASSERT_TRUE(doc.SaveToPath(PathOf("keep.ltf")));
    const auto before = ReadFileBytes(dir / "keep.ltf");
    doc.tabItems[0]->AppendNote(Note(1, 0, 0));
    doc.SetModifiedFlag();
    EXPECT_FALSE(doc.SaveToPath(PathOf("no/such/folder/x.ltf")));
    ExpectOnlyMessage("Failed to save document.", "Lutaris");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), PathOf("keep.ltf"));
    std::filesystem::create_directory(dir / "folder.ltf");
    EXPECT_FALSE(doc.OnSaveDocument(PathOf("folder.ltf")));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.ltf"));
    EXPECT_EQ(ReadFileBytes(dir / "keep.ltf"), before);
}

}  // namespace
}  // namespace lutaris
