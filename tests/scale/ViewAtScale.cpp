// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// Shows the view of a fixed songbook at the scale factor the environment gives
// (QT_SCALE_FACTOR is read when the application starts, hence a process of its own) and writes
// the window's own pixels of the viewport, where partial repaints and scrolled strips end up:
//   lutaris_view_at_scale OUTPUT_PREFIX
// writes OUTPUT_PREFIX-shown.png after the first paint, OUTPUT_PREFIX-edited.png after a scroll
// down by an uneven amount and a typed note, both in device pixels.
#include <QApplication>
#include <QBackingStore>
#include <QScrollBar>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "document/CCorvaneDoc.h"
#include "edit/qt/CCorvaneView.h"
#include "platform/prompt/ScriptedPrompter.h"

namespace {

using namespace lutaris;

// Rows of items of two to eight columns, with every technique and two-digit frets.
void Fill(CCorvaneDoc& doc) {
    std::mt19937 random(11);
    for (int i = 0; i < 26; ++i) {
        Tablature* item =
            i == 0 ? doc.tabItems[0].get() : doc.AppendTabItem(static_cast<std::int32_t>(i));
        const int columns = 2 + static_cast<int>(random() % 7);
        for (int column = 0; column < columns; ++column) {
            item->AppendNote(TabNote{static_cast<std::int32_t>(random() % 24),
                                     static_cast<std::int32_t>(random() % 6), column, 0,
                                     static_cast<std::int32_t>(random() % 16)});
        }
    }
    doc.InvalidatePositionIndex();
}

bool SaveShown(CCorvaneView& view, const QString& path) {
    QApplication::processEvents();
    const auto* image = dynamic_cast<const QImage*>(view.window()->backingStore()->paintDevice());
    if (image == nullptr) return false;
    const qreal ratio = image->devicePixelRatio();
    const QPoint at = view.viewport()->mapTo(view.window(), QPoint(0, 0));
    const QRect device(
        QPoint(qRound(at.x() * ratio), qRound(at.y() * ratio)),
        QSize(qRound(view.viewport()->width() * ratio), qRound(view.viewport()->height() * ratio)));
    QImage shown = image->copy(device).convertToFormat(QImage::Format_RGB32);
    shown.setDevicePixelRatio(1.0);
    return shown.save(path);
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: lutaris_view_at_scale OUTPUT_PREFIX\n");
        return 2;
    }
    const QString prefix = QString::fromLocal8Bit(argv[1]);
    ScriptedPrompter prompter;
    CCorvaneDoc doc(prompter);
    doc.OnNewDocument();
    Fill(doc);
    CCorvaneView view(doc);
    view.resize(600, 420);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) return 1;
    view.OnInitialUpdate();
    if (!SaveShown(view, prefix + QStringLiteral("-shown.png"))) return 1;

    view.verticalScrollBar()->setValue(173);
    QApplication::processEvents();
    QTest::keyClick(&view, Qt::Key_7);
    if (!SaveShown(view, prefix + QStringLiteral("-edited.png"))) return 1;
    return 0;
}
