// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// Sound: MIDI export of the HUGE songbook (time, and memory against the document's), offline
// audio rendering against real time with the system's soundfont, and live play from the call
// to Play to the first note-on at the synthesizer (FluidSynth's file driver stands in for a
// sound card, which the benchmark machines lack; the path to the synthesizer is the same).

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "model/ReadingOrder.h"
#include "sound/AudioExport.h"
#include "sound/LivePlayer.h"
#include "sound/MidiFileWriter.h"
#include "sound/SongSound.h"
#include "sound/SoundModule.h"
#include "sound/SoundfontLocator.h"
#include "support/BenchDocument.h"
#include "support/LatencySample.h"
#include "support/ProcessMemory.h"
#include "support/Stopwatch.h"
#include "support/TempFolder.h"
#include "support/Workloads.h"

namespace lutaris {
namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;

void BM_MidiExportHuge(benchmark::State& state) {
    const bench::ProcessMemory empty = bench::ProcessMemory::Now();
    bench::BenchDocument document;
    bench::FillSongbook(document.Document(), bench::kHugeItems);
    const bench::ProcessMemory filled = bench::ProcessMemory::Now();
    const double documentBytes = static_cast<double>(filled.resident - empty.resident);
    bench::TempFolder folder;
    const std::string path = folder.File("huge.mid");
    const SoundSetup setup =
        SoundSetup::For(*document.Document().settings, document.Document().playback);
    bench::LatencySample wall, cpu;
    double extraBytes = 0;
    for (auto _ : state) {
        const bench::ProcessMemory before = bench::ProcessMemory::Now();
        bench::ProcessMemory::ResetPeak();
        const bench::Stopwatch watch;
        WriteMidiFile(path, ItemsInReadingOrder(document.Document().tabItems), setup);
        wall.Add(watch.WallMilliseconds());
        cpu.Add(watch.CpuMilliseconds());
        const bench::ProcessMemory after = bench::ProcessMemory::Now();
        extraBytes = std::max(extraBytes, static_cast<double>(after.peak - before.resident));
        state.SetIterationTime(watch.WallMilliseconds() / 1000.0);
    }
    state.counters["export_ms"] = wall.Median();
    state.counters["export_cpu_ms"] = cpu.Median();
    state.counters["file_mb"] = static_cast<double>(std::filesystem::file_size(path)) / kMegabyte;
    state.counters["document_mb"] = documentBytes / kMegabyte;
    state.counters["export_peak_mb"] = extraBytes / kMegabyte;
    state.counters["memory_ratio"] = extraBytes / documentBytes;
}
BENCHMARK(BM_MidiExportHuge)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

SoundModule* Module(benchmark::State& state) {
    std::string error;
    SoundModule* module = LoadSoundModule(&error);
    if (!module) state.SkipWithError(error.c_str());
    return module;
}

void BM_AudioRenderSpeed(benchmark::State& state) {
    SoundModule* module = Module(state);
    const auto soundfont = FindSoundfont();
    if (!module || !soundfont) {
        if (!soundfont) state.SkipWithError("no General MIDI soundfont installed");
        return;
    }
    // About two minutes of the songbook's music: chords, runs and every technique.
    bench::BenchDocument document;
    bench::FillSongbook(document.Document(), 48, 3);
    const auto items = ItemsInReadingOrder(document.Document().tabItems);
    const SoundSetup setup =
        SoundSetup::For(*document.Document().settings, document.Document().playback);
    const double seconds =
        static_cast<double>(SongSteps(items)) * kTicksPerStep * setup.MicrosecondsPerTick() / 1e6;
    bench::TempFolder folder;
    bench::LatencySample wall;
    for (auto _ : state) {
        const bench::Stopwatch watch;
        std::string error;
        if (!ExportAudio(*module, items, setup, *soundfont, folder.File("song.wav"), &error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        wall.Add(watch.WallMilliseconds());
        state.SetIterationTime(watch.WallMilliseconds() / 1000.0);
    }
    state.counters["audio_s"] = seconds + 2;  // and the two seconds to die away
    state.counters["render_ms"] = wall.Median();
    state.counters["realtime_ratio"] = (seconds + 2) * 1000.0 / wall.Median();
}
BENCHMARK(BM_AudioRenderSpeed)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_PlayToFirstNoteOn(benchmark::State& state) {
    if (!Module(state)) return;
    bench::TempFolder folder;
    AudioOutputChoice output;
    output.driver = "file";
    output.fileName = folder.File("played.wav");
    LivePlayer player(LivePlayer::FluidSynthOpener("", output));
    bench::BenchDocument document;
    bench::FillSongbook(document.Document(), 200, 5);
    const PlaySpan span = PlaySpan::ForDocument(document.Document());
    // The first play loads the soundfont and opens the output; it is counted apart.
    const bench::Stopwatch first;
    if (!player.Play(document.Document(), span)) {
        state.SkipWithError(player.Error().c_str());
        return;
    }
    const double firstMs = first.WallMilliseconds();
    player.Stop();
    bench::LatencySample latency;
    for (auto _ : state) {
        player.Play(document.Document(), span);
        const auto started = player.StartLatency();
        latency.Add(started ? static_cast<double>(*started) / 1000.0 : 1e9);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        player.Stop();
        state.SetIterationTime(latency.Median() / 1000.0);
    }
    state.counters["first_play_ms"] = firstMs;
    state.counters["median_ms"] = latency.Median();
    state.counters["p99_ms"] = latency.Percentile(0.99);
    state.counters["buffer_ms"] = player.BufferMilliseconds();
}
BENCHMARK(BM_PlayToFirstNoteOn)->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lutaris

BENCHMARK_MAIN();
