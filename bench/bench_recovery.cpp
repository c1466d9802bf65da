// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// A recovery copy of the HUGE songbook with ten items edited since the last: the time the
// interface thread spends on one (taking a snapshot and handing it to the writer), against the
// writer thread's time to make the bytes and put them on disk, which typing never waits for.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <chrono>
#include <string>

#include "app/startup/RecoveryKeeper.h"
#include "document/CCorvaneDoc.h"
#include "platform/recovery/RecoveryStore.h"
#include "platform/recovery/RecoveryWriter.h"
#include "support/BenchDocument.h"
#include "support/LatencySample.h"
#include "support/TempFolder.h"
#include "support/Workloads.h"

namespace lutaris {
namespace {

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void BM_RecoveryWriteHuge(benchmark::State& state) {
    bench::TempFolder folder;
    bench::BenchDocument document;
    TabDocument& songbook = document.Document();
    bench::FillSongbook(document.Document(), bench::kHugeItems);
    DiskRecoveryFiles files;
    const SystemProcessTable processes;
    RecoveryStore store(folder.File("recovery"), files, processes, CurrentProcess());
    RecoveryWriter writer;
    RecoveryKeeper keeper(songbook, store, writer);
    // The first copy after opening: a key typed schedules it, and the writer makes its memory
    // ready while the timer runs. Later copies reuse the memory of the one before.
    document.Document().SendKeyToCursor('5');
    writer.Drain();
    auto start = std::chrono::steady_clock::now();
    keeper.WriteNow();
    state.counters["first_ui_ms"] = MillisecondsSince(start);
    writer.Drain();
    bench::LatencySample interfaceThread, writerThread;
    std::int32_t column = 0;
    for (auto _ : state) {
        for (int edit = 0; edit < 10; ++edit) {
            Tablature& item = *songbook.tabItems[static_cast<std::size_t>(edit) * 9973];
            songbook.SetNote(item, TabNote{.fret = column % 25, .string = 0, .column = column});
        }
        ++column;
        start = std::chrono::steady_clock::now();
        keeper.WriteNow();
        const double onInterface = MillisecondsSince(start);
        writer.Drain();
        interfaceThread.Add(onInterface);
        writerThread.Add(MillisecondsSince(start) - onInterface);
        state.SetIterationTime(onInterface / 1000.0);
    }
    state.counters["ui_median_ms"] = interfaceThread.Median();
    state.counters["ui_p90_ms"] = interfaceThread.Percentile(0.9);
    state.counters["writer_median_ms"] = writerThread.Median();
}
BENCHMARK(BM_RecoveryWriteHuge)->Iterations(30)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lutaris

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);  // the keeper's timer
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
