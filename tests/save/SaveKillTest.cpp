// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "document/CCorvaneDoc.h"
#include "platform/files/SafeFileReplacer.h"
#include "platform/prompt/ScriptedPrompter.h"
#include "support/TestPaths.h"

namespace lutaris {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Kills during whole document saves (serialization included), and kills during the file
// replacement alone, which is where a kill can do harm and which costs far less time to reach.
#if defined(__SANITIZE_ADDRESS__)
// Under the sanitizers a save takes several times as long; the ordinary build makes the full
// hundred kills, this one enough to run the code under the sanitizers' eyes.
constexpr int kDocumentSaveKills = 4;
constexpr int kFileReplaceKills = 16;
#else
constexpr int kDocumentSaveKills = 20;
constexpr int kFileReplaceKills = 80;
#endif
constexpr int kKills = kDocumentSaveKills + kFileReplaceKills;
// 1000 items of 1500 notes: some 30 MB on disk.
constexpr int kItems = 1000;
constexpr int kNotesPerItem = 1500;

void Fill(CCorvaneDoc& doc, std::int32_t salt) {
    doc.OnNewDocument();
    for (int i = 1; i < kItems; ++i) doc.AppendTabItem(i);
    for (auto& item : doc.tabItems) {
        for (std::int32_t n = 0; n < kNotesPerItem; ++n) {
            item->AppendNote(TabNote{(n + salt) % 24, n % 6, n, salt, Normal});
        }
    }
}

enum class Version { Old, New, Neither };

// Which of the two versions the file holds. It is read in small pieces: after each fork the
// parent's memory is copy-on-write, and filling a fresh 30 MB buffer would fault on every page.
Version WhichVersion(const fs::path& path, const std::vector<char>& oldBytes,
                     const std::vector<char>& newBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Version::Neither;
    static char chunk[1 << 16];
    bool maybeOld = true;
    bool maybeNew = true;
    std::size_t offset = 0;
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got <= 0) {
            maybeOld = maybeOld && got == 0 && offset == oldBytes.size();
            maybeNew = maybeNew && got == 0 && offset == newBytes.size();
            break;
        }
        const auto size = static_cast<std::size_t>(got);
        maybeOld = maybeOld && offset + size <= oldBytes.size() &&
                   std::equal(chunk, chunk + size, oldBytes.begin() + offset);
        maybeNew = maybeNew && offset + size <= newBytes.size() &&
                   std::equal(chunk, chunk + size, newBytes.begin() + offset);
        offset += size;
    }
    ::close(fd);
    return maybeOld ? Version::Old : maybeNew ? Version::New : Version::Neither;
}

std::vector<char> ReadWhole(const fs::path& path) {
    const auto bytes = test::ReadFileBytes(path);
    return {bytes.begin(), bytes.end()};
}

std::vector<std::string> OthersIn(const fs::path& folder, const std::string& except) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename() != except) names.push_back(entry.path().filename().string());
    }
    return names;
}

// The saving process of one kill: runs the two saves in turn for ever and writes a byte to a
// pipe after each, so that the parent sees how far it got.
class SavingChild {
public:
    SavingChild(const std::function<void()>& saveNew, const std::function<void()>& saveOld) {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ends[0]);
            for (;;) {
                const char done = 1;
                saveNew();
                [[maybe_unused]] auto written = ::write(ends[1], &done, 1);
                saveOld();
                written = ::write(ends[1], &done, 1);
            }
        }
        ::close(ends[1]);
        savesDone_ = ends[0];
    }
    ~SavingChild() {
        Kill();
        if (savesDone_ >= 0) ::close(savesDone_);
    }
    SavingChild(const SavingChild&) = delete;
    SavingChild& operator=(const SavingChild&) = delete;

    bool Started() const { return pid_ > 0; }
    // Waits until `deadline`; returns when the child had first finished a save, if it did.
    std::optional<Clock::time_point> WaitUntil(Clock::time_point deadline) {
        std::optional<Clock::time_point> firstSave;
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - Clock::now());
            if (left.count() <= 0) break;
            pollfd ready{savesDone_, POLLIN, 0};
            if (::poll(&ready, 1, static_cast<int>(left.count())) > 0) {
                char bytes[64];
                if (::read(savesDone_, bytes, sizeof bytes) > 0 && !firstSave) {
                    firstSave = Clock::now();
                }
            }
        }
        if (!firstSave) {
            // A save may have ended within the last millisecond.
            pollfd ready{savesDone_, POLLIN, 0};
            if (::poll(&ready, 1, 0) > 0) firstSave = Clock::now();
        }
        return firstSave;
    }
    // SIGKILL: no handler, no clean-up, as a crash or a power cut would end a save.
    bool Kill() {
        if (pid_ <= 0) return true;
        ::kill(pid_, SIGKILL);
        int status = 0;
        const bool killed = ::waitpid(pid_, &status, 0) == pid_ && WIFSIGNALED(status);
        pid_ = -1;
        return killed;
    }

private:
    pid_t pid_ = -1;
    int savesDone_ = -1;
};

// Reports the creation of files in a folder (inotify), to catch a save as it starts writing.
class CreationWatch {
public:
    explicit CreationWatch(const fs::path& folder)
        : fd_(::inotify_init1(IN_CLOEXEC | IN_NONBLOCK)) {
        if (fd_ >= 0) ::inotify_add_watch(fd_, folder.c_str(), IN_CREATE);
    }
    ~CreationWatch() {
        if (fd_ >= 0) ::close(fd_);
    }
    CreationWatch(const CreationWatch&) = delete;
    CreationWatch& operator=(const CreationWatch&) = delete;

    void Forget() {
        alignas(inotify_event) char events[4096];
        while (::read(fd_, events, sizeof events) > 0) {
        }
    }
    // True once a file whose name starts with `prefix` is created, false after `timeout`.
    bool WaitFor(const std::string& prefix, std::chrono::milliseconds timeout) {
        const auto deadline = Clock::now() + timeout;
        while (Clock::now() < deadline) {
            pollfd ready{fd_, POLLIN, 0};
            if (::poll(&ready, 1, 100) <= 0) continue;
            alignas(inotify_event) char events[4096];
            const ssize_t got = ::read(fd_, events, sizeof events);
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(events + at);
                if (event->len > 0 && std::string(event->name).starts_with(prefix)) return true;
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return false;
    }

private:
    int fd_;
};

// A save killed at any moment (kill -9) leaves the document's file whole: the old version or
// the new one, byte for byte. A temporary file may stay behind, but the next save of the same
// file removes it.
//
// Some kills come at a random moment of whole document saves, serialization included. The
// others come during the file replacement alone (the same bytes, the same calls as the save
// makes once it has them), at a random moment after the temporary file appears: from the
// writing through the flush and the rename to the next save's start. Each phase's length is
// measured first, and the estimate grows whenever a save is seen to take longer, so the kills
// spread over the save whatever the machine's speed.
TEST(SaveKill, ASaveKilledAtAnyMomentLeavesTheOldFileOrTheNewOne) {
    test::TempDir dir;
    test::ScopedCurrentDir inDir(dir.Path());  // no settings file: built-in defaults
    ScriptedPrompter prompter;
    CCorvaneDoc first(prompter);
    CCorvaneDoc second(prompter);
    Fill(first, 1);
    Fill(second, 2);

    const fs::path path = dir / "big.ltf";
    ASSERT_TRUE(second.OnSaveDocument(path.string()));
    const auto versionB = ReadWhole(path);
    ASSERT_TRUE(first.OnSaveDocument(path.string()));
    const auto versionA = ReadWhole(path);
    ASSERT_GT(versionA.size(), 30'000'000u);
    ASSERT_NE(versionA, versionB);

    const std::function<void()> saveDocumentB = [&] { second.OnSaveDocument(path.string()); };
    const std::function<void()> saveDocumentA = [&] { first.OnSaveDocument(path.string()); };
    const auto replace = [&](const std::vector<char>& bytes) {
        try {
            ReplaceFileSafely(path.string(),
                              {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
        } catch (const FileWriteError&) {
        }
    };
    const std::function<void()> replaceB = [&] { replace(versionB); };
    const std::function<void()> replaceA = [&] { replace(versionA); };

    const std::string temporaryPrefix = TemporaryFilePrefix("big.ltf");
    CreationWatch watch(dir.Path());
    // How long a child takes to its first finished save: a whole document save (its memory,
    // shared with the parent, is copied as it is written, which makes it the slowest), and a
    // file replacement counted from the temporary file's creation.
    Clock::duration documentSave{};
    Clock::duration replaceSave{};
    {
        const auto start = Clock::now();
        SavingChild child(saveDocumentB, saveDocumentA);
        ASSERT_TRUE(child.Started());
        const auto done = child.WaitUntil(start + std::chrono::seconds(60));
        ASSERT_TRUE(done.has_value()) << "a save took more than a minute";
        documentSave = *done - start;
    }
    {
        watch.Forget();
        SavingChild child(replaceB, replaceA);
        ASSERT_TRUE(child.Started());
        ASSERT_TRUE(watch.WaitFor(temporaryPrefix, std::chrono::seconds(60)));
        const auto created = Clock::now();
        const auto done = child.WaitUntil(created + std::chrono::seconds(60));
        ASSERT_TRUE(done.has_value()) << "a save took more than a minute";
        replaceSave = *done - created;
    }

    const auto seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::int64_t> perMille(0, 1500);
    int foundA = 0;
    int foundB = 0;
    int leftTemporary = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        watch.Forget();
        const bool wholeSave = kill < kDocumentSaveKills;
        SavingChild child(wholeSave ? saveDocumentB : replaceB, wholeSave ? saveDocumentA : replaceA);
        ASSERT_TRUE(child.Started());
        auto start = Clock::now();
        if (!wholeSave) {
            ASSERT_TRUE(watch.WaitFor(temporaryPrefix, std::chrono::seconds(60)));
            start = Clock::now();
        }
        auto& estimate = wholeSave ? documentSave : replaceSave;
        if (const auto done = child.WaitUntil(start + estimate * perMille(random) / 1000)) {
            estimate = std::max(estimate, *done - start);
        }
        ASSERT_TRUE(child.Kill()) << "the saving process ended by itself";

        const auto version = WhichVersion(path, versionA, versionB);
        ASSERT_NE(version, Version::Neither)
            << "kill " << kill << " (seed " << seed << ") left a file that is neither version";
        foundA += version == Version::Old;
        foundB += version == Version::New;
        // Each save clears the leftovers of earlier ones, so at most the killed save's own
        // temporary file can be there.
        const auto others = OthersIn(dir.Path(), "big.ltf");
        ASSERT_LE(others.size(), 1u) << "kill " << kill << " (seed " << seed << ")";
        leftTemporary += static_cast<int>(others.size());
    }

    ASSERT_TRUE(first.OnSaveDocument(path.string()));
    EXPECT_TRUE(OthersIn(dir.Path(), "big.ltf").empty());
    EXPECT_TRUE(prompter.Messages().empty());
    std::printf("[ save     ] %d kills (seed %u; document save %.0f ms, file replacement %.0f ms):"
                " version A %d, version B %d, temporary file left %d times\n",
                kKills, seed, std::chrono::duration<double, std::milli>(documentSave).count(),
                std::chrono::duration<double, std::milli>(replaceSave).count(), foundA, foundB,
                leftTemporary);
    // Kills in the middle of writing must have happened; otherwise the test proved nothing.
    EXPECT_GT(leftTemporary, 0);
}

}  // namespace
}  // namespace lutaris
