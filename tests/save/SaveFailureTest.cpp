// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "save/IoFailure.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

using test::IoFailure;
using test::Note;
using test::ReadFileBytes;

class SaveFailureTest : public test::DocumentTest {
protected:
    // A document saved at `path`, then changed so that a save has something new to write.
    void SaveThenChange() {
        path = (dir / "song.ltf").string();
        ASSERT_TRUE(doc.SaveToPath(path));
        old = ReadFileBytes(path);
        doc.SetNote(*doc.tabItems[0], Note(5, 1, 0));
        doc.UpdateStep();
        prompter.ClearMessages();
    }

    std::vector<std::string> Listing() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    // File > Save failed: said so once, left the file as it was, no temporary file beside it,
    // and the document still modified under its old path.
    void ExpectFailedSave() {
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Failed to save document."});
        EXPECT_EQ(ReadFileBytes(path), old);
        EXPECT_EQ(Listing(), std::vector<std::string>{"song.ltf"});
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.GetPathName(), path);
    }

    std::string path;
    std::vector<unsigned char> old;
};

TEST_F(SaveFailureTest, AFullDiskFailsTheSaveAndKeepsTheOldFile) {
    SaveThenChange();
    {
        IoFailure failure(IoFailure::Call::Write, ENOSPC);
        EXPECT_FALSE(doc.DoFileSave());
        EXPECT_GT(failure.Injected(), 0);
    }
    ExpectFailedSave();
}

TEST_F(SaveFailureTest, ADiskThatFillsUpHalfwayFailsTheSaveAndKeepsTheOldFile) {
    // A document big enough to take several writes, of which the first goes through.
    for (int column = 0; column < 20000; ++column) {
        doc.tabItems[0]->AppendNote(Note(column % 20, column % 6, column));
    }
    SaveThenChange();
    {
        IoFailure failure(IoFailure::Call::Write, ENOSPC, 5);
        EXPECT_FALSE(doc.DoFileSave());
        EXPECT_GT(failure.Injected(), 0);
    }
    ExpectFailedSave();
}

TEST_F(SaveFailureTest, AFailedFlushFailsTheSaveAndKeepsTheOldFile) {
    SaveThenChange();
    {
        IoFailure failure(IoFailure::Call::Fsync, EIO);
        EXPECT_FALSE(doc.DoFileSave());
        EXPECT_EQ(failure.Injected(), 1);
    }
    ExpectFailedSave();
}

TEST_F(SaveFailureTest, AFailedRenameFailsTheSaveAndKeepsTheOldFile) {
    SaveThenChange();
    {
        IoFailure failure(IoFailure::Call::Rename, EROFS);
        EXPECT_FALSE(doc.DoFileSave());
        EXPECT_EQ(failure.Injected(), 1);
    }
    ExpectFailedSave();
}

TEST_F(SaveFailureTest, TheNextSaveAfterAFailureWritesTheDocument) {
    SaveThenChange();
    {
        IoFailure failure(IoFailure::Call::Fsync, EIO);
        EXPECT_FALSE(doc.DoFileSave());
    }
    prompter.ClearMessages();
    EXPECT_TRUE(doc.DoFileSave());
    EXPECT_TRUE(prompter.Messages().empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_NE(ReadFileBytes(path), old);
    EXPECT_EQ(Listing(), std::vector<std::string>{"song.ltf"});
}

// Writes that take only part of what they are given, or are interrupted by a signal, are
// ordinary on Linux; the save must go on until everything is written.
TEST_F(SaveFailureTest, ShortAndInterruptedWritesStillSaveEverything) {
    for (int column = 0; column < 5000; ++column) {
        doc.tabItems[0]->AppendNote(Note(column % 20, column % 6, column));
    }
    const auto expectedPath = dir / "expected.ltf";
    ASSERT_TRUE(doc.OnSaveDocument(expectedPath.string()));
    const auto expected = ReadFileBytes(expectedPath);
    for (const auto call : {IoFailure::Call::ShortWrite, IoFailure::Call::InterruptedWrite}) {
        const auto path = (dir / "song.ltf").string();
        {
            IoFailure failure(call);
            EXPECT_TRUE(doc.OnSaveDocument(path));
            EXPECT_GT(failure.Injected(), 0);
        }
        EXPECT_EQ(ReadFileBytes(path), expected);
    }
    EXPECT_TRUE(prompter.Messages().empty());
}

}  // namespace
}  // namespace lutaris
