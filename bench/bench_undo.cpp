// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// Undo and redo on the 100,000-item songbook: a typed note taken back and done again, each
// timed to the view's repaint request (the observer's scroll range and changed area, as the
// editor's view does it); Cut of 1,000 items and Import File undone and redone; and what the
// history keeps per typed note, counted by the history and by the process's resident memory.

#include <benchmark/benchmark.h>

#include <QImage>
#include <algorithm>
#include <fstream>
#include <string>

#include "edit/CursorResultApplier.h"
#include "edit/DragSelection.h"
#include "model/CommandIds.h"
#include "model/TabCursor.h"
#include "platform/clipboard/MemoryClipboard.h"
#include "platform/keys/VirtualKeyCodes.h"
#include "support/BenchDocument.h"
#include "support/BenchView.h"
#include "support/GuiBenchmarkMain.h"
#include "support/LatencySample.h"
#include "support/ProcessMemory.h"
#include "support/Stopwatch.h"
#include "support/TempFolder.h"
#include "support/Workloads.h"

namespace lutaris {
namespace {

using bench::BenchView;
using bench::kViewportHeight;
using bench::kViewportWidth;

// A songbook with a view that has painted once around its middle, the caret there.
struct Songbook {
    Songbook()
        : view(bench.Document()), image(kViewportWidth, kViewportHeight, QImage::Format_RGB32) {
        CCorvaneDoc& document = bench.Document();
        bench::FillSongbook(document, bench::kHugeItems);
        bench::PutCaretOn(document, static_cast<std::int32_t>(document.tabItems.size() / 2));
        document.SetClipboard(&clipboard);
        view.Paint(image, {0, 0});
        const LayoutPoint origin = document.cursor->tabItem->GetLastOrigin();
        scroll = {0, std::max(0, origin.y - kViewportHeight / 3)};
        view.Paint(image, scroll);
    }
    CCorvaneDoc& Document() { return bench.Document(); }
    // Types one digit into the cell right of the caret: a step of its own.
    void TypeNextCell(int digit) {
        CursorResultApplier(Document()).Key(vk::Right);
        CursorResultApplier(Document()).Key(vk::Digit0 + 1 + digit % 9);
    }

    // Undo, then Redo, as the menu commands: each timed to its repaint request, then painted.
    void TimeUndoAndRedo(LayoutPoint at, bench::LatencySample& undo, bench::LatencySample& redo) {
        for (auto [command, sample] :
             {std::pair{ID_EDIT_UNDO, &undo}, std::pair{ID_EDIT_REDO, &redo}}) {
            const bench::Stopwatch watch;
            Document().RunCommand(command);
            sample->Add(watch.WallMilliseconds());
            view.Paint(image, at);
        }
    }

    bench::BenchDocument bench;
    MemoryClipboard clipboard;
    BenchView view;
    QImage image;
    LayoutPoint scroll;
};

void Report(benchmark::State& state, const char* name, const bench::LatencySample& sample) {
    state.counters[std::string(name) + "_median_ms"] = sample.Median();
    state.counters[std::string(name) + "_p99_ms"] = sample.Percentile(0.99);
    state.counters[std::string(name) + "_max_ms"] = sample.Percentile(1.0);
}

void BM_UndoRedoTypedNote(benchmark::State& state) {
    Songbook book;
    CCorvaneDoc& document = book.Document();
    constexpr int kSteps = 500;
    for (int i = 0; i < kSteps; ++i) book.TypeNextCell(i);
    book.view.Paint(book.image, book.scroll);
    bench::LatencySample undo, redo;
    for (auto _ : state) {
        for (int i = 0; i < kSteps; ++i) {
            const bench::Stopwatch watch;
            document.Undo();  // the observer asks for its repaint from inside
            undo.Add(watch.WallMilliseconds());
            book.view.Paint(book.image, book.scroll);
        }
        for (int i = 0; i < kSteps; ++i) {
            const bench::Stopwatch watch;
            document.Redo();
            redo.Add(watch.WallMilliseconds());
            book.view.Paint(book.image, book.scroll);
        }
    }
    if (document.CanRedo()) state.SkipWithError("not every step was redone");
    Report(state, "undo", undo);
    Report(state, "redo", redo);
}
BENCHMARK(BM_UndoRedoTypedNote)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_UndoRedoCut1000(benchmark::State& state) {
    Songbook book;
    CCorvaneDoc& document = book.Document();
    const auto first = static_cast<std::int32_t>(document.tabItems.size() / 2);
    bench::LatencySample undo, redo;
    for (auto _ : state) {
        DragSelection(document).Begin();
        DragSelection(document).End(first, first + 999, &book.clipboard);
        document.RunCommand(ID_EDIT_CUT);
        book.view.Paint(book.image, book.scroll);
        book.TimeUndoAndRedo(book.scroll, undo, redo);
        document.RunCommand(ID_EDIT_UNDO);
    }
    if (document.tabItems.size() != bench::kHugeItems) state.SkipWithError("items lost");
    Report(state, "undo_cut", undo);
    Report(state, "redo_cut", redo);
}
BENCHMARK(BM_UndoRedoCut1000)->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_UndoRedoImport(benchmark::State& state) {
    Songbook book;
    CCorvaneDoc& document = book.Document();
    bench::TempFolder folder;
    const std::string path = folder.File("tab.txt");
    std::ofstream(path, std::ios::binary) << bench::TextTablatureWorkload(256 * 1024);
    book.bench.Prompter().QueueAnswer(MessageAnswer::Yes);  // replace the songbook
    book.bench.Prompter().QueueFile(path);
    document.RunCommand(ID_IMPORT_FILE);
    book.view.Paint(book.image, {0, 0});
    bench::LatencySample undo, redo;
    for (auto _ : state) {
        book.TimeUndoAndRedo({0, 0}, undo, redo);
    }
    if (document.tabItems.size() == bench::kHugeItems) state.SkipWithError("nothing imported");
    Report(state, "undo_import", undo);
    Report(state, "redo_import", redo);
}
BENCHMARK(BM_UndoRedoImport)->Iterations(10)->Unit(benchmark::kMillisecond);

// 100,000 typed notes, each in a cell of its own: what the history counts and what the process
// grew by, per step.
void BM_HistoryOfTypedNotes(benchmark::State& state) {
    bench::BenchDocument bench;
    CCorvaneDoc& document = bench.Document();
    bench::FillSongbook(document, bench::kHugeItems);
    bench::PutCaretOn(document, 0);
    constexpr int kSteps = 100'000;
    double perStep = 0;
    double residentPerStep = 0;
    for (auto _ : state) {
        const bench::ProcessMemory before = bench::ProcessMemory::Now();
        for (int i = 0; i < kSteps; ++i) {
            // Twenty cells of an item, then the next item: items keep the size they have.
            if (i % 20 == 0) bench::PutCaretOn(document, i / 20);
            CursorResultApplier(document).Key(vk::Digit0 + 1 + i % 9);
            CursorResultApplier(document).Key(vk::Right);
        }
        const bench::ProcessMemory after = bench::ProcessMemory::Now();
        perStep = static_cast<double>(document.History().Bytes()) /
                  static_cast<double>(document.History().UndoCount());
        residentPerStep = static_cast<double>(after.resident - before.resident) / kSteps;
    }
    state.counters["steps"] = static_cast<double>(document.History().UndoCount());
    state.counters["history_MiB"] = static_cast<double>(document.History().Bytes()) / (1 << 20);
    state.counters["bytes_per_step"] = perStep;
    state.counters["resident_bytes_per_step"] = residentPerStep;
}
BENCHMARK(BM_HistoryOfTypedNotes)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lutaris

int main(int argc, char** argv) { return lutaris::bench::RunGuiBenchmarks(argc, argv); }
