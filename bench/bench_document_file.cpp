// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// Opening and saving the HUGE songbook, each against what the operating system needs for the
// same bytes in the same run: read() of the whole file for an open, write() and fsync() of as
// many bytes (and of their folder) for a save. The memory an open takes is measured in a child
// process of its own, so that nothing this program holds counts.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/files/DocumentFile.h"
#include "support/BaselineIo.h"
#include "support/BenchDocument.h"
#include "support/LatencySample.h"
#include "support/ProcessMemory.h"
#include "support/Stopwatch.h"
#include "support/TempFolder.h"
#include "support/Workloads.h"

extern char** environ;

namespace lutaris {
namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;
constexpr const char* kMeasureOpenFlag = "--measure-open";

// The HUGE songbook saved once, shared by the benchmarks of this program.
struct HugeFile {
    bench::TempFolder folder;
    std::string path = folder.File("huge.ltf");
    std::uint64_t bytes = 0;

    HugeFile() {
        bench::BenchDocument document;
        bench::FillSongbook(document.Document(), bench::kHugeItems);
        document.Document().OnSaveDocument(path);
        bytes = std::filesystem::file_size(path);
    }
};

HugeFile& Huge() {
    static HugeFile file;
    return file;
}

void BM_OpenHuge(benchmark::State& state) {
    HugeFile& huge = Huge();
    bench::ReadWholeFile(huge.path);  // warm the page cache
    bench::LatencySample open, read, openCpu, readCpu;
    for (auto _ : state) {
        bench::BenchDocument document;
        const bench::Stopwatch openWatch;
        const bool opened = document.Document().OnOpenDocument(huge.path);
        const double openMs = openWatch.WallMilliseconds();
        open.Add(openMs);
        openCpu.Add(openWatch.CpuMilliseconds());
        if (!opened) state.SkipWithError("the songbook did not open");
        const bench::Stopwatch readWatch;
        benchmark::DoNotOptimize(bench::ReadWholeFile(huge.path));
        read.Add(readWatch.WallMilliseconds());
        readCpu.Add(readWatch.CpuMilliseconds());
        // The document's destruction at the end of the iteration is no part of opening it.
        state.SetIterationTime(openMs / 1000.0);
    }
    state.counters["open_ms"] = open.Median();
    state.counters["open_cpu_ms"] = openCpu.Median();
    state.counters["read_ms"] = read.Median();
    state.counters["read_cpu_ms"] = readCpu.Median();
    state.counters["open_read_ratio"] = open.Median() / read.Median();
    state.counters["open_read_cpu_ratio"] = openCpu.Median() / readCpu.Median();
    state.counters["file_mb"] = static_cast<double>(huge.bytes) / kMegabyte;
}
BENCHMARK(BM_OpenHuge)->Iterations(8)->UseManualTime()->Unit(benchmark::kMillisecond);

// Runs this program again to open the file alone, and reads what it reports.
std::string MeasureOpenInChild(const std::string& path) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::string self = "/proc/self/exe";
    std::string flag = kMeasureOpenFlag;
    std::string file = path;
    char* argv[] = {self.data(), flag.data(), file.data(), nullptr};
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, self.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    std::string output;
    char buffer[512];
    ssize_t got = 0;
    while ((got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0) output.append(buffer, got);
    ::close(pipeEnds[0]);
    if (spawned != 0) return {};
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? output : std::string{};
}

void BM_OpenHugeMemory(benchmark::State& state) {
    HugeFile& huge = Huge();
    double baseline = 0, peak = 0, resident = 0;
    for (auto _ : state) {
        std::istringstream report(MeasureOpenInChild(huge.path));
        if (!(report >> baseline >> peak >> resident)) {
            state.SkipWithError("the child process reported nothing");
            return;
        }
    }
    const double file = static_cast<double>(huge.bytes);
    state.counters["open_baseline_mb"] = baseline / kMegabyte;
    state.counters["open_peak_mb"] = peak / kMegabyte;
    state.counters["open_resident_mb"] = resident / kMegabyte;
    state.counters["open_peak_ratio"] = peak / file;
    state.counters["open_resident_ratio"] = resident / file;
}
BENCHMARK(BM_OpenHugeMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// What the child does: the memory before, at the peak of and after one open, in bytes.
int MeasureOpen(const std::string& path) {
    bench::BenchDocument document;
    const bench::ProcessMemory before = bench::ProcessMemory::Now();
    if (!bench::ProcessMemory::ResetPeak()) return 1;
    if (!document.Document().OnOpenDocument(path)) return 1;
    const bench::ProcessMemory after = bench::ProcessMemory::Now();
    std::cout << before.resident << ' ' << after.peak << ' ' << after.resident << '\n';
    return 0;
}

void BM_SaveHuge(benchmark::State& state) {
    HugeFile& huge = Huge();
    bench::BenchDocument document;
    document.Document().OnOpenDocument(huge.path);
    const std::string savePath = huge.folder.File("saved.ltf");
    const std::string writePath = huge.folder.File("written.bin");
    const std::vector<std::uint8_t> sameSize(huge.bytes, 0x5a);
    bench::LatencySample save, saveCpu, write, writeCpu;
    for (auto _ : state) {
        const bench::Stopwatch saveWatch;
        const bool saved = document.Document().OnSaveDocument(savePath);
        const double saveMs = saveWatch.WallMilliseconds();
        save.Add(saveMs);
        saveCpu.Add(saveWatch.CpuMilliseconds());
        if (!saved) state.SkipWithError("the songbook was not saved");
        // A new file each time, as the save writes one.
        std::filesystem::remove(writePath);
        const bench::Stopwatch writeWatch;
        bench::WriteAndSync(writePath, sameSize);
        write.Add(writeWatch.WallMilliseconds());
        writeCpu.Add(writeWatch.CpuMilliseconds());
        state.SetIterationTime(saveMs / 1000.0);
    }
    state.counters["save_ms"] = save.Median();
    state.counters["save_cpu_ms"] = saveCpu.Median();
    state.counters["write_sync_ms"] = write.Median();
    state.counters["write_sync_cpu_ms"] = writeCpu.Median();
    state.counters["save_write_ratio"] = save.Median() / write.Median();
}
BENCHMARK(BM_SaveHuge)->Iterations(8)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lutaris

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], lutaris::kMeasureOpenFlag) == 0) {
        return lutaris::MeasureOpen(argv[2]);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
