// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <span>
#include <string>

#include "sound/SoundSetup.h"

namespace lutaris {

class SoundModule;
class Tablature;

// An audio export longer than this is refused: no tab needs it, and a damaged document could
// otherwise ask for years of sound.
inline constexpr double kMaxAudioSeconds = 6 * 3600.0;

// The audio file types export writes, by the file name's extension: "wav", "flac", "ogg"; an
// empty view for any other name.
std::string_view AudioTypeOf(const std::string& path);

// Renders the document's event list (the one playback and MIDI export use) to `path` with the
// soundfont, through the FluidSynth module. Never a silent file: a document without a note
// that sounds, an unknown extension, a song longer than kMaxAudioSeconds or a soundfont that
// gives no sound is refused. False and one sentence in `error` on failure; the file at `path`
// is then as it was.
bool ExportAudio(SoundModule& module, std::span<Tablature* const> itemsInReadingOrder,
                 const SoundSetup& setup, const std::string& soundfont, const std::string& path,
                 std::string* error);

}  // namespace lutaris
