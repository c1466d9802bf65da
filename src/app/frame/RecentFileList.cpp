// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/frame/RecentFileList.h"

#include <algorithm>

namespace lutaris {

namespace {

constexpr std::size_t kLongestShownPath = 40;

std::string Shortened(const std::string& path) {
    if (path.size() <= kLongestShownPath) return path;
    // Keep the first folder and the file name: "/home/…/song.ltf".
    const std::size_t nameStart = path.find_last_of('/');
    const std::string name = nameStart == std::string::npos ? path : path.substr(nameStart + 1);
    const std::size_t firstFolderEnd = path.find('/', 1);
    if (nameStart == std::string::npos || firstFolderEnd == std::string::npos ||
        firstFolderEnd >= nameStart)
        return name;
    return path.substr(0, firstFolderEnd + 1) + "..." + path.substr(nameStart);
}

}  // namespace

void RecentFileList::Add(const std::string& path) {
    if (path.empty()) return;
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > maxSize_) paths_.resize(maxSize_);
}

void RecentFileList::Remove(std::size_t index) {
    if (index < paths_.size()) paths_.erase(paths_.begin() + static_cast<std::ptrdiff_t>(index));
}

void RecentFileList::Assign(const std::vector<std::string>& paths) {
    paths_.clear();
    for (auto it = paths.rbegin(); it != paths.rend(); ++it) Add(*it);
}

std::string RecentFileList::MenuText(std::size_t index, const std::string& path) {
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (const char c : Shortened(path)) {
        text += c;
        if (c == '&') text += '&';
    }
    return text;
}

}  // namespace lutaris
