// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <string>

#include "model/PlaybackSettings.h"

namespace lutaris {

class TabDocument;

// Every change of the document's tuning, tempo and instrument goes through here.
void ReplacePlaybackSettings(TabDocument& document, const PlaybackSettings& values);

// `values` as the document keeps them: a tuning or an instrument that is the default for its
// string count is left unset, so that it follows a later change of the string count (a tab
// turned into a bass's sounds as a bass).
PlaybackSettings StoredPlayback(PlaybackSettings values, std::int32_t numberOfStrings);

// What Playback Settings edits: the document's values, and the editor's own, which no
// document keeps.
struct PlaybackChoices {
    PlaybackSettings playback;
    std::int32_t numberOfStrings = 6;
    // The practice speed, 25 to 200 % of the tempo.
    std::int32_t speedPercent = 100;
    // Empty: the system's General MIDI soundfont.
    std::string soundfont;
    // Empty: the first audio output that opens.
    std::string audioDriver;

    static constexpr std::int32_t kMinSpeedPercent = 25;
    static constexpr std::int32_t kMaxSpeedPercent = 200;
};

// Export MIDI and Export Audio: the file is chosen in the document's Save dialog and written
// from the event list playback sounds. A failure is told to the person in one message, and the
// file that was there is left as it was.
class SoundExportCommands {
public:
    static constexpr const char* kNotEnoughMemory = "There is not enough memory to export the tab.";

    explicit SoundExportCommands(TabDocument& document) : document_(document) {}

    // False when cancelled or failed.
    bool ExportMidi();
    // `soundfont` as Playback Settings chose it (empty: the system's General MIDI soundfont).
    bool ExportAudio(const std::string& soundfont);

    bool WriteMidi(const std::string& path);
    bool WriteAudio(const std::string& path, const std::string& soundfont);

private:
    bool Fail(const std::string& message);

    TabDocument& document_;
};

}  // namespace lutaris
