// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "edit/SoundCommands.h"

#include <new>
#include <vector>

#include "model/CommandIds.h"
#include "model/ReadingOrder.h"
#include "model/TabDocument.h"
#include "platform/files/SafeFileReplacer.h"
#include "platform/prompt/Prompter.h"
#include "sound/AudioExport.h"
#include "sound/MidiFileWriter.h"
#include "sound/SoundModule.h"
#include "sound/SoundfontLocator.h"

namespace lutaris {

void ReplacePlaybackSettings(TabDocument& document, const PlaybackSettings& values) {
    TabDocument::Step step(document, ID_PLAYBACK_SETTINGS);
    document.SetPlayback(values);
}

PlaybackSettings StoredPlayback(PlaybackSettings values, std::int32_t numberOfStrings) {
    if (values.TuningFor(numberOfStrings) == DefaultTuning(numberOfStrings)) values.tuning.clear();
    if (values.ProgramFor(numberOfStrings) == DefaultProgram(numberOfStrings))
        values.program = PlaybackSettings::kDefaultProgram;
    return values;
}

namespace {

SoundSetup SetupOf(const TabDocument& document) {
    return SoundSetup::For(*document.settings, document.playback);
}

}  // namespace

bool SoundExportCommands::Fail(const std::string& message) {
    document_.GetPrompter().ShowMessage(message, DocumentBase::kCaption, MessageIcon::Exclamation,
                                        MessageButtons::Ok);
    return false;
}

bool SoundExportCommands::ExportMidi() {
    FileDialogOptions options;
    options.defaultExtension = "mid";
    options.filters = {{"MIDI Files (*.mid)", {"*.mid", "*.midi"}}};
    options.overwritePrompt = true;
    const auto path = document_.GetPrompter().ChooseSaveFile(options);
    if (!path || path->empty()) return false;
    return WriteMidi(*path);
}

bool SoundExportCommands::WriteMidi(const std::string& path) {
    try {
        WriteMidiFile(path, ItemsInReadingOrder(document_.tabItems), SetupOf(document_));
        return true;
    } catch (const FileWriteError& error) {
        return Fail(error.what());
    } catch (const std::bad_alloc&) {
        return Fail(kNotEnoughMemory);
    }
}

bool SoundExportCommands::ExportAudio(const std::string& soundfont) {
    FileDialogOptions options;
    // The type follows the name's extension; a name without one is a WAV file.
    options.defaultExtension = "wav";
    options.filters = {{"WAV Files (*.wav)", {"*.wav"}},
                       {"FLAC Files (*.flac)", {"*.flac"}},
                       {"Ogg Vorbis Files (*.ogg)", {"*.ogg"}}};
    options.overwritePrompt = true;
    const auto path = document_.GetPrompter().ChooseSaveFile(options);
    if (!path || path->empty()) return false;
    return WriteAudio(*path, soundfont);
}

bool SoundExportCommands::WriteAudio(const std::string& path, const std::string& soundfont) {
    if (AudioTypeOf(path).empty()) return Fail("An audio file's name ends in .wav, .flac or .ogg.");
    std::string error;
    const auto resolved = ResolveSoundfont(soundfont, &error);
    if (!resolved) return Fail(error);
    SoundModule* module = LoadSoundModule(&error);
    if (!module) return Fail(error);
    try {
        if (!lutaris::ExportAudio(*module, ItemsInReadingOrder(document_.tabItems),
                                  SetupOf(document_), *resolved, path, &error))
            return Fail(error);
    } catch (const std::bad_alloc&) {
        return Fail(kNotEnoughMemory);
    }
    return true;
}

}  // namespace lutaris
