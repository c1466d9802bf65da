// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "sound/AudioExport.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "model/Tablature.h"
#include "platform/files/SafeFileReplacer.h"
#include "sound/SongSound.h"
#include "sound/SoundModule.h"

namespace lutaris {
namespace {

bool HasSoundingNote(std::span<Tablature* const> items, const SoundSetup& setup) {
    for (const Tablature* item : items) {
        for (const TabNote& note : item->notes) {
            if (note.string < 0 || note.string >= setup.Strings() || note.column < 0) continue;
            const auto open = setup.tuning[static_cast<std::size_t>(note.string)];
            if (SoundingKey(open, note.fret, note.action)) return true;
        }
    }
    return false;
}

}  // namespace

std::string_view AudioTypeOf(const std::string& path) {
    const std::size_t dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.') return {};
    std::string extension = path.substr(dot + 1);
    for (auto& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string_view type : {"wav", "flac", "ogg"}) {
        if (extension == type) return type;
    }
    return {};
}

bool ExportAudio(SoundModule& module, std::span<Tablature* const> itemsInReadingOrder,
                 const SoundSetup& setup, const std::string& soundfont, const std::string& path,
                 std::string* error) {
    auto fail = [&](const std::string& text) {
        if (error) *error = text;
        return false;
    };
    if (AudioTypeOf(path).empty()) {
        return fail(
            "Audio is exported as WAV, FLAC or Ogg Vorbis: the file name must end in "
            ".wav, .flac or .ogg.");
    }
    if (!HasSoundingNote(itemsInReadingOrder, setup)) {
        return fail("The tab has no note to sound, so there is no audio to export.");
    }
    const double seconds = static_cast<double>(SongSteps(itemsInReadingOrder)) *
                           static_cast<double>(kTicksPerStep) * setup.MicrosecondsPerTick() / 1e6;
    if (seconds > kMaxAudioSeconds) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "The tab plays for %.0f hours; audio export stops at %.0f hours.",
                      seconds / 3600, kMaxAudioSeconds / 3600);
        return fail(text);
    }
    AudioRenderRequest request;
    request.soundfont = soundfont;
    request.type = AudioTypeOf(path);
    request.microsecondsPerTick = setup.MicrosecondsPerTick();
    request.forEachEvent = [&](const std::function<void(const SoundEvent&)>& send) {
        return ForEachSongEvent(itemsInReadingOrder, setup, send);
    };
    // Rendered into a new file beside the old one, which takes its place only when whole.
    std::string failure;
    try {
        ReplaceFileSafely(path, [&](int fd) {
            if (!module.RenderAudio(fd, request, &failure)) throw FileWriteError(failure);
        });
    } catch (const FileWriteError& writeError) {
        return fail(failure.empty()
                        ? "The audio file could not be written: " + std::string(writeError.what())
                        : failure);
    }
    return true;
}

}  // namespace lutaris
