// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// The commands that change tab items rather than notes, each followed by what the editor's view
// does next, timed apart: the command itself; the layout the view needs before it paints (the
// flow brought up to date, as when the view follows the caret, and the scroll range from it);
// and the paint of the whole 1920 × 1080 viewport at the caret's row. Commands: Paste of three
// items, a drop that moves them, a technique from the menu, Insert Tab Item at the caret and Cut
// of the three, in rounds around the middle of the songbook. The same again with the processor's
// caches emptied before each layout, which shows whether the layout's own work grows with the
// songbook: after the commands that walk every item, the huge songbook's layout otherwise finds
// its memory out of the cache and the large one's in it.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <array>
#include <string>
#include <vector>

#include "edit/DragSelection.h"
#include "edit/DropHandler.h"
#include "model/CommandIds.h"
#include "model/TabCursor.h"
#include "platform/clipboard/MemoryClipboard.h"
#include "platform/qt/QtSurface.h"
#include "render/ScrollSizes.h"
#include "render/ViewLayout.h"
#include "render/ViewPainter.h"
#include "support/BenchDocument.h"
#include "support/EditorViewport.h"
#include "support/GuiBenchmarkMain.h"
#include "support/LatencySample.h"
#include "support/Stopwatch.h"
#include "support/Workloads.h"

namespace lutaris {
namespace {

using bench::kOuterWidth;
using bench::kViewportHeight;
using bench::kViewportWidth;

// 1,250 layouts of a few microseconds each: with fewer, the 99th percentile is the second or third
// slowest layout, and whichever of them an interrupt or a preemption met decides it.
constexpr int kRounds = 250;

enum Command { Paste, Drop, Technique, Insert, Cut, kCommands };
constexpr std::array<const char*, kCommands> kCommandNames = {"paste", "drop", "technique",
                                                              "insert", "cut"};

struct Samples {
    bench::LatencySample command, layout, paint;
};

// Reads and writes more memory than any processor's caches hold.
void EmptyTheCaches() {
    static std::vector<char> sweep(std::size_t{128} << 20, 1);
    for (std::size_t i = 0; i < sweep.size(); i += 64) sweep[i] = static_cast<char>(sweep[i] + 1);
    benchmark::DoNotOptimize(sweep.data());
}

class CommandRounds {
public:
    CommandRounds(std::size_t items, bool coldCaches) : coldCaches_(coldCaches) {
        bench::FillSongbook(document_, items);
        document_.SetClipboard(&clipboard_);
        middle_ = static_cast<std::int32_t>(items / 2);
        bench::PutCaretOn(document_, middle_);
        Layout();
        const LayoutPoint origin = document_.cursor->tabItem->GetLastOrigin();
        scroll_ = {0, std::max(0, origin.y - kViewportHeight / 3)};
        Paint();
    }

    // One round: three items after the caret selected and marked as copied, then every command.
    void Round(std::array<Samples, kCommands>& samples, Samples& all) {
        bench::PutCaretOn(document_, middle_);
        DragSelection(document_).Begin();
        DragSelection(document_).End(middle_ + 2, middle_ + 4, &clipboard_);
        document_.SetSelection(document_.selection, 1);
        for (int command = 0; command < kCommands; ++command) {
            const bench::WallStopwatch commandWatch;
            Run(static_cast<Command>(command));
            const double commandMs = commandWatch.WallMilliseconds();
            if (coldCaches_) EmptyTheCaches();
            const bench::WallStopwatch layoutWatch;
            Layout();
            const double layoutMs = layoutWatch.WallMilliseconds();
            const bench::WallStopwatch paintWatch;
            drawn_ = Paint();
            const double paintMs = paintWatch.WallMilliseconds();
            for (Samples* sample : {&samples[command], &all}) {
                sample->command.Add(commandMs);
                sample->layout.Add(layoutMs);
                sample->paint.Add(paintMs);
            }
        }
    }

    std::size_t Drawn() const { return drawn_; }
    std::size_t ReusedLayouts() const { return document_.GetViewLayout().ReusedPaints(); }
    std::size_t Items() const { return document_.tabItems.size(); }

private:
    void Run(Command command) {
        switch (command) {
            case Paste:
                document_.OnEditPaste();
                break;
            case Drop:
                DropHandler(document_, &clipboard_, bench_.Prompter()).Drop(middle_ - 6);
                break;
            case Technique:
                document_.RunCommand(ID_ACTION_MUTE);
                break;
            case Insert:
                document_.OnInsertTabItem();
                break;
            case Cut:
                document_.OnEditCut();
                break;
            case kCommands:
                break;
        }
    }

    // What the view does before it paints: the flow for its window and the scroll range.
    void Layout() {
        ViewPainter::LayOut(document_, kOuterWidth);
        benchmark::DoNotOptimize(ComputeScrollSizes(document_, kOuterWidth, bench::kBorderWidth,
                                                    bench::kScrollBarWidth));
    }

    std::size_t Paint() {
        image_.fill(Qt::white);
        QPainter painter(&image_);
        painter.translate(-scroll_.x, -scroll_.y);
        QtSurface surface(painter);
        ViewPaintState state;
        state.windowWidth = kOuterWidth;
        state.exposed = LayoutRect{scroll_.x, scroll_.y, scroll_.x + kViewportWidth - 1,
                                   scroll_.y + kViewportHeight - 1};
        return ViewPainter::Paint(document_, surface, state);
    }

    bool coldCaches_;
    bench::BenchDocument bench_;
    CCorvaneDoc& document_ = bench_.Document();
    MemoryClipboard clipboard_;
    QImage image_{kViewportWidth, kViewportHeight, QImage::Format_RGB32};
    std::int32_t middle_ = 0;
    LayoutPoint scroll_;
    std::size_t drawn_ = 0;
};

void TimeCommands(benchmark::State& state, bool coldCaches) {
    CommandRounds rounds(static_cast<std::size_t>(state.range(0)), coldCaches);
    std::array<Samples, kCommands> samples;
    Samples all;
    const std::size_t reusedBefore = rounds.ReusedLayouts();
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) rounds.Round(samples, all);
    }
    if (rounds.Drawn() == 0) state.SkipWithError("the paints drew nothing");
    const auto report = [&](const std::string& prefix, const Samples& sample) {
        state.counters[prefix + "layout_p50_ms"] = sample.layout.Median();
        state.counters[prefix + "layout_p99_ms"] = sample.layout.Percentile(0.99);
        state.counters[prefix + "paint_p50_ms"] = sample.paint.Median();
        state.counters[prefix + "paint_p99_ms"] = sample.paint.Percentile(0.99);
        state.counters[prefix + "command_p50_ms"] = sample.command.Median();
        state.counters[prefix + "command_p99_ms"] = sample.command.Percentile(0.99);
    };
    report("", all);
    for (int command = 0; command < kCommands; ++command) {
        report(std::string(kCommandNames[command]) + "_", samples[command]);
    }
    state.counters["items"] = static_cast<double>(rounds.Items());
    state.counters["items_drawn"] = static_cast<double>(rounds.Drawn());
    // Layouts (and the paints after them) that started from the kept layout.
    state.counters["reused_layouts"] = static_cast<double>(rounds.ReusedLayouts() - reusedBefore);
    state.counters["layouts"] = static_cast<double>(2 * all.layout.Count());
}

void BM_CommandLayout(benchmark::State& state) { TimeCommands(state, false); }
BENCHMARK(BM_CommandLayout)->Apply(bench::OnceOnEachSongbook);

void BM_CommandLayoutColdCaches(benchmark::State& state) { TimeCommands(state, true); }
BENCHMARK(BM_CommandLayoutColdCaches)->Apply(bench::OnceOnEachSongbook);

}  // namespace
}  // namespace lutaris

int main(int argc, char** argv) { return lutaris::bench::RunGuiBenchmarks(argc, argv); }
