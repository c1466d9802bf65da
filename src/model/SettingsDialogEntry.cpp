// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "model/SettingsDialogEntry.h"

#include <limits>

#include "model/TabSettings.h"

namespace lutaris {
namespace {

constexpr std::size_t kReadLength = 4;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::int32_t ReadDialogInteger(std::string_view text) {
    // The dialog copied the box into a five-byte buffer, so only four characters ever reached
    // the conversion: "12345" reads as 1234 and "   7" as 7, but "    7" as 0.
    text = text.substr(0, kReadLength);
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int32_t value = 0;  // at most four digits: no overflow possible
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i] - '0');
        ++i;
    }
    return negative ? -value : value;
}

std::optional<std::int32_t> ReadWholeNumber(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsSpace(text[begin])) ++begin;
    while (end > begin && IsSpace(text[end - 1])) --end;
    text = text.substr(begin, end - begin);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::int64_t{1} << 31) return std::nullopt;
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<SettingsEntryProblem> SettingsDialogEntry::FirstProblem() const {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const SettingsBoxRange& range = kSettingsBoxRanges[i];
        const std::optional<std::int32_t> value = ReadWholeNumber(texts[i]);
        if (value && *value >= range.min && *value <= range.max) continue;
        return SettingsEntryProblem{static_cast<int>(i), std::string(range.label) +
                                                             " must be a whole number from " +
                                                             std::to_string(range.min) + " to " +
                                                             std::to_string(range.max) + "."};
    }
    return std::nullopt;
}

void SettingsDialogEntry::Normalize() {
    for (std::string& text : texts) {
        if (const std::optional<std::int32_t> value = ReadWholeNumber(text))
            text = std::to_string(*value);
    }
}

SettingsDialogEntry SettingsDialogEntry::FromSettings(const TabSettings& settings) {
    SettingsDialogEntry entry;
    entry.texts = {std::to_string(settings.horizontalSpacing),
                   std::to_string(settings.verticalSpacing), std::to_string(settings.textFloat),
                   std::to_string(settings.numberOfStrings),
                   std::to_string(settings.nextLineSpacing)};
    entry.textOpaque = settings.textOpaque != 0;
    return entry;
}

void SettingsDialogEntry::ApplyTo(TabSettings& settings) const {
    settings.horizontalSpacing = ReadDialogInteger(texts[0]);
    settings.verticalSpacing = ReadDialogInteger(texts[1]);
    settings.textFloat = ReadDialogInteger(texts[2]);
    settings.numberOfStrings = ReadDialogInteger(texts[3]);
    settings.nextLineSpacing = ReadDialogInteger(texts[4]);
    settings.textOpaque = textOpaque ? 1 : 0;
}

}  // namespace lutaris
