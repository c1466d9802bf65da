#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

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

// The whole import of a file as the command reads it, file reading included.
void BM_ImportTextFile(benchmark::State& state) {
    const std::string text = bench::TextTablatureWorkload(std::size_t(state.range(0)) << 20);
    const auto path = std::filesystem::temp_directory_path() / "lutaris-bench-import.txt";
    std::ofstream(path, std::ios::binary) << text;
    for (auto _ : state) {
        TextLineReader reader;
        reader.Open(path.string());
        benchmark::DoNotOptimize(Import(reader));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_ImportTextFile)->Arg(10)->Unit(benchmark::kMillisecond);

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
