#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "document/CCorvaneDoc.h"
#include "model/TabCursor.h"
#include "platform/prompt/ScriptedPrompter.h"
#include "platform/qt/QtSurface.h"
#include "render/ViewPainter.h"
#include "support/GuiBenchmarkMain.h"

namespace lutaris {
namespace {

// A document whose items are full: a note on every string of every column, with every
// technique, so that a 1920 × 1080 view shows as many notes as it can hold (3,600).
void FillDocument(CCorvaneDoc& document, int items, int columns) {
    for (int i = 0; i < items; ++i) {
        Tablature* item = i == 0 ? document.tabItems[0].get() : document.AppendTabItem(i);
        for (int column = 0; column < columns; ++column) {
            for (int string = 0; string < 6; ++string) {
                item->AppendNote(
                    TabNote{(column * 7 + string) % 24, string, column, 0, (column + string) % 16});
            }
        }
    }
}

// One full repaint of the view as the widget does it: every item laid out, the visible ones
// drawn on a 1920 × 1080 picture, then the caret.
void BM_FullRepaint1920x1080(benchmark::State& state) {
    ScriptedPrompter prompter;
    CCorvaneDoc document(prompter);
    document.OnNewDocument();
    FillDocument(document, static_cast<int>(state.range(0)), 20);
    QImage image(1920, 1080, QImage::Format_RGB32);
    ViewPaintState paint;
    paint.windowWidth = 1920;
    paint.exposed = LayoutRect{0, 0, 1919, 1079};
    std::size_t drawn = 0;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QtSurface surface(painter);
        drawn = ViewPainter::Paint(document, surface, paint);
    }
    state.counters["items_drawn"] = static_cast<double>(drawn);
}
BENCHMARK(BM_FullRepaint1920x1080)->Arg(30)->Arg(3000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lutaris

int main(int argc, char** argv) { return lutaris::bench::RunGuiBenchmarks(argc, argv); }
