// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "document/FileCommands.h"
#include "platform/files/DocumentFile.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

using Outcome = FileCommands::Outcome;

class FileCommandsTest : public test::DocumentTest {
protected:
    FileCommandsTest() {
        files.SetFileHandler([this](const std::string& path) { told.push_back(path); });
    }

    std::string PathOf(const std::string& name) { return (dir.Path() / name).string(); }

    // A saved document with one typed fret, left unmodified under its path.
    std::string SavedSong(const std::string& name) {
        doc.SendKeyToCursor('7');
        EXPECT_TRUE(files.SaveTo(PathOf(name)));
        return PathOf(name);
    }

    FileCommands files{doc};
    std::vector<std::string> told;
};

TEST_F(FileCommandsTest, OpenAsksForTheFileFirstThenAboutTheChanges) {
    const std::string song = SavedSong("song.ltf");
    doc.OnNewDocument();
    doc.SetNote(*doc.tabItems[0], test::Note(4, 0, 0));  // modified: opening asks
    prompter.ClearMessages();

    // A cancelled dialog asks nothing more.
    prompter.QueueFile(std::nullopt);
    EXPECT_EQ(files.Open(), Outcome::Kept);
    EXPECT_TRUE(prompter.Messages().empty());
    ASSERT_EQ(prompter.FileDialogs().size(), 1u);
    const FileDialogOptions& open = prompter.FileDialogs()[0];
    EXPECT_FALSE(open.overwritePrompt);
    ASSERT_EQ(open.filters.size(), 1u);
    EXPECT_EQ(open.filters[0].text, "Lutaris Tab Files (*.ltf)");

    // Cancelling "Save changes?" keeps the document as it was.
    prompter.QueueFile(song);
    prompter.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_EQ(files.Open(), Outcome::Kept);
    EXPECT_EQ(doc.GetPathName(), "");
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].text, "Save changes to Untitled?");

    prompter.QueueFile(song);
    prompter.QueueAnswer(MessageAnswer::No);
    EXPECT_EQ(files.Open(), Outcome::Done);
    EXPECT_EQ(doc.GetPathName(), song);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.tabItems[0]->notes.at(0).fret, 7);
    EXPECT_EQ(told, (std::vector<std::string>{song, song}));
}

TEST_F(FileCommandsTest, AFailedOpenKeepsTheDocumentAndAddsNoRecentFile) {
    const std::string song = SavedSong("song.ltf");
    told.clear();
    doc.SendKeyToCursor('2');  // changes the person will not save, then opens a text file
    const std::vector<std::uint8_t> work = doc.StorageBytes();
    test::WriteFileBytes(dir.Path() / "bad.ltf", {'n', 'o', 't', ' ', 'a', ' ', 't', 'a', 'b'});
    prompter.QueueAnswer(MessageAnswer::No);
    EXPECT_EQ(files.OpenFile(PathOf("bad.ltf")), Outcome::Failed);
    EXPECT_EQ(doc.LastLoadFailure(), LoadFailure::NotLutarisFile);
    EXPECT_EQ(doc.GetPathName(), song);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.StorageBytes(), work);
    EXPECT_TRUE(told.empty());

    // A cancelled Open dialog keeps it too.
    prompter.QueueFile(std::nullopt);
    EXPECT_EQ(files.Open(), Outcome::Kept);
    EXPECT_EQ(doc.StorageBytes(), work);
    EXPECT_TRUE(doc.IsModified());

    // A load that works forgets the reason of the last failure.
    prompter.QueueAnswer(MessageAnswer::No);
    EXPECT_EQ(files.OpenFile(song), Outcome::Done);
    EXPECT_FALSE(doc.LastLoadFailure());
    EXPECT_FALSE(files.Load(PathOf("missing.ltf")));
    EXPECT_EQ(doc.LastLoadFailure(), LoadFailure::OpenFailed);
}

TEST_F(FileCommandsTest, AReplaceCheckDecidesInPlaceOfTheQuestion) {
    bool allow = false;
    files.SetReplaceCheck([&allow] { return allow; });
    doc.SendKeyToCursor('3');
    EXPECT_FALSE(files.New());
    EXPECT_EQ(doc.tabItems[0]->NoteCount(), 1);
    allow = true;
    EXPECT_TRUE(files.New());
    EXPECT_EQ(doc.tabItems[0]->NoteCount(), 0);
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(FileCommandsTest, SaveCopyAsWritesTheDocumentButKeepsItsPathAndChanges) {
    const std::string song = SavedSong("song.ltf");
    doc.SendKeyToCursor('2');
    told.clear();
    prompter.QueueFile(PathOf("copy.ltf"));
    ASSERT_TRUE(files.SaveCopyAs());
    const FileDialogOptions& save = prompter.FileDialogs().back();
    EXPECT_TRUE(save.overwritePrompt);
    EXPECT_EQ(save.initialName, "");
    EXPECT_EQ(doc.GetPathName(), song);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(ReadDocumentContents(PathOf("copy.ltf")), doc.ContentsBytes());
}

TEST_F(FileCommandsTest, EverySaveReachedThroughTheQuestionIsTold) {
    const std::string song = SavedSong("song.ltf");
    doc.OnNewDocument();
    doc.SendKeyToCursor('4');
    told.clear();

    // Open another file; "Save changes to Untitled?" answered Yes asks for a name (Save As).
    prompter.QueueFile(song);
    prompter.QueueAnswer(MessageAnswer::Yes);
    prompter.QueueFile(PathOf("answered.ltf"));
    EXPECT_EQ(files.Open(), Outcome::Done);
    EXPECT_EQ(told, (std::vector<std::string>{PathOf("answered.ltf"), song}));
    EXPECT_FALSE(ReadDocumentContents(PathOf("answered.ltf")).empty());

    // Closing the window asks the document directly, without a File command: still told.
    doc.SendKeyToCursor('5');
    told.clear();
    prompter.QueueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(told, (std::vector<std::string>{song}));

    // A cancelled Save As and a No tell nothing.
    doc.SendKeyToCursor('6');
    told.clear();
    prompter.QueueFile(std::nullopt);
    EXPECT_FALSE(files.SaveAs());
    prompter.QueueAnswer(MessageAnswer::No);
    EXPECT_TRUE(files.New());
    EXPECT_TRUE(told.empty());
}

TEST_F(FileCommandsTest, SavesAfterTheCommandsAreGoneTellNobody) {
    std::vector<std::string> late;
    {
        FileCommands gone(doc);
        gone.SetFileHandler([&late](const std::string& path) { late.push_back(path); });
    }
    doc.SendKeyToCursor('1');
    EXPECT_TRUE(doc.SaveToPath(PathOf("after.ltf")));
    EXPECT_TRUE(late.empty());
}

}  // namespace
}  // namespace lutaris
