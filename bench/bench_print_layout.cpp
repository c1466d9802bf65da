// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// Laying the HUGE songbook out for print, against the least any layout needs: finding the items
// in reading order and measuring each once. Then drawing its first page and its last full one,
// which should cost the same: a page is drawn from where the layout says it begins.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "model/ReadingOrder.h"
#include "platform/surface/RecordingSurface.h"
#include "render/PrintLayout.h"
#include "render/ViewPainter.h"
#include "support/BenchDocument.h"
#include "support/LatencySample.h"
#include "support/Stopwatch.h"
#include "support/Workloads.h"

namespace lutaris {
namespace {

// An A4 sheet's printable area at 600 dots per inch with the print system's default margins.
constexpr std::int64_t kPageWidth = 4792;
constexpr std::int64_t kPageHeight = 6851;

ViewContent ContentOf(const CCorvaneDoc& document) {
    return ViewContent{*document.settings, document.tabItems, document.selection};
}

void BM_PrintLayoutHuge(benchmark::State& state) {
    bench::BenchDocument bench;
    CCorvaneDoc& document = bench.Document();
    bench::FillSongbook(document, bench::kHugeItems);
    const LayoutSize printable = PrintLayout::PrintableSize(kPageWidth, kPageHeight, 600);
    bench::LatencySample layouts, passes;
    std::size_t pages = 0;
    for (auto _ : state) {
        const bench::Stopwatch layoutWatch;
        const PrintLayout layout = PrintLayout::Build(ContentOf(document), printable);
        const double layoutMs = layoutWatch.WallMilliseconds();
        pages = layout.PageCount();
        layouts.Add(layoutMs);

        const bench::Stopwatch passWatch;
        std::int64_t width = 0;
        for (const Tablature* item : ItemsByPosition(document.tabItems))
            if (item != nullptr) width += item->GetExtent().width;
        benchmark::DoNotOptimize(width);
        passes.Add(passWatch.WallMilliseconds());
        state.SetIterationTime(layoutMs / 1000.0);
    }
    state.counters["layout_ms"] = layouts.Median();
    state.counters["one_pass_ms"] = passes.Median();
    state.counters["layout_pass_ratio"] = layouts.Median() / passes.Median();
    state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_PrintLayoutHuge)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_PrintPageHuge(benchmark::State& state) {
    bench::BenchDocument bench;
    CCorvaneDoc& document = bench.Document();
    bench::FillSongbook(document, bench::kHugeItems);
    const PrintLayout layout = PrintLayout::Build(
        ContentOf(document), PrintLayout::PrintableSize(kPageWidth, kPageHeight, 600));
    RecordingSurface surface(600);
    const std::size_t late = layout.PageCount() >= 2 ? layout.PageCount() - 2 : 0;
    bench::LatencySample first, last;
    for (auto _ : state) {
        surface.Clear();
        const bench::Stopwatch firstWatch;
        layout.PaintPage(0, surface);
        first.Add(firstWatch.WallMilliseconds());
        surface.Clear();
        const bench::Stopwatch lastWatch;
        layout.PaintPage(late, surface);
        last.Add(lastWatch.WallMilliseconds());
        state.SetIterationTime(last.Median() / 1000.0);
    }
    state.counters["first_page_ms"] = first.Median();
    state.counters["late_page_ms"] = last.Median();
    state.counters["late_page"] = static_cast<double>(late + 1);
    state.counters["items_first_page"] = static_cast<double>(layout.Page(0).size());
    state.counters["items_late_page"] = static_cast<double>(layout.Page(late).size());
}
BENCHMARK(BM_PrintPageHuge)->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lutaris

BENCHMARK_MAIN();
