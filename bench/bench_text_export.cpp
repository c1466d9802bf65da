// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// Export File and Copy as Text of the LARGE songbook, each against writing the same bytes in the
// same run: an export replaces its file safely (flushed with its folder), so it is compared with
// write() and fsync(); Copy as Text ends in the clipboard, so it is compared with a plain write().

#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "edit/TextExporter.h"
#include "platform/clipboard/ClipboardFormatNames.h"
#include "platform/clipboard/MemoryClipboard.h"
#include "support/BaselineIo.h"
#include "support/BenchDocument.h"
#include "support/LatencySample.h"
#include "support/Stopwatch.h"
#include "support/TempFolder.h"
#include "support/Workloads.h"

namespace lutaris {
namespace {

std::span<const std::uint8_t> AsBytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

void BM_ExportFileLarge(benchmark::State& state) {
    bench::BenchDocument bench;
    CCorvaneDoc& document = bench.Document();
    bench::FillSongbook(document, bench::kLargeItems);
    const bench::TempFolder folder;
    const std::string exportPath = folder.File("large.txt");
    const std::string writePath = folder.File("written.txt");
    const std::string text = TextExporter(document).ExportText();
    bench::LatencySample exported, written;
    for (auto _ : state) {
        const bench::Stopwatch exportWatch;
        const bool ok = TextExporter(document).WriteTo(exportPath);
        const double exportMs = exportWatch.WallMilliseconds();
        if (!ok) state.SkipWithError("the export failed");
        exported.Add(exportMs);
        const bench::Stopwatch writeWatch;
        bench::WriteAndSync(writePath, AsBytes(text));
        written.Add(writeWatch.WallMilliseconds());
        state.SetIterationTime(exportMs / 1000.0);
    }
    state.counters["export_ms"] = exported.Median();
    state.counters["write_sync_ms"] = written.Median();
    state.counters["export_write_ratio"] = exported.Median() / written.Median();
    state.counters["text_mb"] = static_cast<double>(text.size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ExportFileLarge)->Iterations(8)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_CopyAsTextLarge(benchmark::State& state) {
    bench::BenchDocument bench;
    CCorvaneDoc& document = bench.Document();
    bench::FillSongbook(document, bench::kLargeItems);
    std::vector<Tablature*> all;
    for (const auto& item : document.tabItems) all.push_back(item.get());
    document.SetSelection(std::move(all), 0);
    MemoryClipboard clipboard;
    document.SetClipboard(&clipboard);
    const bench::TempFolder folder;
    const std::string writePath = folder.File("written.txt");
    bench::LatencySample copied, written;
    std::size_t bytes = 0;
    for (auto _ : state) {
        clipboard.Clear();
        const bench::Stopwatch copyWatch;
        document.OnCopyAsText();
        const double copyMs = copyWatch.WallMilliseconds();
        copied.Add(copyMs);
        const std::optional<std::vector<std::uint8_t>> text = clipboard.GetFormat(kPlainTextFormat);
        if (!text || text->empty()) {
            state.SkipWithError("nothing reached the clipboard");
            break;
        }
        bytes = text->size();
        const bench::Stopwatch writeWatch;
        bench::WriteFile(writePath, *text);
        written.Add(writeWatch.WallMilliseconds());
        state.SetIterationTime(copyMs / 1000.0);
    }
    state.counters["copy_ms"] = copied.Median();
    state.counters["write_ms"] = written.Median();
    state.counters["copy_write_ratio"] = copied.Median() / written.Median();
    state.counters["text_mb"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_CopyAsTextLarge)->Iterations(8)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lutaris

BENCHMARK_MAIN();
