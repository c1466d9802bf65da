// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <vector>

#include "support/BaselineIo.h"
#include "support/BenchDocument.h"
#include "support/LatencySample.h"
#include "support/Stopwatch.h"
#include "support/TempFolder.h"
#include "support/Workloads.h"
#include "text/TextLineReader.h"
#include "text/TextTabImporter.h"

namespace lutaris {
namespace {

std::size_t Import(TextLineReader& reader) {
    TabSettings settings;
    std::vector<std::unique_ptr<Tablature>> items;
    items.push_back(std::make_unique<Tablature>(&settings));
    Tablature* current = items.front().get();
    TextTabImporter importer(&settings, items, current);
    importer.AddLines(reader);
    return importer.NotesCreated();
}

// Import File of the corpus text (about 10 MB): the whole command, the file's reading and the
// new document included, against reading the same file line by line with getline() in the
// same run.
void BM_ImportCorpusFile(benchmark::State& state) {
    const std::string text = bench::CorpusTextWorkload(std::size_t(state.range(0)) << 20);
    if (text.empty()) {
        state.SkipWithError("no corpus under LUTARIS_SHARED_DIR");
        return;
    }
    const bench::TempFolder folder;
    const std::string path = folder.File("corpus.txt");
    std::ofstream(path, std::ios::binary) << text;
    bench::BenchDocument bench;
    CCorvaneDoc& document = bench.Document();
    bench::ReadFileLines(path);  // warm the page cache
    bench::LatencySample imported, lines;
    std::size_t items = 0;
    for (auto _ : state) {
        bench.Prompter().QueueAnswer(MessageAnswer::Yes);
        bench.Prompter().QueueFile(path);
        const bench::Stopwatch importWatch;
        document.OnImportFile();
        const double importMs = importWatch.WallMilliseconds();
        imported.Add(importMs);
        items = document.tabItems.size();
        const bench::Stopwatch linesWatch;
        benchmark::DoNotOptimize(bench::ReadFileLines(path));
        lines.Add(linesWatch.WallMilliseconds());
        state.SetIterationTime(importMs / 1000.0);
    }
    // The only message an import that worked shows is its question before it starts.
    bool failed = items < 2;
    for (const auto& message : bench.Prompter().Messages()) {
        failed = failed || message.caption != "Warning";
    }
    if (failed) state.SkipWithError("nothing imported");
    const double megabytes = static_cast<double>(text.size()) / (1024.0 * 1024.0);
    state.counters["import_ms"] = imported.Median();
    state.counters["read_lines_ms"] = lines.Median();
    state.counters["import_mb_per_s"] = megabytes / (imported.Median() / 1000.0);
    state.counters["import_read_ratio"] = imported.Median() / lines.Median();
    state.counters["text_mb"] = megabytes;
    state.counters["items"] = static_cast<double>(items);
}
BENCHMARK(BM_ImportCorpusFile)->Arg(10)->Iterations(8)->UseManualTime()->Unit(benchmark::kMillisecond);

// The line splitting and the scan alone, on text in memory.
void BM_ImportText(benchmark::State& state) {
    const std::string text = bench::TextTablatureWorkload(std::size_t(state.range(0)) << 20);
    for (auto _ : state) {
        TextLineReader reader;
        reader.SetText(text);
        benchmark::DoNotOptimize(Import(reader));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}
BENCHMARK(BM_ImportText)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lutaris

BENCHMARK_MAIN();
