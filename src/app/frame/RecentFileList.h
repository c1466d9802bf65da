// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lutaris {

// The most recently opened or saved documents, newest first, each path once.
class RecentFileList {
public:
    static constexpr std::size_t kDefaultSize = 4;

    explicit RecentFileList(std::size_t maxSize = kDefaultSize) : maxSize_(maxSize) {}

    void Add(const std::string& path);
    void Remove(std::size_t index);
    void Assign(const std::vector<std::string>& paths);
    const std::vector<std::string>& Paths() const { return paths_; }
    std::size_t MaxSize() const { return maxSize_; }

    // How a path appears in the File menu: "&1 name", shortened in the middle when long, with
    // any "&" of the path doubled so that it shows as itself.
    static std::string MenuText(std::size_t index, const std::string& path);

private:
    std::size_t maxSize_;
    std::vector<std::string> paths_;
};

}  // namespace lutaris
