#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "model/CCorvaneDoc.h"
#include "platform/ScriptedPrompter.h"
#include "support/TestPaths.h"

namespace lutaris {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

#if defined(__SANITIZE_ADDRESS__)
// Under the sanitizers a save takes several times as long; the ordinary build makes the full
// hundred kills, this one enough to run the code under the sanitizers' eyes.
constexpr int kKills = 20;
#else
constexpr int kKills = 100;
#endif
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

// A save killed at any moment (kill -9: no handler, no clean-up) leaves the document's file
// whole: the old version or the new one, byte for byte. A temporary file may stay behind, but
// the next save of the same file removes it.
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
    const auto saveStart = Clock::now();
    ASSERT_TRUE(first.OnSaveDocument(path.string()));
    const auto saveTime = Clock::now() - saveStart;
    const auto versionA = ReadWhole(path);
    ASSERT_GT(versionA.size(), 30'000'000u);
    ASSERT_NE(versionA, versionB);

    const auto seed = std::random_device{}();
    std::mt19937 random(seed);
    // Kill anywhere from before the first save of a child has begun to the middle of its
    // second: a child's first save, its memory still shared with the parent, is the slower.
    const auto window = std::chrono::duration_cast<std::chrono::microseconds>(saveTime);
    std::uniform_int_distribution<std::int64_t> delay(0, window.count());

    int foundA = 0;
    int foundB = 0;
    int leftTemporary = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                second.OnSaveDocument(path.string());
                first.OnSaveDocument(path.string());
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process ended by itself";

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
    std::printf("[ save     ] %d kills (seed %u, one save %.0f ms): version A %d, version B %d, "
                "temporary file left %d times\n",
                kKills, seed,
                std::chrono::duration<double, std::milli>(saveTime).count(), foundA, foundB,
                leftTemporary);
    // Without kills in the middle of writing the test would prove nothing.
    EXPECT_GT(leftTemporary, 0);
    EXPECT_GT(foundB, 0);
}

}  // namespace
}  // namespace lutaris
