// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/recovery/RecoveryStore.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <string_view>

#include "platform/files/SafeFileReplacer.h"

namespace lutaris {
namespace {

constexpr std::string_view kDataSuffix = ".ltf";
constexpr std::string_view kInfoSuffix = ".info";

template <typename Number>
std::optional<Number> Digits(std::string_view text) {
    if (text.empty() || text.size() > 20) return std::nullopt;
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

RecoveryStore::RecoveryStore(std::string folder, RecoveryFiles& files,
                             const ProcessTable& processes, ProcessIdentity self)
    : folder_(std::move(folder)), files_(files), processes_(processes), self_(self) {}

std::optional<std::string> RecoveryStore::DefaultFolder(
    const std::function<std::optional<std::string>(const char*)>& environment) {
    if (const auto state = environment("XDG_STATE_HOME"); state && state->starts_with('/'))
        return *state + "/lutaris/recovery";
    if (const auto home = environment("HOME"); home && home->starts_with('/'))
        return *home + "/.local/state/lutaris/recovery";
    return std::nullopt;
}

std::string RecoveryStore::NewId() {
    return std::to_string(self_.pid) + "-" + std::to_string(self_.start) + "-" +
           std::to_string(next_++);
}

std::optional<ProcessIdentity> RecoveryStore::OwnerOf(const std::string& id) {
    const std::size_t first = id.find('-');
    const std::size_t second = first == std::string::npos ? first : id.find('-', first + 1);
    if (second == std::string::npos) return std::nullopt;
    const std::string_view text(id);
    const auto pid = Digits<std::int64_t>(text.substr(0, first));
    const auto start = Digits<std::uint64_t>(text.substr(first + 1, second - first - 1));
    const auto number = Digits<std::uint64_t>(text.substr(second + 1));
    if (!pid || !start || !number || *pid <= 0) return std::nullopt;
    return ProcessIdentity{*pid, *start};
}

void RecoveryStore::Write(const std::string& id, std::span<const std::uint8_t> documentFile,
                          const RecoveryInfo& info) {
    files_.Write(DataPath(id), documentFile);
    const std::string text = FormatRecoveryInfo(info);
    files_.Write(InfoPath(id),
                 std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

bool RecoveryStore::Remove(const std::string& id) {
    // The info goes first: a document copy without one is still found, as damaged.
    const bool info = files_.Remove(InfoPath(id));
    const bool data = files_.Remove(DataPath(id));
    // A write that was killed midway leaves its temporary file; nobody writes this id again.
    const std::string prefixes[] = {TemporaryFilePrefix(id + std::string(kDataSuffix)),
                                    TemporaryFilePrefix(id + std::string(kInfoSuffix))};
    for (const std::string& name : files_.List(folder_)) {
        for (const std::string& prefix : prefixes)
            if (name.starts_with(prefix)) files_.Remove(folder_ + "/" + name);
    }
    return info && data;
}

std::vector<RecoveryCopy> RecoveryStore::Orphans() const {
    std::set<std::string> ids;
    for (const std::string& name : files_.List(folder_)) {
        std::string_view stem(name);
        if (stem.ends_with(kDataSuffix)) {
            stem.remove_suffix(kDataSuffix.size());
        } else if (stem.ends_with(kInfoSuffix)) {
            stem.remove_suffix(kInfoSuffix.size());
        } else {
            continue;  // a save's temporary file, or something that is not ours
        }
        if (OwnerOf(std::string(stem))) ids.emplace(stem);
    }
    std::vector<RecoveryCopy> copies;
    for (const std::string& id : ids) {
        const ProcessIdentity owner = *OwnerOf(id);
        if (owner == self_ || processes_.IsRunning(owner)) continue;
        RecoveryCopy copy{id, DataPath(id), owner, std::nullopt, false};
        if (const auto bytes = files_.Read(InfoPath(id), kMaxRecoveryInfoBytes))
            copy.info = ParseRecoveryInfo(*bytes);
        // An info that names another process was not written for this copy.
        if (copy.info && copy.info->owner != owner) copy.info.reset();
        copy.damaged = !copy.info || !files_.Exists(copy.dataPath);
        copies.push_back(std::move(copy));
    }
    std::stable_sort(copies.begin(), copies.end(), [](const auto& a, const auto& b) {
        if (a.damaged != b.damaged) return !a.damaged;
        return a.info && b.info && a.info->savedAt > b.info->savedAt;
    });
    return copies;
}

}  // namespace lutaris
