// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// Playback in the editor's window: the play cursor's step on the HUGE songbook (the marker
// moved one column and the two columns painted), and Space in the view to the first note-on at
// the synthesizer (FluidSynth's file driver stands in for a sound card).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <QKeyEvent>
#include <cstdlib>

#include "app/frame/CMainFrame.h"
#include "app/shell/PlaybackController.h"
#include "edit/qt/CCorvaneView.h"
#include "model/TabCursor.h"
#include "sound/LivePlayer.h"
#include "support/BenchDocument.h"
#include "support/GuiBenchmarkMain.h"
#include "support/LatencySample.h"
#include "support/Stopwatch.h"
#include "support/TempFolder.h"
#include "support/Workloads.h"

namespace lutaris {
namespace {

constexpr int kWindowWidth = 1920;
constexpr int kWindowHeight = 1080;

void PressSpace(QWidget& view) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&view, &press);
}

// The cursor walks the columns of the items in the middle of the songbook, as a song plays;
// each step is timed from the move to the end of the paint it asked for.
void BM_PlayCursorStep(benchmark::State& state) {
    bench::BenchDocument bench;
    CCorvaneDoc& document = bench.Document();
    bench::FillSongbook(document, bench::kHugeItems);
    const auto middle = static_cast<std::int32_t>(document.tabItems.size() / 2);
    bench::PutCaretOn(document, middle);
    CCorvaneView view(document);
    view.resize(kWindowWidth, kWindowHeight);
    view.show();
    view.OnInitialUpdate();
    QApplication::processEvents();

    bench::LatencySample wall, cpu, scrolling, still;
    std::int32_t position = middle;
    std::int32_t column = 0;
    for (auto _ : state) {
        for (int step = 0; step < 2000; ++step) {
            const Tablature* item = document.ItemAtPosition(position);
            const int scrollBefore = view.verticalScrollBar()->value();
            const bench::Stopwatch watch;
            view.ShowPlayCursor(item, position, column);
            QApplication::processEvents();
            const double ms = watch.WallMilliseconds();
            wall.Add(ms);
            cpu.Add(watch.CpuMilliseconds());
            (view.verticalScrollBar()->value() != scrollBefore ? scrolling : still).Add(ms);
            if (++column > item->MaxColumn()) {
                column = 0;
                ++position;
            }
        }
    }
    state.counters["median_ms"] = wall.Median();
    state.counters["p99_ms"] = wall.Percentile(0.99);
    state.counters["cpu_median_ms"] = cpu.Median();
    state.counters["cpu_p99_ms"] = cpu.Percentile(0.99);
    state.counters["items"] = static_cast<double>(document.tabItems.size());
    // A step that scrolls also paints the strip of the next row that comes into view.
    state.counters["scrolling_steps"] = static_cast<double>(scrolling.Count());
    state.counters["scrolling_median_ms"] = scrolling.Median();
    state.counters["still_p99_ms"] = still.Percentile(0.99);
}
BENCHMARK(BM_PlayCursorStep)->Iterations(1)->Unit(benchmark::kMillisecond);

// Space in the view runs Play, which sends the first notes before it returns: the time the key
// takes bounds the time to the first note-on.
void BM_SpaceToFirstNoteOn(benchmark::State& state) {
    bench::TempFolder folder;
    setenv("LUTARIS_AUDIO_DRIVER", "file", 1);
    setenv("LUTARIS_AUDIO_FILE", folder.File("played.wav").c_str(), 1);
    bench::BenchDocument bench;
    CCorvaneDoc& document = bench.Document();
    bench::FillSongbook(document, 200, 5);
    bench::PutCaretOn(document, 0);
    CMainFrame frame(document);
    frame.resize(kWindowWidth / 2, kWindowHeight / 2);
    frame.show();
    QApplication::processEvents();
    CCorvaneView& view = frame.View();
    // The first play loads the soundfont and opens the output; it is counted apart.
    const bench::Stopwatch first;
    PressSpace(view);
    const double firstMs = first.WallMilliseconds();
    if (!frame.Playback().IsPlaying()) {
        state.SkipWithError("the first play did not start (no soundfont or no module)");
        return;
    }
    PressSpace(view);
    bench::LatencySample latency;
    for (auto _ : state) {
        const bench::Stopwatch watch;
        PressSpace(view);
        const double ms = watch.WallMilliseconds();
        const LivePlayer* player = frame.Playback().Player();
        // Without a note-on before the key returned the figure would mean nothing.
        latency.Add(player && player->StartLatency() ? ms : 1e9);
        QApplication::processEvents();
        PressSpace(view);
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["first_play_ms"] = firstMs;
    state.counters["median_ms"] = latency.Median();
    state.counters["p99_ms"] = latency.Percentile(0.99);
    unsetenv("LUTARIS_AUDIO_DRIVER");
    unsetenv("LUTARIS_AUDIO_FILE");
}
BENCHMARK(BM_SpaceToFirstNoteOn)->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lutaris

int main(int argc, char** argv) { return lutaris::bench::RunWidgetBenchmarks(argc, argv); }
