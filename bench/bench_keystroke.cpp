// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// A digit typed at a caret in the middle of the songbook, all the way to the picture: the
// caret's OnKey, ApplyCursorResult, the update step with a view that follows it as the editor's
// does (scroll range, then a repaint request), and the repaint of a 1920 × 1080 viewport
// scrolled to the caret into an offscreen image, followed by the scroll range again. Each
// keystroke is timed on its own, so that the 99th percentile shows the slow ones.

#include <benchmark/benchmark.h>

#include <QImage>
#include <algorithm>

#include "model/TabCursor.h"
#include "platform/keys/VirtualKeyCodes.h"
#include "render/ViewLayout.h"
#include "support/BenchDocument.h"
#include "support/BenchView.h"
#include "support/EditorViewport.h"
#include "support/GuiBenchmarkMain.h"
#include "support/LatencySample.h"
#include "support/Stopwatch.h"
#include "support/Workloads.h"

namespace lutaris {
namespace {

using bench::BenchView;
using bench::kViewportHeight;
using bench::kViewportWidth;

// Types `keystrokes` digits; with `relayout`, each paint lays the whole songbook out again and
// repaints the whole viewport, as every paint did before the layout was kept (and as a paint
// after any other command does).
void TypeDigits(benchmark::State& state, int keystrokes, bool relayout) {
    bench::BenchDocument bench;
    CCorvaneDoc& document = bench.Document();
    bench::FillSongbook(document, static_cast<std::size_t>(state.range(0)));
    bench::PutCaretOn(document, static_cast<std::int32_t>(document.tabItems.size() / 2));
    BenchView view(document);
    QImage image(kViewportWidth, kViewportHeight, QImage::Format_RGB32);

    // The first paint lays the songbook out; then the view scrolls so that the caret's row is
    // a third of the way down.
    view.Paint(image, {0, 0});
    const LayoutPoint caretOrigin = document.cursor->tabItem->GetLastOrigin();
    const LayoutPoint scroll{0, std::max(0, caretOrigin.y - kViewportHeight / 3)};
    view.Paint(image, scroll);

    bench::LatencySample sample, cpuSample;
    sample.Reserve(static_cast<std::size_t>(keystrokes));
    cpuSample.Reserve(static_cast<std::size_t>(keystrokes));
    std::size_t drawn = 0;
    int digit = 0;
    const std::size_t reusedBefore = document.GetViewLayout().ReusedPaints();
    for (auto _ : state) {
        for (int i = 0; i < keystrokes; ++i) {
            const std::int32_t key = vk::Digit0 + 1 + digit;
            digit = (digit + 1) % 9;
            const bench::Stopwatch watch;
            const std::int32_t result = document.cursor->OnKey(key);
            document.ApplyCursorResult(result);
            if ((result & Repaint) != 0) view.RequestRepaint();
            if (relayout) {
                document.DiscardLayout();
                view.RequestEverything();
            }
            if (view.RepaintRequested()) drawn = view.Paint(image, scroll);
            sample.Add(watch.WallMilliseconds());
            cpuSample.Add(watch.CpuMilliseconds());
        }
    }
    if (drawn == 0) state.SkipWithError("the keystrokes repainted nothing");
    state.counters["median_ms"] = sample.Median();
    state.counters["p99_ms"] = sample.Percentile(0.99);
    state.counters["max_ms"] = sample.Percentile(1.0);
    // Processor time leaves out the time other programs on a shared machine held the processor.
    state.counters["cpu_median_ms"] = cpuSample.Median();
    state.counters["cpu_p99_ms"] = cpuSample.Percentile(0.99);
    state.counters["items_drawn"] = static_cast<double>(drawn);
    state.counters["items"] = static_cast<double>(document.tabItems.size());
    // Paints that started from the kept layout instead of laying out the whole songbook.
    state.counters["reused_layouts"] =
        static_cast<double>(document.GetViewLayout().ReusedPaints() - reusedBefore);
    // Paints of the changed area alone rather than the whole viewport.
    state.counters["partial_paints"] = static_cast<double>(view.PartialPaints());
}

void BM_KeystrokeRepaint(benchmark::State& state) { TypeDigits(state, 2000, false); }
BENCHMARK(BM_KeystrokeRepaint)->Apply(bench::OnceOnEachSongbook);

void BM_KeystrokeFullRelayout(benchmark::State& state) { TypeDigits(state, 200, true); }
BENCHMARK(BM_KeystrokeFullRelayout)->Apply(bench::OnceOnEachSongbook);

}  // namespace
}  // namespace lutaris

int main(int argc, char** argv) { return lutaris::bench::RunGuiBenchmarks(argc, argv); }
