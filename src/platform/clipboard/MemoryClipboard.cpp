// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/clipboard/MemoryClipboard.h"

#include <algorithm>
#include <utility>

namespace lutaris {

void MemoryClipboard::Clear() {
    formats_.clear();
    ++changeCount_;
}

void MemoryClipboard::SetFormats(std::vector<ClipboardFormat> formats) {
    formats_.clear();
    for (auto& format : formats) {
        auto same =
            std::find_if(formats_.begin(), formats_.end(),
                         [&](const ClipboardFormat& held) { return held.name == format.name; });
        if (same != formats_.end()) {
            same->data = std::move(format.data);
        } else {
            formats_.push_back(std::move(format));
        }
    }
    ++changeCount_;
}

const ClipboardFormat* MemoryClipboard::Find(const std::string& name) const {
    for (const auto& format : formats_) {
        if (format.name == name) return &format;
    }
    return nullptr;
}

bool MemoryClipboard::HasFormat(const std::string& name) const { return Find(name) != nullptr; }

std::optional<std::vector<std::uint8_t>> MemoryClipboard::GetFormat(const std::string& name) const {
    if (const ClipboardFormat* format = Find(name)) return format->data;
    return std::nullopt;
}

std::vector<std::string> MemoryClipboard::ListFormats() const {
    std::vector<std::string> names;
    names.reserve(formats_.size());
    for (const auto& format : formats_) names.push_back(format.name);
    return names;
}

}  // namespace lutaris
