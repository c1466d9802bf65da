// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "sound/Tunings.h"

#include <cctype>
#include <charconv>

#include "model/PlaybackSettings.h"

namespace lutaris {
namespace {

constexpr int kSemitoneOfLetter[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
constexpr const char* kNames[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};

}  // namespace

std::optional<std::int32_t> ParsePitchName(std::string_view name) {
    if (name.empty()) return std::nullopt;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    if (letter < 'A' || letter > 'G') return std::nullopt;
    int semitone = kSemitoneOfLetter[letter - 'A'];
    std::size_t at = 1;
    if (at < name.size() && (name[at] == '#' || name[at] == 'b')) {
        semitone += name[at] == '#' ? 1 : -1;
        ++at;
    }
    int octave = 0;
    const char* begin = name.data() + at;
    const char* end = name.data() + name.size();
    const auto [stop, error] = std::from_chars(begin, end, octave);
    if (begin == end || error != std::errc() || stop != end) return std::nullopt;
    const long pitch = 12L * (octave + 1L) + semitone;
    if (pitch < 0 || pitch > 127) return std::nullopt;
    return static_cast<std::int32_t>(pitch);
}

std::string PitchName(std::int32_t pitch) {
    if (pitch < 0 || pitch > 127) return std::to_string(pitch);
    return kNames[pitch % 12] + std::to_string(pitch / 12 - 1);
}

std::optional<std::vector<std::int32_t>> ParseTuningList(std::string_view list,
                                                         std::string* error) {
    std::vector<std::int32_t> lowToHigh;
    while (true) {
        const std::size_t comma = list.find(',');
        std::string_view name = list.substr(0, comma);
        while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
        while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
        const auto pitch = ParsePitchName(name);
        if (!pitch) {
            if (error) *error = "\"" + std::string(name) + "\" is not a pitch such as E2 or F#3";
            return std::nullopt;
        }
        if (lowToHigh.size() == PlaybackSettings::kMaxTuningStrings) {
            if (error) *error = "a tuning has at most 64 strings";
            return std::nullopt;
        }
        lowToHigh.push_back(*pitch);
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    return std::vector<std::int32_t>(lowToHigh.rbegin(), lowToHigh.rend());
}

std::string TuningList(const std::vector<std::int32_t>& topFirst) {
    std::string list;
    for (auto pitch = topFirst.rbegin(); pitch != topFirst.rend(); ++pitch) {
        if (!list.empty()) list += ',';
        list += PitchName(*pitch);
    }
    return list;
}

const std::vector<TuningPreset>& TuningPresets() {
    static const std::vector<TuningPreset> presets = {
        {"Standard", {40, 45, 50, 55, 59, 64}},      // E2 A2 D3 G3 B3 E4
        {"Drop D", {38, 45, 50, 55, 59, 64}},        // D2 A2 D3 G3 B3 E4
        {"DADGAD", {38, 45, 50, 55, 57, 62}},        // D2 A2 D3 G3 A3 D4
        {"Open G", {38, 43, 50, 55, 59, 62}},        // D2 G2 D3 G3 B3 D4
        {"7-string", {35, 40, 45, 50, 55, 59, 64}},  // B1 E2 A2 D3 G3 B3 E4
        {"Bass", {28, 33, 38, 43}},                  // E1 A1 D2 G2
        {"5-string bass", {23, 28, 33, 38, 43}},     // B0 E1 A1 D2 G2
    };
    return presets;
}

std::string_view FrettedProgramName(std::int32_t program) {
    static constexpr std::string_view kNamesOfPrograms[] = {"Acoustic Guitar (nylon)",
                                                            "Acoustic Guitar (steel)",
                                                            "Electric Guitar (jazz)",
                                                            "Electric Guitar (clean)",
                                                            "Electric Guitar (muted)",
                                                            "Overdriven Guitar",
                                                            "Distortion Guitar",
                                                            "Guitar Harmonics",
                                                            "Acoustic Bass",
                                                            "Electric Bass (finger)",
                                                            "Electric Bass (pick)",
                                                            "Fretless Bass",
                                                            "Slap Bass 1",
                                                            "Slap Bass 2",
                                                            "Synth Bass 1",
                                                            "Synth Bass 2"};
    if (!IsFrettedProgram(program)) return {};
    return kNamesOfPrograms[program - PlaybackSettings::kFirstFrettedProgram];
}

}  // namespace lutaris
