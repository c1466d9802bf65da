// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <optional>
#include <random>
#include <vector>

#include "model/TabCursor.h"
#include "platform/keys/VirtualKeyCodes.h"
#include "platform/qt/QtSurface.h"
#include "render/CaretRenderer.h"
#include "render/RenderTestSupport.h"
#include "render/ViewLayout.h"
#include "render/ViewPainter.h"
#include "render/ViewRepaintArea.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

using test::Note;

// After a keystroke the view repaints only the area ViewRepaintArea names. These tests keep a
// picture the way the widget's window does, repaint it area by area after each key, and hold it
// against a repaint of the whole view made from nothing.
class ViewRepaintAreaTest : public test::DocumentTest {
protected:
    static constexpr int kWidth = 520;
    static constexpr int kHeight = 360;

    ViewRepaintAreaTest() {
        // Items of one to nine columns with every technique, the caret's "?" and blank frets,
        // so that marks reach over neighbouring items and edits change widths now and then.
        AddItems(44);
        std::mt19937 random(7);
        for (const auto& item : doc.tabItems) {
            const int columns = static_cast<int>(random() % 9);
            for (int column = 0; column <= columns; ++column) {
                if (random() % 4 == 0) continue;
                const auto fret = random() % 7 == 0 ? BlankFret : static_cast<int>(random() % 25);
                item->AppendNote(Note(fret, static_cast<int>(random() % 6), column,
                                      static_cast<int>(random() % 16)));
            }
        }
        doc.InvalidatePositionIndex();
        shown.fill(Qt::gray);
    }

    // What the widget does for a paint event: the area (or everything) erased and painted,
    // clipped to it.
    void PaintShown(std::optional<LayoutRect> area) {
        const LayoutRect all{scroll.x, scroll.y, scroll.x + kWidth - 1, scroll.y + kHeight - 1};
        const LayoutRect exposed = area.value_or(all);
        const QRect client(exposed.left - scroll.x, exposed.top - scroll.y,
                           exposed.right - exposed.left + 1, exposed.bottom - exposed.top + 1);
        {
            QPainter painter(&shown);
            painter.fillRect(client, Qt::white);
            painter.setClipRect(client);
            painter.translate(-scroll.x, -scroll.y);
            QtSurface surface(painter);
            ViewPaintState state;
            state.windowWidth = kWidth;
            state.exposed = exposed;
            ViewPainter::Paint(doc, surface, state);
        }
        repaint.Painted(doc, area);
    }

    // A whole repaint from nothing, laid out afresh without the document's kept layout.
    QImage WholePicture() {
        QImage picture(kWidth, kHeight, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        painter.translate(-scroll.x, -scroll.y);
        {
            QtSurface surface(painter);
            ViewPaintState state;
            state.windowWidth = kWidth;
            ViewPainter::Paint(
                ViewContent{*doc.settings, doc.tabItems, doc.selection, doc.cursor.get(), nullptr},
                surface, state);
        }
        painter.end();
        return picture;
    }

    // A key as the view takes it; the repaint request of the update step and of the key's
    // answer, each clipped to the window as the widget clips its update region.
    void Key(std::int32_t key) {
        doc.ApplyCursorResult(doc.cursor->OnKey(key));
        const std::optional<LayoutRect> area = repaint.Changed(doc, kWidth);
        if (!area) {
            everything = true;
            return;
        }
        const LayoutRect clipped{std::max(area->left, scroll.x), std::max(area->top, scroll.y),
                                 std::min(area->right, scroll.x + kWidth - 1),
                                 std::min(area->bottom, scroll.y + kHeight - 1)};
        if (clipped.left <= clipped.right && clipped.top <= clipped.bottom)
            pending = pending ? Union(*pending, clipped) : clipped;
    }

    // The paint event that follows; counts the partial ones.
    void Flush() {
        if (everything) {
            PaintShown(std::nullopt);
        } else if (pending) {
            PaintShown(pending);
            ++partialPaints;
        }
        everything = false;
        pending.reset();
    }

    test::ScopedScreenResolution screen{ScreenResolution{96, 96}};
    QImage shown{kWidth, kHeight, QImage::Format_RGB32};
    ViewRepaintArea repaint;
    LayoutPoint scroll{0, 30};
    std::optional<LayoutRect> pending;
    bool everything = false;
    int partialPaints = 0;
};

TEST_F(ViewRepaintAreaTest, NothingIsVouchedForBeforeTheFirstWholePaint) {
    EXPECT_FALSE(repaint.Changed(doc, kWidth).has_value());
    PaintShown(std::nullopt);
    doc.cursor->tabItem = doc.tabItems[3].get();
    Key(vk::Right);
    EXPECT_TRUE(repaint.Changed(doc, kWidth).has_value());
}

TEST_F(ViewRepaintAreaTest, RandomKeysRepaintedByAreaGiveTheWholePicture) {
    PaintShown(std::nullopt);
    doc.cursor->tabItem = doc.tabItems[5].get();
    const std::vector<std::int32_t> keys = {
        vk::Digit0, vk::Digit0 + 1, vk::Digit0 + 2, vk::Digit0 + 7, vk::Digit0 + 9,
        vk::Left,   vk::Right,      vk::Right,      vk::Up,         vk::Down,
        vk::Delete, vk::Back,       vk::A,          vk::B,          vk::H,
        vk::O,      vk::P,          vk::R,          vk::S,          vk::T,
        vk::X,      vk::Z,          vk::Oem2,       vk::Oem3,       vk::Oem5};
    std::mt19937 random(11);
    for (int step = 0; step < 400; ++step) {
        // Now and then two keys reach the view before its paint.
        const int burst = random() % 5 == 0 ? 2 : 1;
        for (int k = 0; k < burst; ++k) Key(keys[random() % keys.size()]);
        Flush();
        ASSERT_EQ(shown, WholePicture()) << "after step " << step;
    }
    // Most keys must have been repainted by area, or the comparison proved little.
    EXPECT_GT(partialPaints, 200);
}

TEST_F(ViewRepaintAreaTest, TheCaretsInkLiesWithinItsBounds) {
    TabCursor& cursor = *doc.cursor;
    cursor.tabItem = doc.tabItems[2].get();
    for (const std::int32_t spacing : {4, 7, 12, 31, 120}) {
        doc.settings->verticalSpacing = spacing;
        doc.settings->horizontalSpacing = spacing * 2;
        for (const TabNote& note :
             {Note(BlankFret, 0, 0), Note(3, 5, 1, Mute), Note(24, 2, 0, Harmonic),
              Note(2147483647, 1, 3, Optional), Note(-2147483647 - 1, 4, 2, Normal)}) {
            cursor.current = note;
            QImage picture(1200, 1200, QImage::Format_RGB32);
            picture.fill(Qt::white);
            {
                QPainter painter(&picture);
                QtSurface surface(painter);
                DrawCaret(cursor, surface);
            }
            const std::optional<LayoutRect> bounds = CaretInkBounds(cursor);
            ASSERT_TRUE(bounds.has_value());
            bool inked = false;
            for (int y = 0; y < picture.height(); ++y) {
                for (int x = 0; x < picture.width(); ++x) {
                    if (picture.pixel(x, y) == qRgb(255, 255, 255)) continue;
                    inked = true;
                    ASSERT_TRUE(bounds->Contains(LayoutRect{x, y, x, y}))
                        << "spacing " << spacing << " text " << CaretText(note) << " at " << x
                        << "," << y;
                }
            }
            EXPECT_TRUE(inked) << "spacing " << spacing << " text " << CaretText(note);
        }
    }
}

TEST_F(ViewRepaintAreaTest, ACaretMovedToTheNextRowIsRepaintedThere) {
    PaintShown(std::nullopt);
    // The last item of a row, caret on its last column: Right takes it to the next row.
    const auto at = [&](std::size_t position) {
        return doc.ItemAtPosition(static_cast<std::int32_t>(position));
    };
    std::size_t last = 0;
    while (last + 1 < doc.tabItems.size() && at(last + 1)->lastOrigin.y == at(0)->lastOrigin.y)
        ++last;
    ASSERT_LT(last + 1, doc.tabItems.size());
    Tablature* item = at(last);
    Tablature* next = at(last + 1);
    doc.cursor->tabItem = item;
    doc.cursor->current = Note(BlankFret, 0, item->MaxColumn() + 1, NoNote);
    doc.cursor->previous = doc.cursor->current;
    Key(vk::Right);
    Flush();
    ASSERT_EQ(doc.cursor->tabItem, next);
    EXPECT_EQ(shown, WholePicture());
    EXPECT_EQ(partialPaints, 1);
}

TEST_F(ViewRepaintAreaTest, ACommandOtherThanAKeyRepaintsEverything) {
    PaintShown(std::nullopt);
    Key(vk::Digit0 + 3);
    Flush();
    doc.OnAddTabItem();
    EXPECT_FALSE(repaint.Changed(doc, kWidth).has_value());
}

TEST_F(ViewRepaintAreaTest, ACaretWhoseInkCannotBeBoundedRepaintsEverything) {
    doc.settings->verticalSpacing = 2000;
    PaintShown(std::nullopt);
    Key(vk::Right);
    EXPECT_FALSE(repaint.Changed(doc, kWidth).has_value());
}

}  // namespace
}  // namespace lutaris
