// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// A recovery copy of the HUGE songbook: the time the interface thread spends on one (taking the
// document's bytes and handing them to the writer), against the writer thread's time to put
// the same copy on disk, which typing never waits for.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <chrono>
#include <string>

#include "app/startup/RecoveryKeeper.h"
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
    bench::FillSongbook(document.Document(), bench::kHugeItems);
    DiskRecoveryFiles files;
    const SystemProcessTable processes;
    RecoveryStore store(folder.File("recovery"), files, processes, CurrentProcess());
    RecoveryWriter writer;
    RecoveryKeeper keeper(document.Document(), store, writer);
    bench::LatencySample interfaceThread, writerThread;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
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
BENCHMARK(BM_RecoveryWriteHuge)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lutaris

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);  // the keeper's timer
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
