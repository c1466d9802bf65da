// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// The reader against the files in tests/data: damaged ones it must refuse, each for its own
// reason, and valid ones in shapes our writer never makes. tests/data/damaged-cfb/make.py
// makes both.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "compound/ClassId.h"
#include "compound/CompoundFileError.h"
#include "compound/CompoundFileReader.h"
#include "platform/files/DocumentClassId.h"
#include "support/TestPaths.h"

namespace lutaris {
namespace {

namespace fs = std::filesystem;

fs::path DataDir(const std::string& name) { return test::SourceDir() / "tests" / "data" / name; }

// The bytes make.py puts into its streams.
std::vector<std::uint8_t> MakePattern(std::size_t size, std::uint32_t seed) {
    std::vector<std::uint8_t> bytes(size);
    std::uint32_t state = seed;
    for (auto& byte : bytes) {
        state = state * 214013u + 2531011u;
        byte = static_cast<std::uint8_t>(state >> 16);
    }
    return bytes;
}

std::string Rejection(const std::vector<std::uint8_t>& file) {
    try {
        const CompoundFileReader reader(file);
        for (const auto& name : reader.StreamNames()) reader.ReadStream(name);
    } catch (const CompoundFileError& error) {
        return error.what();
    }
    return "";
}

const std::map<std::string, std::string>& ExpectedReasons() {
    static const std::map<std::string, std::string> reasons = {
        {"bad-sector-shift.cfb", "sector shift 12 does not match version 3"},
        {"bad-sector-shift-v4.cfb", "sector shift 9 does not match version 4"},
        {"directory-child-cycle.cfb", "form a cycle"},
        {"directory-sibling-cycle.cfb", "form a cycle"},
        {"fat-chain-ends-early.cfb", "chain ends after 4 of 10 sectors"},
        {"fat-sector-out-of-range.cfb", "sector 5000 is out of range"},
        {"looping-difat.cfb", "DIFAT chain loops back"},
        {"looping-directory-chain.cfb", "the directory: chain loops back"},
        {"looping-fat-chain.cfb", "chain loops back to sector"},
        {"looping-mini-chain.cfb", "chain loops back to mini sector"},
        {"mini-chain-out-of-range.cfb", "mini sector 900 is out of range"},
        {"mini-stream-size-beyond-file.cfb", "mini stream: its size of 2147483392 bytes is beyond"},
        {"sibling-out-of-range.cfb", "points to entry 4000"},
        {"start-sector-out-of-range.cfb", "sector 1048576 is out of range"},
        {"stream-chain-into-directory.cfb", "already used by the directory"},
        {"stream-size-beyond-file.cfb", "size of 4294967280 bytes is beyond the file"},
        {"stream-size-beyond-file-v4.cfb", "size of 9223372036854775792 bytes is beyond"},
        {"unused-entry-in-tree.cfb", "entry 1 in the tree has type 0"},
        {"duplicate-names.cfb", "appears twice in one storage"},
        {"name-length-too-long.cfb", "name length of 66 bytes"},
    };
    return reasons;
}

TEST(CompoundFileCorpus, EveryDamagedFileIsRefusedForItsOwnReason) {
    std::set<std::string> seen;
    for (const auto& entry : fs::directory_iterator(DataDir("damaged-cfb"))) {
        if (entry.path().extension() != ".cfb") continue;
        const std::string name = entry.path().filename().string();
        seen.insert(name);
        const auto expected = ExpectedReasons().find(name);
        ASSERT_NE(expected, ExpectedReasons().end()) << name << " has no expected reason here";
        const std::string reason = Rejection(test::ReadFileBytes(entry.path()));
        EXPECT_NE(reason.find(expected->second), std::string::npos)
            << name << " was refused with \"" << reason << "\"";
    }
    EXPECT_EQ(seen.size(), ExpectedReasons().size()) << "files missing from the corpus";
}

struct ValidStream {
    std::string name;
    std::size_t size;
    std::uint32_t seed;
};

void ExpectStreams(const std::string& file, const std::vector<ValidStream>& streams) {
    const auto bytes = test::ReadFileBytes(DataDir("valid-cfb") / file);
    const CompoundFileReader reader(bytes);
    EXPECT_EQ(reader.RootClassId(), kDocumentClassId) << file;
    std::vector<std::string> names;
    for (const auto& stream : streams) {
        names.push_back(stream.name);
        EXPECT_EQ(reader.ReadStream(stream.name), MakePattern(stream.size, stream.seed))
            << file << ": " << stream.name;
    }
    EXPECT_EQ(reader.StreamNames(), names) << file;
}

TEST(CompoundFileCorpus, ReadsVersion4Files) {
    ExpectStreams("valid-v4.cfb", {{"Small", 283, 1}, {"Contents", 5000, 2}});
}

TEST(CompoundFileCorpus, ListsOnlyRootStreamsAndSkipsStorages) {
    ExpectStreams("valid-v3-several-streams.cfb",
                  {{"Big", 5000, 2}, {"Other", 100, 3}, {"Contents", 283, 1}});
    const auto file = test::ReadFileBytes(DataDir("valid-cfb") / "valid-v3-several-streams.cfb");
    const CompoundFileReader reader(file);
    EXPECT_FALSE(reader.ReadStream("Storage").has_value());
    EXPECT_FALSE(reader.ReadStream("Inner").has_value());
}

TEST(CompoundFileCorpus, IgnoresTheHighHalfOfAVersion3StreamSize) {
    ExpectStreams("valid-v3-size-high-bits-set.cfb", {{"Contents", 5000, 2}});
}

TEST(CompoundFileCorpus, AcceptsAFileThatEndsRightAfterTheLastStreamByte) {
    ExpectStreams("valid-v3-short-last-sector.cfb", {{"Contents", 5000, 2}});
    // One byte fewer and the stream is incomplete.
    auto bytes = test::ReadFileBytes(DataDir("valid-cfb") / "valid-v3-short-last-sector.cfb");
    bytes.pop_back();
    EXPECT_NE(Rejection(bytes).find("cut short"), std::string::npos) << Rejection(bytes);
}

}  // namespace
}  // namespace lutaris
