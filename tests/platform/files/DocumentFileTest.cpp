// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "compound/ClassId.h"
#include "compound/CompoundFileReader.h"
#include "compound/CompoundFileWriter.h"
#include "platform/files/DocumentClassId.h"
#include "platform/files/DocumentFile.h"
#include "platform/files/SafeFileReplacer.h"
#include "support/CompoundFileSurgery.h"
#include "support/TestPaths.h"

namespace lutaris {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<std::string> FolderListing(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(DocumentFile, SavedFileIsACompoundFileWithTheClassIdAndContents) {
    TempDir dir;
    const auto contents = Bytes("Lutaris_0.2 and the rest");
    WriteDocumentFile(dir / "a.ltf", contents);
    const auto file = ReadFileBytes(dir / "a.ltf");
    const CompoundFileReader reader(file);
    EXPECT_EQ(reader.RootClassId(), kDocumentClassId);
    EXPECT_EQ(reader.StreamNames(), std::vector<std::string>{"Contents"});
    EXPECT_EQ(reader.ReadStream("Contents"), contents);
    EXPECT_EQ(ReadDocumentContents(dir / "a.ltf"), contents);
}

TEST(DocumentFile, SavedFileIsTheCompoundFileImageByteForByte) {
    TempDir dir;
    for (const std::size_t size : {0u, 135u, 4096u, 100000u}) {
        std::vector<std::uint8_t> contents(size);
        for (std::size_t i = 0; i < size; ++i) contents[i] = static_cast<std::uint8_t>(i * 7 + 3);
        WriteDocumentFile(dir / "a.ltf", contents);
        EXPECT_EQ(ReadFileBytes(dir / "a.ltf"),
                  WriteCompoundFile(kDocumentClassId, "Contents", contents))
            << size;
        EXPECT_EQ(ReadDocumentContents(dir / "a.ltf"), contents) << size;
    }
}

TEST(DocumentFile, StreamIsReadWhereverItsSectorsLie) {
    TempDir dir;
    std::vector<std::uint8_t> contents(5000);
    for (std::size_t i = 0; i < contents.size(); ++i) {
        contents[i] = static_cast<std::uint8_t>(i * 13 + i / 512);
    }
    const auto written = WriteCompoundFile(kDocumentClassId, "Contents", contents);
    const std::uint32_t start = test::StreamStart(written);
    const std::vector<std::vector<std::uint8_t>> files = {
        written, test::WithSectorsSwapped(written, start + 7, start + 8, start + 9),
        test::WithLastSectorMovedToTheEnd(written, start + 8, start + 9)};
    for (std::size_t i = 0; i < files.size(); ++i) {
        WriteFileBytes(dir / "a.ltf", files[i]);
        const DocumentContents read = ReadDocumentFile(dir / "a.ltf");
        EXPECT_TRUE(
            std::equal(read.Bytes().begin(), read.Bytes().end(), contents.begin(), contents.end()))
            << "file " << i;
        EXPECT_EQ(ReadDocumentContents(dir / "a.ltf"), contents) << "file " << i;
    }
}

TEST(DocumentFile, PlaybackStreamIsSavedBesideContentsOnlyWhenGiven) {
    TempDir dir;
    const auto contents = Bytes("Lutaris_0.2 and the rest");
    const auto playback = Bytes("tuning and tempo");
    WriteDocumentFile(dir / "a.ltf", contents, playback);
    const auto file = ReadFileBytes(dir / "a.ltf");
    EXPECT_EQ(file, DocumentFileBytes(contents, playback));
    const CompoundFileReader reader(file);
    EXPECT_EQ(reader.StreamNames(), (std::vector<std::string>{"Contents", "Playback"}));
    // A reader that asks only for "Contents" still finds it.
    EXPECT_EQ(ReadDocumentContents(dir / "a.ltf"), contents);
    SideStream read;
    const DocumentContents both = ReadDocumentFile(dir / "a.ltf", read);
    EXPECT_TRUE(std::ranges::equal(both.Bytes(), contents));
    EXPECT_EQ(read, playback);
    std::vector<std::uint8_t> scratch;
    SideStream fromStorage;
    EXPECT_TRUE(std::ranges::equal(StorageContents(file, scratch, fromStorage), contents));
    EXPECT_EQ(fromStorage, playback);

    // No playback bytes: the file is the one-stream file, and reading says there is none.
    WriteDocumentFile(dir / "a.ltf", contents, {});
    EXPECT_EQ(ReadFileBytes(dir / "a.ltf"),
              WriteCompoundFile(kDocumentClassId, "Contents", contents));
    ReadDocumentFile(dir / "a.ltf", read);
    EXPECT_FALSE(read.has_value());
    WriteFileBytes(dir / "plain.ltf", contents);
    ReadDocumentFile(dir / "plain.ltf", read);
    EXPECT_FALSE(read.has_value());
}

TEST(DocumentFile, AnOverlongPlaybackStreamIsReadOnlyFarEnoughToShowItsLength) {
    TempDir dir;
    const std::vector<std::uint8_t> playback(100000, 0x41);
    WriteDocumentFile(dir / "a.ltf", Bytes("Lutaris_0.2"), playback);
    SideStream read;
    ReadDocumentFile(dir / "a.ltf", read);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->size(), kMaxSideStreamBytes + 1);
}

TEST(DocumentFile, PlainFileIsReadWholeAsTheStream) {
    TempDir dir;
    for (const auto& text :
         {std::string(), std::string("Lutaris_0.2"), std::string("\xD0\xCF\x11")}) {
        WriteFileBytes(dir / "plain.ltf", Bytes(text));
        EXPECT_EQ(ReadDocumentContents(dir / "plain.ltf"), Bytes(text));
    }
}

TEST(DocumentFile, CompoundFileWithoutContentsGivesNoBytes) {
    TempDir dir;
    WriteFileBytes(dir / "other.ltf", WriteCompoundFile(kDocumentClassId, "Other", Bytes("x")));
    EXPECT_TRUE(ReadDocumentContents(dir / "other.ltf").empty());
}

TEST(DocumentFile, UnreadableOrDamagedFilesThrowWithAReason) {
    TempDir dir;
    auto reasonFor = [](const fs::path& path) -> std::string {
        try {
            ReadDocumentContents(path);
        } catch (const DocumentReadError& error) {
            return error.what();
        }
        return "(no error)";
    };
    EXPECT_NE(reasonFor(dir / "missing.ltf").find("No such file"), std::string::npos);
    EXPECT_NE(reasonFor(dir.Path()).find("not a regular file"), std::string::npos);
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_NE(reasonFor(dir / "fifo").find("not a regular file"), std::string::npos);
    auto damaged = WriteCompoundFile(kDocumentClassId, "Contents", Bytes("abc"));
    damaged.resize(1000);  // signature intact, sectors gone
    WriteFileBytes(dir / "cut.ltf", damaged);
    EXPECT_NE(reasonFor(dir / "cut.ltf").find("damaged compound file"), std::string::npos);
}

TEST(DocumentFile, RefusesAFileOverTheSizeLimitUnread) {
    TempDir dir;
    const auto path = dir / "huge.ltf";
    WriteFileBytes(path, Bytes("Lutaris_0.2"));
    // Sparse: takes no room on disk, but reading it would take over 2 GiB of memory.
    fs::resize_file(path, kMaxDocumentFileBytes + 1);
    try {
        ReadDocumentContents(path);
        ADD_FAILURE() << "read a file over the limit";
    } catch (const DocumentReadError& error) {
        EXPECT_NE(std::string(error.what()).find("more than the"), std::string::npos)
            << error.what();
    }
}

TEST(DocumentFile, SavingKeepsThePermissionsOfTheOldFile) {
    TempDir dir;
    const auto path = dir / "a.ltf";
    WriteFileBytes(path, Bytes("old"));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    WriteDocumentFile(path, Bytes("new"));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadDocumentContents(path), Bytes("new"));
}

TEST(DocumentFile, NewFileGetsTheUsualPermissionsLessTheUmask) {
    TempDir dir;
    const mode_t previous = ::umask(022);
    WriteDocumentFile(dir / "new.ltf", Bytes("x"));
    ::umask(previous);
    struct stat info {};
    ASSERT_EQ(::stat((dir / "new.ltf").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
}

TEST(DocumentFile, SavingThroughASymbolicLinkReplacesItsTargetAndKeepsTheLink) {
    TempDir dir;
    fs::create_directory(dir / "real");
    WriteFileBytes(dir / "real" / "doc.ltf", Bytes("old"));
    fs::create_symlink("real/doc.ltf", dir / "link.ltf");
    fs::create_symlink(dir / "link.ltf", dir / "link2.ltf");  // a chain of two links
    WriteDocumentFile(dir / "link2.ltf", Bytes("new"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.ltf"));
    EXPECT_TRUE(fs::is_symlink(dir / "link2.ltf"));
    EXPECT_EQ(ReadDocumentContents(dir / "real" / "doc.ltf"), Bytes("new"));
    EXPECT_EQ(FolderListing(dir.Path()),
              (std::vector<std::string>{"link.ltf", "link2.ltf", "real"}));
    EXPECT_EQ(FolderListing(dir / "real"), std::vector<std::string>{"doc.ltf"});
}

TEST(DocumentFile, SavingThroughADanglingLinkCreatesItsTarget) {
    TempDir dir;
    fs::create_symlink("target.ltf", dir / "link.ltf");
    WriteDocumentFile(dir / "link.ltf", Bytes("new"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.ltf"));
    EXPECT_EQ(ReadDocumentContents(dir / "target.ltf"), Bytes("new"));
}

TEST(DocumentFile, SavingIntoAPathThatCannotHoldAFileThrows) {
    TempDir dir;
    WriteFileBytes(dir / "file", Bytes("not a folder"));
    EXPECT_THROW(WriteDocumentFile(dir / "file" / "doc.ltf", Bytes("x")), DocumentWriteError);
    fs::create_directory(dir / "folder.ltf");
    EXPECT_THROW(WriteDocumentFile(dir / "folder.ltf", Bytes("x")), DocumentWriteError);
    EXPECT_EQ(ReadFileBytes(dir / "file"), Bytes("not a folder"));
    EXPECT_EQ(FolderListing(dir.Path()), (std::vector<std::string>{"file", "folder.ltf"}));
}

// A write that fails halfway, as on a full disk. The file size limit makes it fail for root
// too, which a read-only folder would not; it runs in a child so the limit stays there.
TEST(DocumentFile, FailedWriteLeavesTheOldFileAsItWasAndNoTemporaryFile) {
    TempDir dir;
    const auto path = dir / "doc.ltf";
    const auto old = WriteCompoundFile(kDocumentClassId, "Contents", Bytes("old contents"));
    WriteFileBytes(path, old);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{8192, 8192};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            WriteDocumentFile(path, std::vector<std::uint8_t>(100000, 0x55));
        } catch (const DocumentWriteError& error) {
            const bool saysWhy =
                std::string(error.what()).find("cannot write") != std::string::npos;
            ::_exit(saysWhy ? 0 : 3);
        }
        ::_exit(2);  // reported success
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: no error reported, 3: the reason was missing";
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(FolderListing(dir.Path()), std::vector<std::string>{"doc.ltf"});
}

TEST(DocumentFile, SavingRemovesTemporaryFilesThatAnEarlierCrashLeft) {
    TempDir dir;
    const std::string prefix = TemporaryFilePrefix("doc.ltf");
    WriteFileBytes(dir / (prefix + "AbC123"), Bytes("stale"));
    WriteFileBytes(dir / (prefix + "zzzzzz"), Bytes("stale"));
    // Not ours: another target's leftover and names that only look alike.
    WriteFileBytes(dir / (TemporaryFilePrefix("other.ltf") + "AbC123"), Bytes("keep"));
    WriteFileBytes(dir / (prefix + "AbC12"), Bytes("keep"));
    WriteFileBytes(dir / (prefix + "AbC123.bak"), Bytes("keep"));
    WriteDocumentFile(dir / "doc.ltf", Bytes("new"));
    EXPECT_EQ(FolderListing(dir.Path()),
              (std::vector<std::string>{prefix + "AbC12", prefix + "AbC123.bak",
                                        TemporaryFilePrefix("other.ltf") + "AbC123", "doc.ltf"}));
}

}  // namespace
}  // namespace lutaris
