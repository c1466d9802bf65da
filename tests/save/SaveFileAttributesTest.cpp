// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

namespace fs = std::filesystem;
using test::Note;
using test::ReadFileBytes;

class SaveFileAttributesTest : public test::DocumentTest {
protected:
    // Changes the document and saves it with File > Save under the path it has.
    void ChangeAndSave() {
        doc.SetNote(*doc.tabItems[0], Note(static_cast<std::int32_t>(++changes), 0, 0));
        doc.UpdateStep();
        ASSERT_TRUE(doc.DoFileSave());
        EXPECT_TRUE(prompter.Messages().empty());
    }

    // What the document's file holds now, saved fresh elsewhere for comparison.
    std::vector<unsigned char> CurrentBytes() {
        const auto path = (dir / "expected.ltf").string();
        EXPECT_TRUE(doc.OnSaveDocument(path));
        doc.SetModifiedFlag(false);
        auto bytes = ReadFileBytes(path);
        fs::remove(path);
        return bytes;
    }

    int changes = 0;
};

TEST_F(SaveFileAttributesTest, SavingKeepsTheOldFilesPermissions) {
    const auto path = dir / "song.ltf";
    ASSERT_TRUE(doc.SaveToPath(path.string()));
    for (const auto mode : {fs::perms(0640), fs::perms(0604), fs::perms(0400), fs::perms(0755)}) {
        fs::permissions(path, mode);
        ChangeAndSave();
        EXPECT_EQ(fs::status(path).permissions(), mode);
        EXPECT_EQ(ReadFileBytes(path), CurrentBytes());
    }
}

TEST_F(SaveFileAttributesTest, SavingThroughALinkWritesItsTargetAndKeepsTheLink) {
    fs::create_directory(dir / "music");
    const auto target = dir / "music" / "song.ltf";
    ASSERT_TRUE(doc.SaveToPath(target.string()));
    fs::permissions(target, fs::perms(0640));
    // A relative link, and a link to that link from another folder.
    fs::create_directory(dir / "desk");
    fs::create_symlink("music/song.ltf", dir / "song-link.ltf");
    fs::create_symlink("../song-link.ltf", dir / "desk" / "chain.ltf");

    for (const auto& link : {dir / "song-link.ltf", dir / "desk" / "chain.ltf"}) {
        doc.SetPathName(link.string());
        ChangeAndSave();
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(ReadFileBytes(target), CurrentBytes());
        EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
        EXPECT_EQ(doc.GetPathName(), link.string());
    }
    EXPECT_EQ(fs::read_symlink(dir / "song-link.ltf"), "music/song.ltf");
    // Nothing but the target in its folder: no temporary file was left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "music"), fs::directory_iterator()), 1);
}

TEST_F(SaveFileAttributesTest, ALinkThatLoopsFailsTheSaveAndChangesNothing) {
    fs::create_symlink("b.ltf", dir / "a.ltf");
    fs::create_symlink("a.ltf", dir / "b.ltf");
    doc.SetPathName((dir / "a.ltf").string());
    doc.SetNote(*doc.tabItems[0], Note(3, 0, 0));
    EXPECT_FALSE(doc.DoFileSave());
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Failed to save document."});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(fs::read_symlink(dir / "a.ltf"), "b.ltf");
    EXPECT_EQ(fs::read_symlink(dir / "b.ltf"), "a.ltf");
}

}  // namespace
}  // namespace lutaris
