// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/recovery/RecoveryInfo.h"

#include <charconv>
#include <string_view>

namespace lutaris {
namespace {

constexpr std::string_view kHeader = "Lutaris recovery 1";

std::string Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        switch (text[i]) {
            case '\\':
                out += '\\';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            default:
                return std::nullopt;
        }
    }
    return out;
}

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::string FormatRecoveryInfo(const RecoveryInfo& info) {
    std::string text(kHeader);
    text += "\npid " + std::to_string(info.owner.pid);
    text += "\nstart " + std::to_string(info.owner.start);
    text += "\ntime " + std::to_string(info.savedAt);
    text += "\npath " + Escape(info.originalPath);
    text += "\ntitle " + Escape(info.title);
    text += '\n';
    return text;
}

std::optional<RecoveryInfo> ParseRecoveryInfo(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kMaxRecoveryInfoBytes) return std::nullopt;
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    // Written whole with its final line break, so a file without one was cut short.
    if (!text.ends_with('\n')) return std::nullopt;
    std::optional<std::int64_t> pid;
    std::optional<std::uint64_t> start;
    std::optional<std::int64_t> time;
    std::optional<std::string> path;
    std::optional<std::string> title;
    bool first = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (first) {
            if (line != kHeader) return std::nullopt;
            first = false;
            continue;
        }
        const std::size_t blank = line.find(' ');
        if (blank == std::string_view::npos) return std::nullopt;
        const std::string_view key = line.substr(0, blank);
        const std::string_view value = line.substr(blank + 1);
        if (key == "pid") {
            if (!(pid = ParseNumber<std::int64_t>(value))) return std::nullopt;
        } else if (key == "start") {
            if (!(start = ParseNumber<std::uint64_t>(value))) return std::nullopt;
        } else if (key == "time") {
            if (!(time = ParseNumber<std::int64_t>(value))) return std::nullopt;
        } else if (key == "path") {
            if (!(path = Unescape(value))) return std::nullopt;
        } else if (key == "title") {
            if (!(title = Unescape(value))) return std::nullopt;
        }
    }
    if (!pid || !start || !time || !path || !title || *pid <= 0) return std::nullopt;
    return RecoveryInfo{{*pid, *start}, *time, std::move(*path), std::move(*title)};
}

}  // namespace lutaris
