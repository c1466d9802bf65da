// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "sound/SoundfontLocator.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>
#include <vector>

namespace lutaris {
namespace {

namespace fs = std::filesystem;

constexpr std::array<std::string_view, 3> kNames = {"default-GM.sf3", "default-GM.sf2",
                                                    "TimGM6mb.sf2"};
// A soundfont folder is a few levels deep; a folder of another kind is not walked for long.
constexpr int kMaxDepth = 3;
constexpr int kMaxEntries = 20000;

bool IsReadableFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) && ::access(path.c_str(), R_OK) == 0;
}

}  // namespace

std::optional<std::string> FindSoundfont(const std::string& folder) {
    std::array<std::vector<std::string>, kNames.size()> found;
    std::error_code error;
    fs::recursive_directory_iterator walk(folder, fs::directory_options::skip_permission_denied,
                                          error);
    int seen = 0;
    for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
        if (++seen > kMaxEntries) break;
        if (walk.depth() >= kMaxDepth) walk.disable_recursion_pending();
        const std::string name = walk->path().filename().string();
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            if (name == kNames[i] && IsReadableFile(walk->path())) {
                found[i].push_back(walk->path().string());
            }
        }
    }
    for (auto& paths : found) {
        if (paths.empty()) continue;
        std::sort(paths.begin(), paths.end());
        return paths.front();
    }
    return std::nullopt;
}

std::optional<std::string> ResolveSoundfont(const std::string& chosen, std::string* error,
                                            const std::string& folder) {
    if (!chosen.empty()) {
        if (IsReadableFile(chosen)) return chosen;
        if (error) *error = "The soundfont \"" + chosen + "\" cannot be read.";
        return std::nullopt;
    }
    if (auto found = FindSoundfont(folder)) return found;
    if (error) {
        *error = "No General MIDI soundfont was found under " + folder +
                 " (install timgm6mb-soundfont, or choose a soundfont).";
    }
    return std::nullopt;
}

}  // namespace lutaris
