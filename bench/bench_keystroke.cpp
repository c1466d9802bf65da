// A digit typed at a caret in the middle of the songbook, all the way to the picture: the
// caret's OnKey, ApplyCursorResult, the update step with a view that follows it as the editor's
// does (scroll range, then a repaint request), and the repaint of a 1920 × 1080 viewport
// scrolled to the caret into an offscreen image, followed by the scroll range again. Each
// keystroke is timed on its own, so that the 99th percentile shows the slow ones.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <optional>

#include "model/TabCursor.h"
#include "platform/keys/VirtualKeyCodes.h"
#include "platform/qt/QtSurface.h"
#include "render/ScrollSizes.h"
#include "render/ViewLayout.h"
#include "render/ViewPainter.h"
#include "render/ViewRepaintArea.h"
#include "support/BenchDocument.h"
#include "support/EditorViewport.h"
#include "support/GuiBenchmarkMain.h"
#include "support/LatencySample.h"
#include "support/Stopwatch.h"
#include "support/Workloads.h"

namespace lutaris {
namespace {

using bench::kBorderWidth;
using bench::kOuterWidth;
using bench::kScrollBarWidth;
using bench::kViewportHeight;
using bench::kViewportWidth;

// What the editor's view does when the document says it changed: the scroll range, then a
// repaint request for what changed (the edited item and the caret, or everything), which
// accumulates until the paint as the window system's update region does.
class BenchView : public DocumentObserver {
public:
    explicit BenchView(CCorvaneDoc& document) : document_(document) { document_.AddView(this); }
    ~BenchView() override { document_.RemoveView(this); }

    void OnDocumentUpdated() override {
        UpdateScrollSizes();
        RequestRepaint();
    }

    void RequestRepaint() {
        const std::optional<LayoutRect> area = repaintArea_.Changed(document_, kOuterWidth);
        if (!area) {
            everything_ = true;
        } else {
            Extend(pending_, *area);
        }
    }

    void RequestEverything() { everything_ = true; }

    void UpdateScrollSizes() {
        sizes_ = ComputeScrollSizes(document_, kOuterWidth, kBorderWidth, kScrollBarWidth);
    }

    // The paint event: the requested area of the viewport at the scroll position erased and
    // painted (clipped to it), then the scroll range.
    std::size_t Paint(QImage& image, LayoutPoint scroll) {
        const LayoutRect viewport{scroll.x, scroll.y, scroll.x + kViewportWidth - 1,
                                  scroll.y + kViewportHeight - 1};
        std::optional<LayoutRect> exposed;
        if (!everything_ && pending_) {
            const LayoutRect area{std::max(pending_->left, viewport.left),
                                  std::max(pending_->top, viewport.top),
                                  std::min(pending_->right, viewport.right),
                                  std::min(pending_->bottom, viewport.bottom)};
            if (area.left <= area.right && area.top <= area.bottom && !(area == viewport))
                exposed = area;
        }
        everything_ = false;
        pending_.reset();
        const LayoutRect painted = exposed.value_or(viewport);
        const QRect client(painted.left - scroll.x, painted.top - scroll.y,
                           painted.right - painted.left + 1, painted.bottom - painted.top + 1);
        std::size_t drawn = 0;
        {
            QPainter painter(&image);
            painter.fillRect(client, Qt::white);
            painter.setClipRect(client);
            painter.translate(-scroll.x, -scroll.y);
            QtSurface surface(painter);
            ViewPaintState state;
            state.windowWidth = kOuterWidth;
            state.exposed = painted;
            drawn = ViewPainter::Paint(document_, surface, state);
        }
        repaintArea_.Painted(document_, exposed);
        if (exposed) ++partialPaints_;
        UpdateScrollSizes();
        return drawn;
    }

    bool RepaintRequested() const { return everything_ || pending_.has_value(); }
    const ScrollSizes& Sizes() const { return sizes_; }
    std::size_t PartialPaints() const { return partialPaints_; }

private:
    CCorvaneDoc& document_;
    ScrollSizes sizes_;
    ViewRepaintArea repaintArea_;
    std::optional<LayoutRect> pending_;
    bool everything_ = true;
    std::size_t partialPaints_ = 0;
};

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
BENCHMARK(BM_KeystrokeRepaint)
    ->Arg(static_cast<std::int64_t>(bench::kLargeItems))
    ->Arg(static_cast<std::int64_t>(bench::kHugeItems))
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_KeystrokeFullRelayout(benchmark::State& state) { TypeDigits(state, 200, true); }
BENCHMARK(BM_KeystrokeFullRelayout)
    ->Arg(static_cast<std::int64_t>(bench::kLargeItems))
    ->Arg(static_cast<std::int64_t>(bench::kHugeItems))
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lutaris

int main(int argc, char** argv) { return lutaris::bench::RunGuiBenchmarks(argc, argv); }
