// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "model/PlaybackSettings.h"

#include <algorithm>

#include "platform/files/Archive.h"

namespace lutaris {
namespace {

constexpr std::int32_t kGuitarTop[] = {64, 59, 55, 50, 45, 40};  // E4 B3 G3 D3 A2 E2
constexpr std::int32_t kBassTop[] = {43, 38, 33, 28, 23};        // G2 D2 A1 E1 B0
constexpr std::int32_t kFourth = 5;

bool IsBass(std::int32_t numberOfStrings) { return numberOfStrings == 4 || numberOfStrings == 5; }

}  // namespace

std::vector<std::int32_t> DefaultTuning(std::int32_t numberOfStrings) {
    std::vector<std::int32_t> tuning;
    if (numberOfStrings <= 0) return tuning;
    // Strings beyond any real instrument's cannot sound anyway (MIDI has fifteen melodic
    // channels); the list stops where a stored tuning would.
    const auto count = std::min<std::size_t>(static_cast<std::size_t>(numberOfStrings),
                                             PlaybackSettings::kMaxTuningStrings);
    const std::span<const std::int32_t> top = IsBass(numberOfStrings)
                                                  ? std::span<const std::int32_t>(kBassTop)
                                                  : std::span<const std::int32_t>(kGuitarTop);
    for (std::size_t i = 0; i < count; ++i) {
        tuning.push_back(i < top.size() ? top[i] : tuning.back() - kFourth);
    }
    return tuning;
}

std::int32_t DefaultProgram(std::int32_t numberOfStrings) {
    return IsBass(numberOfStrings) ? PlaybackSettings::kFingerBass : PlaybackSettings::kSteelGuitar;
}

bool IsFrettedProgram(std::int32_t program) {
    return program >= PlaybackSettings::kFirstFrettedProgram &&
           program <= PlaybackSettings::kLastFrettedProgram;
}

std::vector<std::int32_t> PlaybackSettings::TuningFor(std::int32_t numberOfStrings) const {
    if (numberOfStrings > 0 && tuning.size() == static_cast<std::size_t>(numberOfStrings)) {
        return tuning;
    }
    return DefaultTuning(numberOfStrings);
}

std::int32_t PlaybackSettings::ProgramFor(std::int32_t numberOfStrings) const {
    return program == kDefaultProgram ? DefaultProgram(numberOfStrings) : program;
}

bool PlaybackSettings::IsDefaultFor(std::int32_t numberOfStrings) const {
    return Encode(numberOfStrings).empty();
}

// The stream: the magic text, the version, the tempo, the program (-1: the default), the count
// of stored open strings (0: the default tuning) and their pitches, all 32-bit little-endian.
std::vector<std::uint8_t> PlaybackSettings::Encode(std::int32_t numberOfStrings) const {
    const bool defaultTuning = tuning.empty() || tuning == DefaultTuning(numberOfStrings);
    const bool defaultProgram =
        program == kDefaultProgram || program == DefaultProgram(numberOfStrings);
    if (defaultTuning && defaultProgram && tempo == kDefaultTempo) return {};
    Archive archive;
    archive.WriteRaw(kMagic.data(), kMagic.size());
    archive.WriteInt32(kVersion);
    archive.WriteInt32(tempo);
    archive.WriteInt32(defaultProgram ? kDefaultProgram : program);
    const auto stored =
        defaultTuning ? std::span<const std::int32_t>() : std::span<const std::int32_t>(tuning);
    archive.WriteInt32(static_cast<std::int32_t>(stored.size()));
    for (const std::int32_t pitch : stored) archive.WriteInt32(pitch);
    return archive.TakeStoredBytes();
}

std::optional<PlaybackSettings> PlaybackSettings::Decode(std::span<const std::uint8_t> bytes) {
    try {
        Archive archive(bytes);
        char magic[kMagic.size()] = {};
        if (archive.ReadRaw(magic, sizeof magic) != kMagic.size() ||
            !std::equal(kMagic.begin(), kMagic.end(), magic)) {
            return std::nullopt;
        }
        if (archive.ReadInt32() != kVersion) return std::nullopt;
        PlaybackSettings read;
        read.tempo = archive.ReadInt32();
        read.program = archive.ReadInt32();
        const std::int32_t count = archive.ReadInt32();
        if (read.tempo < kMinTempo || read.tempo > kMaxTempo) return std::nullopt;
        if (read.program != kDefaultProgram && !IsFrettedProgram(read.program)) return std::nullopt;
        if (count < 0 || static_cast<std::size_t>(count) > kMaxTuningStrings) return std::nullopt;
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int32_t pitch = archive.ReadInt32();
            if (pitch < 0 || pitch > 127) return std::nullopt;
            read.tuning.push_back(pitch);
        }
        // Whatever follows is not of this version.
        if (archive.Remaining() != 0) return std::nullopt;
        return read;
    } catch (const ArchiveEndOfFile&) {
        return std::nullopt;
    }
}

}  // namespace lutaris
