// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <benchmark/benchmark.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStaticText>
#include <QString>
#include <algorithm>
#include <cmath>
#include <ctime>
#include <map>
#include <vector>

#include "document/CCorvaneDoc.h"
#include "model/TabCursor.h"
#include "platform/prompt/ScriptedPrompter.h"
#include "platform/qt/QtFaceResolver.h"
#include "platform/qt/QtSurface.h"
#include "platform/surface/ArcGeometry.h"
#include "platform/surface/RecordingSurface.h"
#include "render/ViewLayout.h"
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

ViewPaintState FullView(int width, int height) {
    ViewPaintState paint;
    paint.windowWidth = width;
    paint.exposed = LayoutRect{0, 0, width - 1, height - 1};
    return paint;
}

// One full repaint of the view as the widget does it: every item laid out, the visible ones
// drawn on a 1920 × 1080 picture, then the caret.
void BM_FullRepaint1920x1080(benchmark::State& state) {
    ScriptedPrompter prompter;
    CCorvaneDoc document(prompter);
    document.OnNewDocument();
    FillDocument(document, static_cast<int>(state.range(0)), 20);
    QImage image(1920, 1080, QImage::Format_RGB32);
    const ViewPaintState paint = FullView(1920, 1080);
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

// The floor: what the same picture costs a bare QPainter that is handed every number, line and
// arc ready made (each distinct text laid out once, the opaque cells filled), in the same font
// and pens. Made once from a recording of the view's paint.
class BarePicture {
public:
    explicit BarePicture(const std::vector<RecordedCall>& calls) {
        for (const RecordedCall& call : calls) {
            const auto& a = call.args;
            switch (call.kind) {
                case RecordedCall::Kind::Rectangle:
                    rects_.emplace_back(a[0], a[1], a[2] - a[0] - 1, a[3] - a[1] - 1);
                    break;
                case RecordedCall::Kind::LineTo:
                    lines_.emplace_back(call.fromX, call.fromY, a[0], a[1]);
                    break;
                case RecordedCall::Kind::Arc: {
                    const ArcSweep sweep =
                        ComputeArcSweep(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
                    arcs_.push_back({QRect(a[0], a[1], a[2] - a[0] - 1, a[3] - a[1] - 1),
                                     static_cast<int>(std::lround(sweep.startDegrees * 16)),
                                     static_cast<int>(std::lround(sweep.spanDegrees * 16))});
                    break;
                }
                case RecordedCall::Kind::TextOut:
                    texts_.push_back({QPoint(a[0], a[1]), QString::fromStdString(call.text),
                                      call.bkMode == BackgroundMode::Opaque, nullptr, 0});
                    if (call.font.height != 0) fontHeight_ = -call.font.height;
                    break;
                default:
                    break;
            }
        }
        font_ = QFont(QtFaceResolver::Family("Courier"));
        font_.setPixelSize(std::max(1, fontHeight_));
        const QFontMetrics metrics(font_);
        cellHeight_ = metrics.height();
        // Each distinct text laid out once, as the best a bare painter can be handed.
        for (Text& text : texts_) {
            auto [laidOut, added] = laidOut_.try_emplace(text.text, text.text);
            if (added) {
                laidOut->second.setTextFormat(Qt::PlainText);
                laidOut->second.setPerformanceHint(QStaticText::AggressiveCaching);
                laidOut->second.prepare(QTransform(), font_);
            }
            text.glyphs = &laidOut->second;
            text.advance = metrics.horizontalAdvance(text.text);
        }
    }

    // `ratio` device pixels a unit: lines a unit wide, as thick as the scaled text beside them.
    void Paint(QPainter& painter, int ratio) const {
        painter.setFont(font_);
        painter.setPen(QPen(Qt::black, ratio > 1 ? 1.0 : 0.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRects(rects_.data(), static_cast<int>(rects_.size()));
        painter.drawLines(lines_.data(), static_cast<int>(lines_.size()));
        for (const Arc& arc : arcs_) painter.drawArc(arc.box, arc.start, arc.span);
        const QColor white(Qt::white);
        for (const Text& text : texts_) {
            if (text.opaque)
                painter.fillRect(QRect(text.at.x(), text.at.y(), text.advance, cellHeight_), white);
            painter.drawStaticText(text.at, *text.glyphs);
        }
    }

    std::size_t Size() const {
        return rects_.size() + lines_.size() + arcs_.size() + texts_.size();
    }

private:
    struct Arc {
        QRect box;
        int start;
        int span;
    };
    struct Text {
        QPoint at;
        QString text;
        bool opaque;
        const QStaticText* glyphs;
        int advance;
    };
    std::vector<QRect> rects_;
    std::vector<QLine> lines_;
    std::vector<Arc> arcs_;
    std::vector<Text> texts_;
    std::map<QString, QStaticText> laidOut_;
    QFont font_;
    int fontHeight_ = 12;
    int cellHeight_ = 0;
};

double MedianMs(std::vector<double> samples) {
    if (samples.empty()) return 0.0;
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples[samples.size() / 2];
}

// A dense full repaint against the floor, in the same run, one after the other: on a 1920 ×
// 1080 screen (ratio 1) and on a 3840 × 2160 one that shows the same at a device pixel ratio
// of 2. The paint starts from the kept layout, as a repaint after Page Down does;
// BM_FullRepaint1920x1080 lays everything out first.
void BM_DenseRepaintAgainstFloor(benchmark::State& state) {
    ScriptedPrompter prompter;
    CCorvaneDoc document(prompter);
    document.OnNewDocument();
    FillDocument(document, static_cast<int>(state.range(0)), 20);
    const auto ratio = static_cast<int>(state.range(1));
    const ViewPaintState paint = FullView(1920, 1080);
    RecordingSurface recording;
    ViewPainter::Paint(document, recording, paint);
    const BarePicture floor(recording.Calls());

    QImage image(1920 * ratio, 1080 * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    std::vector<double> paintMs;
    std::vector<double> floorMs;
    // The thread's processor time: the machine is shared, and waiting for it is no cost of
    // drawing.
    const auto now = [] {
        timespec time{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
        return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_nsec) / 1e6;
    };
    for (auto _ : state) {
        image.fill(Qt::white);
        // As after Page Down or a scroll: the items stand where the last paint put them.
        document.GetViewLayout().NothingMoved();
        double start = now();
        {
            QPainter painter(&image);
            QtSurface surface(painter);
            ViewPainter::Paint(document, surface, paint);
        }
        paintMs.push_back(now() - start);
        image.fill(Qt::white);
        start = now();
        {
            QPainter painter(&image);
            floor.Paint(painter, ratio);
        }
        floorMs.push_back(now() - start);
    }
    const double paintMedian = MedianMs(paintMs);
    const double floorMedian = MedianMs(floorMs);
    state.counters["paint_ms"] = paintMedian;
    state.counters["floor_ms"] = floorMedian;
    state.counters["floor_ratio"] = floorMedian > 0.0 ? paintMedian / floorMedian : 0.0;
    state.counters["primitives"] = static_cast<double>(floor.Size());
}
BENCHMARK(BM_DenseRepaintAgainstFloor)
    ->Args({3000, 1})
    ->Args({3000, 2})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lutaris

int main(int argc, char** argv) { return lutaris::bench::RunGuiBenchmarks(argc, argv); }
