// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/files/PrivateProfile.h"
#include "support/TestPaths.h"

namespace lutaris {
namespace {

using test::TempDir;
using test::WriteFileText;

TEST(PrivateProfile, MissingFileOrKeyGivesTheDefault) {
    TempDir dir;
    const auto path = (dir / "none.ini").string();
    EXPECT_EQ(GetPrivateProfileInt("TAB", "leftMargin", 17, path), 17);
    WriteFileText(dir / "a.ini", "[TAB]\nother=3\n");
    EXPECT_EQ(GetPrivateProfileInt("TAB", "leftMargin", 17, (dir / "a.ini").string()), 17);
}

TEST(PrivateProfile, SectionAndKeyMatchWithoutCaseAndFirstSectionWins) {
    TempDir dir;
    WriteFileText(dir / "a.ini",
                  "[other]\nnumberOfStrings=9\n[tab]\n  NUMBEROFSTRINGS = 4 \n[TAB]\n"
                  "numberOfStrings=5\n");
    EXPECT_EQ(GetPrivateProfileInt("TAB", "numberOfStrings", 6, (dir / "a.ini").string()), 4);
}

TEST(PrivateProfile, ValuesAreTakenAsWrittenOrZeroWhenNotANumber) {
    TempDir dir;
    WriteFileText(dir / "a.ini",
                  "[TAB]\r\nneg=-7\r\nplus=+12\r\nlead=   33abc\r\nword=abc\r\nempty=\r\n"
                  "signonly=-\r\nhuge=4294967297\r\nlast=99");
    const auto path = (dir / "a.ini").string();
    EXPECT_EQ(GetPrivateProfileInt("TAB", "neg", 1, path), -7);
    EXPECT_EQ(GetPrivateProfileInt("TAB", "plus", 1, path), 12);
    EXPECT_EQ(GetPrivateProfileInt("TAB", "lead", 1, path), 33);
    EXPECT_EQ(GetPrivateProfileInt("TAB", "word", 1, path), 0);
    EXPECT_EQ(GetPrivateProfileInt("TAB", "signonly", 1, path), 0);
    EXPECT_EQ(GetPrivateProfileInt("TAB", "empty", 5, path), 5);
    EXPECT_EQ(GetPrivateProfileInt("TAB", "huge", 1, path), 1);   // wraps at 32 bits
    EXPECT_EQ(GetPrivateProfileInt("TAB", "last", 1, path), 99);  // no final line feed
}

TEST(PrivateProfile, MalformedFilesGiveDefaults) {
    TempDir dir;
    const auto path = (dir / "a.ini").string();
    WriteFileText(dir / "a.ini", "numberOfStrings=3\n");  // no section at all
    EXPECT_EQ(GetPrivateProfileInt("TAB", "numberOfStrings", 6, path), 6);
    WriteFileText(dir / "a.ini", std::string(300000, 'x') + "\n\x01\x02[TAB\nnumberOfStrings");
    EXPECT_EQ(GetPrivateProfileInt("TAB", "numberOfStrings", 6, path), 6);
    WriteFileText(dir / "a.ini", std::string("[TAB]\n\0\0\0numberOfStrings=2\n", 27));
    EXPECT_EQ(GetPrivateProfileInt("TAB", "numberOfStrings", 6, path), 6);  // not that key
}

// Something else in the settings file's place: reading it must neither block nor take what a
// writer feeds it. The writer here stands ready to unblock a reader that waits in open() for
// it, so that a reader that would hang fails the test instead.
TEST(PrivateProfile, AFifoOrAFolderInPlaceOfTheFileGivesTheDefault) {
    TempDir dir;
    const auto fifo = dir / "Lutaris.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::atomic<bool> done{false};
    std::thread writer([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done && std::chrono::steady_clock::now() < deadline) {
            const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                const char text[] = "[TAB]\nleftMargin=5\n";
                [[maybe_unused]] const auto written = ::write(fd, text, sizeof text - 1);
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    EXPECT_EQ(GetPrivateProfileInt("TAB", "leftMargin", 17, fifo.string()), 17);
    done = true;
    writer.join();

    std::filesystem::create_directory(dir / "folder.ini");
    EXPECT_EQ(GetPrivateProfileInt("TAB", "leftMargin", 17, (dir / "folder.ini").string()), 17);
}

TEST(PrivateProfile, TextInMemoryReadsAsTheFileWould) {
    EXPECT_EQ(GetProfileIntFromText("[tab]\r\nLEFTMARGIN = 9x\r\n", "TAB", "leftMargin", 1), 9);
    EXPECT_EQ(GetProfileIntFromText("", "TAB", "leftMargin", 4), 4);
}

TEST(ParseLeadingDecimal, ReadsSignAndDigitsOnly) {
    EXPECT_EQ(ParseLeadingDecimal(" 12"), 12);
    EXPECT_EQ(ParseLeadingDecimal("3x"), 3);
    EXPECT_EQ(ParseLeadingDecimal("-7"), -7);
    EXPECT_EQ(ParseLeadingDecimal("abc"), 0);
    EXPECT_EQ(ParseLeadingDecimal(""), 0);
}

}  // namespace
}  // namespace lutaris
