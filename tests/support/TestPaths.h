// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace lutaris::test {

// Where the team's shared data lives (beside the checkout): the corpus of real text tabs, which
// is other people's work and never copied into the project.
inline std::filesystem::path SharedDir() { return LUTARIS_SHARED_DIR; }
inline std::filesystem::path SourceDir() { return LUTARIS_SOURCE_DIR; }
inline std::filesystem::path BinaryDir() { return LUTARIS_BINARY_DIR; }

// A fresh, empty folder for one test; removed again when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Switches the process's current directory for the lifetime of the object.
class ScopedCurrentDir {
public:
    explicit ScopedCurrentDir(const std::filesystem::path& dir);
    ~ScopedCurrentDir();
    ScopedCurrentDir(const ScopedCurrentDir&) = delete;
    ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

private:
    std::filesystem::path previous_;
};

// A clone of the project alone has no shared folder: a test that reads it is skipped (CTest
// shows it as skipped, with the folder it missed) instead of failing.
#define LUTARIS_SKIP_WITHOUT_SHARED(folder)                                                    \
    do {                                                                                      \
        if (!std::filesystem::is_directory(folder))                                           \
            GTEST_SKIP() << "needs the shared folder " << (folder).string()                  \
                         << ", which is not beside this checkout";                            \
    } while (false)

std::vector<unsigned char> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);
void WriteFileText(const std::filesystem::path& path, const std::string& text);
std::string ReadFileText(const std::filesystem::path& path);

}  // namespace lutaris::test
