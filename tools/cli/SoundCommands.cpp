// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// The top-level commands that turn a document into sound: a MIDI file, an audio file.

#include <charconv>
#include <chrono>
#include <iostream>
#include <optional>
#include <thread>
#include <variant>

#include "CliCommandTable.h"
#include "MessageEcho.h"
#include "ScriptCommandTable.h"
#include "ScriptLineReader.h"
#include "ScriptRunner.h"
#include "document/CCorvaneDoc.h"
#include "model/ReadingOrder.h"
#include "platform/files/SafeFileReplacer.h"
#include "platform/prompt/ScriptedPrompter.h"
#include "sound/AudioExport.h"
#include "sound/LivePlayer.h"
#include "sound/MidiFileWriter.h"
#include "sound/SoundModule.h"
#include "sound/SoundfontLocator.h"
#include "sound/Tunings.h"

namespace lutaris::cli {
namespace {

const CliCommand& Named(const char* name) { return *CliCommandTable::Instance().Find(name); }

int Failed(const std::string& path, const std::string& problem) {
    std::cerr << "lutaris-cli: " << path << ": " << problem << "\n";
    return 1;
}

struct SoundArguments {
    std::vector<std::string> files;
    std::optional<std::int32_t> tempo;
    std::optional<std::vector<std::int32_t>> tuning;
    std::string soundfont;
};

// The files and options, or the exit status of a usage error.
std::variant<SoundArguments, int> ParseArguments(const CliCommand& command,
                                                 const std::vector<std::string>& args,
                                                 bool takesSoundfont, bool takesOutput = true) {
    SoundArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--tempo") {
            std::int32_t tempo = 0;
            const std::string value = hasValue ? args[++i] : "";
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), tempo);
            if (value.empty() || error != std::errc() || end != value.data() + value.size() ||
                tempo < PlaybackSettings::kMinTempo || tempo > PlaybackSettings::kMaxTempo) {
                return UsageError(command, "--tempo needs a number of steps a minute, 10 to 2000");
            }
            parsed.tempo = tempo;
        } else if (arg == "--tuning") {
            std::string problem;
            parsed.tuning = hasValue ? ParseTuningList(args[++i], &problem) : std::nullopt;
            if (!parsed.tuning) {
                return UsageError(command,
                                  "--tuning needs the open strings from the lowest, "
                                  "such as E2,A2,D3,G3,B3,E4" +
                                      (problem.empty() ? "" : ": " + problem));
            }
        } else if (arg == "--soundfont" && takesSoundfont) {
            if (!hasValue) return UsageError(command, "--soundfont needs a soundfont file");
            parsed.soundfont = args[++i];
        } else {
            parsed.files.push_back(arg);
        }
    }
    if (parsed.files.size() != (takesOutput ? 2u : 1u)) {
        return UsageError(command, takesOutput ? "a document file and an output file expected"
                                               : "a document file expected");
    }
    return parsed;
}

// Opens the document and works out its sound with the options applied; the exit status of a
// failure otherwise.
std::variant<SoundSetup, int> OpenForSound(CCorvaneDoc& document, const SoundArguments& args) {
    const std::string& path = args.files[0];
    if (!document.OnOpenDocument(path)) return 1;
    // The defaults stand in for playback settings that could not be read; say so and go on.
    if (const std::string notice = document.TakePlaybackNotice(); !notice.empty()) {
        std::cerr << "lutaris-cli: " << path << ": " << notice << "\n";
    }
    SoundSetup setup = SoundSetup::For(*document.settings, document.playback);
    if (args.tempo) setup.tempo = *args.tempo;
    if (args.tuning) {
        const auto strings = document.settings->numberOfStrings;
        if (args.tuning->size() != static_cast<std::size_t>(std::max(0, strings))) {
            return Failed(path, "--tuning names " + std::to_string(args.tuning->size()) +
                                    " strings, but the document has " + std::to_string(strings));
        }
        setup.tuning = *args.tuning;
        if (setup.tuning.size() > static_cast<std::size_t>(kMaxSoundingStrings)) {
            setup.tuning.resize(kMaxSoundingStrings);
        }
    }
    return setup;
}

int Midi(const std::vector<std::string>& args) {
    auto parsed = ParseArguments(Named("midi"), args, false);
    if (const int* status = std::get_if<int>(&parsed)) return *status;
    const auto& arguments = std::get<SoundArguments>(parsed);
    ScriptedPrompter prompter;
    EchoMessages(prompter, std::cerr);
    CCorvaneDoc document(prompter);
    auto setup = OpenForSound(document, arguments);
    if (const int* status = std::get_if<int>(&setup)) return *status;
    const std::vector<Tablature*> items = ItemsInReadingOrder(document.tabItems);
    try {
        WriteMidiFile(arguments.files[1], items, std::get<SoundSetup>(setup));
    } catch (const FileWriteError& error) {
        return Failed(arguments.files[1], error.what());
    } catch (const std::bad_alloc&) {
        return Failed(arguments.files[1], "not enough memory for the MIDI file");
    }
    return 0;
}

int Audio(const std::vector<std::string>& args) {
    auto parsed = ParseArguments(Named("audio"), args, true);
    if (const int* status = std::get_if<int>(&parsed)) return *status;
    const auto& arguments = std::get<SoundArguments>(parsed);
    const std::string& out = arguments.files[1];
    if (AudioTypeOf(out).empty()) {
        return UsageError(Named("audio"), "the output file must end in .wav, .flac or .ogg");
    }
    ScriptedPrompter prompter;
    EchoMessages(prompter, std::cerr);
    CCorvaneDoc document(prompter);
    auto setup = OpenForSound(document, arguments);
    if (const int* status = std::get_if<int>(&setup)) return *status;
    std::string error;
    const auto soundfont = ResolveSoundfont(arguments.soundfont, &error);
    if (!soundfont) return Failed(out, error);
    SoundModule* module = LoadSoundModule(&error);
    if (!module) return Failed(out, error);
    const std::vector<Tablature*> items = ItemsInReadingOrder(document.tabItems);
    if (!ExportAudio(*module, items, std::get<SoundSetup>(setup), *soundfont, out, &error)) {
        return Failed(out, error);
    }
    return 0;
}

// Plays through the audio output as the editor's Play does (the whole document), and returns
// when it has played to its end.
int Play(const std::vector<std::string>& args) {
    auto parsed = ParseArguments(Named("play"), args, true, false);
    if (const int* status = std::get_if<int>(&parsed)) return *status;
    auto& arguments = std::get<SoundArguments>(parsed);
    ScriptedPrompter prompter;
    EchoMessages(prompter, std::cerr);
    CCorvaneDoc document(prompter);
    auto setup = OpenForSound(document, arguments);
    if (const int* status = std::get_if<int>(&setup)) return *status;
    // What the options change plays as the document's own values would.
    PlaybackSettings values = document.playback;
    values.tempo = std::get<SoundSetup>(setup).tempo;
    if (arguments.tuning) values.tuning = *arguments.tuning;
    document.SetPlayback(values);
    LivePlayer player(
        LivePlayer::FluidSynthOpener(arguments.soundfont, AudioOutputChoice::FromEnvironment()));
    PlaySpan span = PlaySpan::ForDocument(document);
    span.first = 0;
    span.firstColumn = 0;
    if (!player.Play(document, span)) return Failed(arguments.files[0], player.Error());
    while (player.IsPlaying()) {
        player.Pump(document);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // The last notes die away before the output closes.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return 0;
}

// The script command: the document's tuning, tempo and instrument, as Playback Settings sets
// them.
void Playback(ScriptRunner& runner, const std::vector<std::string>& args) {
    constexpr const char* kUsage = "usage: playback TEMPO PROGRAM|default TUNING|default";
    if (args.size() != 3) throw ScriptError(kUsage);
    PlaybackSettings values;
    const auto [end, error] =
        std::from_chars(args[0].data(), args[0].data() + args[0].size(), values.tempo);
    if (error != std::errc() || end != args[0].data() + args[0].size() ||
        values.tempo < PlaybackSettings::kMinTempo || values.tempo > PlaybackSettings::kMaxTempo) {
        throw ScriptError("playback: the tempo is 10 to 2000 steps a minute");
    }
    if (args[1] != "default") {
        const auto [programEnd, programError] =
            std::from_chars(args[1].data(), args[1].data() + args[1].size(), values.program);
        if (programError != std::errc() || programEnd != args[1].data() + args[1].size() ||
            !IsFrettedProgram(values.program)) {
            throw ScriptError("playback: the program is a guitar or a bass, 24 to 39");
        }
    }
    if (args[2] != "default") {
        std::string problem;
        const auto tuning = ParseTuningList(args[2], &problem);
        if (!tuning) throw ScriptError("playback: " + problem);
        values.tuning = *tuning;
    }
    runner.Document().SetPlayback(values);
}

const ScriptCommandRegistration kPlayback({"playback", "TEMPO PROGRAM|default TUNING|default",
                                           "Set the document's playback settings: the tempo in "
                                           "steps a minute, a General MIDI guitar or bass "
                                           "(24 to 39), the open strings from the lowest "
                                           "(E2,A2,D3,G3,B3,E4).",
                                           Playback});

const CliCommandRegistration kCommands[] = {
    CliCommandRegistration(
        {"midi", "FILE.ltf OUT.mid [--tempo N] [--tuning E2,A2,D3,G3,B3,E4]",
         "Write the document as a Standard MIDI File (format 1, 480 ticks to the quarter): the "
         "events playback sounds, one channel per string. --tempo sets the steps a minute, "
         "--tuning the open strings from the lowest.",
         Midi}),
    CliCommandRegistration(
        {"play", "FILE.ltf [--tempo N] [--tuning ...] [--soundfont SF]",
         "Play the whole document through the audio output (FluidSynth's pulseaudio, alsa, jack "
         "or sdl2; LUTARIS_AUDIO_DRIVER names one, LUTARIS_AUDIO_DRIVER=file with "
         "LUTARIS_AUDIO_FILE=OUT.wav writes what would sound) and return at its end.",
         Play}),
    CliCommandRegistration(
        {"audio", "FILE.ltf OUT.wav|OUT.flac|OUT.ogg [--tempo N] [--tuning ...] [--soundfont SF]",
         "Render the document as playback sounds it into a WAV, FLAC or Ogg Vorbis file, as fast "
         "as the machine can, with the soundfont SF (else the system's General MIDI soundfont). "
         "A failure writes nothing.",
         Audio}),
};

}  // namespace
}  // namespace lutaris::cli
