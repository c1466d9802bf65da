// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "edit/DragSelection.h"
#include "edit/DropHandler.h"
#include "edit/TabViewInteraction.h"
#include "model/CommandIds.h"
#include "platform/clipboard/MemoryClipboard.h"
#include "platform/keys/VirtualKeyCodes.h"
#include "render/RenderTestSupport.h"
#include "render/ScrollSizes.h"
#include "render/ViewLayout.h"
#include "render/ViewPainter.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

using test::Note;

struct UpdateCounter : DocumentObserver {
    explicit UpdateCounter(CCorvaneDoc& document) : doc(document) { doc.AddView(this); }
    ~UpdateCounter() override { doc.RemoveView(this); }
    void OnDocumentUpdated() override { ++count; }
    CCorvaneDoc& doc;
    int count = 0;
};

// A keystroke repaints from the kept layout; these tests hold every such paint against a full
// paint of the same document: the same calls on the surface and the same origin in every item.
class ViewLayoutTest : public test::DocumentTest {
protected:
    static constexpr std::int32_t kWidth = 400;

    ViewLayoutTest() {
        // Rows of items of one to nine columns, so that a change of width moves the row breaks.
        AddItems(59);
        for (std::size_t i = 0; i < doc.tabItems.size(); ++i) {
            const auto columns = static_cast<std::int32_t>(i * 7 % 9);
            for (std::int32_t column = 0; column <= columns; ++column) {
                doc.tabItems[i]->AppendNote(Note(column, column % 6, column, column % 13));
            }
        }
        doc.InvalidatePositionIndex();
        state.windowWidth = kWidth;
        state.exposed = LayoutRect{0, 400, kWidth, 700};
    }

    struct Picture {
        std::vector<std::string> calls;
        std::vector<LayoutPoint> origins;  // in list order
        std::size_t drawn = 0;
        bool operator==(const Picture&) const = default;
    };

    Picture Paint() {
        RecordingSurface surface;
        Picture picture;
        picture.drawn = ViewPainter::Paint(doc, surface, state);
        for (const RecordedCall& call : surface.Calls()) {
            std::string line = std::to_string(static_cast<int>(call.kind)) + ":" + call.text;
            for (const std::int32_t arg : call.args) line += " " + std::to_string(arg);
            line += " pen " + std::to_string(call.pen.color.red) + " font " +
                    std::to_string(call.font.height) + " text " +
                    std::to_string(call.textColor.red);
            picture.calls.push_back(line);
        }
        // The layout writes an origin when the item is drawn or asked for: ask for all.
        doc.UpdateLastOrigins();
        for (const auto& item : doc.tabItems) picture.origins.push_back(item->lastOrigin);
        return picture;
    }

    // Six new items at the start need a row more, so that every item below moves; then a paint
    // of the first row alone. Returns an item far below, which that paint did not draw and
    // which therefore has not been told where it stands now.
    Tablature* MoveEverythingDownOutOfSight() {
        Paint();
        Tablature* far = At(55);
        CaretOn(0);
        for (int i = 0; i < 6; ++i) doc.OnInsertTabItem();
        state.exposed = LayoutRect{0, 0, kWidth, 100};
        RecordingSurface surface;
        ViewPainter::Paint(doc, surface, state);
        return far;
    }

    Picture FullPaint() {
        doc.DiscardLayout();
        return Paint();
    }

    void Key(std::int32_t key) { doc.ApplyCursorResult(doc.cursor->OnKey(key)); }

    // 1,500 items more, which the layout keeps in several blocks.
    void MakeLong() {
        AddItems(1500);
        for (std::size_t i = 60; i < doc.tabItems.size(); ++i) {
            const auto columns = static_cast<std::int32_t>(i * 5 % 11);
            for (std::int32_t column = 0; column < columns; ++column) {
                doc.tabItems[i]->AppendNote(Note(column, column % 6, column));
            }
        }
        doc.InvalidatePositionIndex();
    }

    Tablature* At(std::int32_t position) { return doc.ItemAtPosition(position); }
    std::int32_t Last() const { return static_cast<std::int32_t>(doc.tabItems.size()) - 1; }
    void CaretOn(std::int32_t position) { doc.cursor->tabItem = At(position); }
    // A drag-selection from one position to another, then Copy's mark.
    void Select(std::int32_t from, std::int32_t to) {
        DragSelection(doc).Begin();
        DragSelection(doc).End(from, to, &clipboard);
        doc.SetSelection(doc.selection, 1);
    }
    void DropBefore(std::int32_t position) {
        DropHandler(doc, &clipboard, doc.GetPrompter()).Drop(position);
    }

    ScrollSizes Sizes() const { return ComputeScrollSizes(doc, kWidth, 1, 16); }
    ScrollSizes SizesFromItems() const {
        doc.UpdateLastOrigins();
        return ComputeScrollSizes(doc.tabItems, kWidth, 1, 16);
    }

    test::ScopedScreenResolution screen{ScreenResolution{96, 96}};
    ViewPaintState state;
    MemoryClipboard clipboard;
};

TEST_F(ViewLayoutTest, EveryKeystrokePaintsAsAFullPaintWould) {
    Paint();
    // The caret on an item of columns 0 … 3, the exposed area from its row down to the middle
    // of the rows after it, so that a change of its width moves items in and out of sight.
    Tablature* item = doc.ItemAtPosition(30);
    ASSERT_EQ(item->MaxColumn(), 3);
    doc.cursor->tabItem = item;
    state.exposed = LayoutRect{0, item->lastOrigin.y, kWidth, item->lastOrigin.y + 300};
    // Digits, moves, a note in a new column past the last (the item widens and the rows break
    // elsewhere), techniques, its deletion (the column closes, the item narrows), moves into
    // the neighbouring items, a mute and a slide.
    const std::int32_t keys[] = {
        vk::Digit0 + 7, vk::Down,  vk::Digit0 + 1, vk::Digit0 + 2, vk::Right, vk::Right,
        vk::Right,      vk::Right, vk::Digit0 + 5, vk::H,          vk::Left,  vk::Right,
        vk::Delete,     vk::Right, vk::Right,      vk::Digit0 + 8, vk::Left,  vk::Left,
        vk::Left,       vk::Left,  vk::Left,       vk::Left,       vk::Left,  vk::Left,
        vk::X,          vk::Oem2,  vk::Digit0 + 3, vk::Up,         vk::B,     vk::Delete,
        vk::Delete};
    UpdateCounter updates(doc);
    bool widened = false;
    for (const std::int32_t key : keys) {
        SCOPED_TRACE("key " + std::to_string(key));
        const std::size_t reusedBefore = doc.GetViewLayout().ReusedPaints();
        Key(key);
        widened = widened || item->MaxColumn() > 3;
        EXPECT_EQ(Sizes(), SizesFromItems());
        const Picture kept = Paint();
        // Every key repainted from the layout: those that ran the update step and those that
        // only moved the caret.
        EXPECT_EQ(doc.GetViewLayout().ReusedPaints() - reusedBefore, 1u);
        EXPECT_EQ(Sizes(), SizesFromItems());
        EXPECT_EQ(kept, FullPaint());
    }
    EXPECT_TRUE(widened);
    EXPECT_GT(updates.count, 25);
}

TEST_F(ViewLayoutTest, ALongRunOfKeystrokesEndsWhereAFullPaintStands) {
    Paint();
    Tablature* item = doc.ItemAtPosition(2);
    doc.cursor->tabItem = item;
    // Each round types a note one column past the item's last, near the top: the item widens
    // and every later row breaks elsewhere, the rows in sight and those below them.
    const std::int32_t widthBefore = item->GetExtent().width;
    const std::size_t reusedBefore = doc.GetViewLayout().ReusedPaints();
    Picture kept;
    for (int round = 0; round < 8; ++round) {
        const std::int32_t steps = item->MaxColumn() + 1 - doc.cursor->current.column;
        for (std::int32_t i = 0; i < steps; ++i) Key(vk::Right);
        Key(vk::Digit0 + 4);
        kept = Paint();
    }
    EXPECT_EQ(doc.GetViewLayout().ReusedPaints() - reusedBefore, 8u);
    EXPECT_EQ(item->GetExtent().width, widthBefore + 8 * doc.settings->horizontalSpacing);
    EXPECT_EQ(kept, FullPaint());
    EXPECT_EQ(Sizes(), SizesFromItems());
}

TEST_F(ViewLayoutTest, TheRangeAcrossFollowsTheWidestItemAsKeysWidenAndNarrowIt) {
    Paint();
    Tablature* item = doc.ItemAtPosition(2);
    doc.cursor->tabItem = item;
    const std::int32_t fits = Sizes().total.width;
    ASSERT_EQ(fits, kWidth - 2 - 16 - 1);
    const auto widenPastTheWindow = [&] {
        for (int round = 0; round < 40 && item->GetExtent().width <= kWidth; ++round) {
            const std::int32_t steps = item->MaxColumn() + 1 - doc.cursor->current.column;
            for (std::int32_t i = 0; i < steps; ++i) Key(vk::Right);
            Key(vk::Digit0 + 4);
            Paint();
            EXPECT_EQ(Sizes(), SizesFromItems()) << "round " << round;
        }
    };
    // Typed past the window's width: the range reaches the item and a margin past it.
    widenPastTheWindow();
    ASSERT_GT(item->GetExtent().width, kWidth);
    EXPECT_EQ(Sizes().total.width, 1 + item->GetExtent().width + 1);
    EXPECT_EQ(Sizes(), SizesFromItems());
    EXPECT_EQ(Paint(), FullPaint());
    // Its last column deleted again, it fits and the window says the width once more.
    for (int round = 0; round < 40 && item->GetExtent().width > kWidth; ++round) {
        while (doc.cursor->current.column > item->MaxColumn()) Key(vk::Left);
        Key(vk::Delete);
        Paint();
        EXPECT_EQ(Sizes(), SizesFromItems()) << "round " << round;
    }
    ASSERT_LE(item->GetExtent().width, kWidth);
    EXPECT_EQ(Sizes().total.width, fits);
    EXPECT_EQ(Sizes(), SizesFromItems());
    EXPECT_EQ(Paint(), FullPaint());
    // Widened again and then cut, the item takes the range across with it.
    widenPastTheWindow();
    ASSERT_GT(Sizes().total.width, fits);
    Select(2, 2), doc.OnEditCut();
    EXPECT_EQ(Sizes().total.width, fits);
    EXPECT_EQ(Sizes(), SizesFromItems());
}

TEST_F(ViewLayoutTest, ChangesMadeWithoutAKeystrokeAreLaidOutAfresh) {
    Paint();
    // A command's change: a wider item far from the exposed area, then the update step.
    doc.ItemAtPosition(1)->AppendNote(Note(1, 0, 20));
    doc.UpdateStep();
    EXPECT_EQ(Paint(), FullPaint());

    // A change nobody announced is still laid out: only a keystroke's update lets the next
    // paint reuse the layout.
    doc.ItemAtPosition(0)->AppendNote(Note(1, 0, 12));
    EXPECT_EQ(Paint(), FullPaint());

    // Another window width, other settings or a new item: never the kept layout.
    Key(vk::Digit0 + 1);
    state.windowWidth = 300;
    EXPECT_EQ(Paint(), FullPaint());
    Key(vk::Digit0 + 2);
    doc.settings->horizontalSpacing = 30;
    EXPECT_EQ(Paint(), FullPaint());
    Key(vk::Digit0 + 3);
    doc.AppendTabItem(static_cast<std::int32_t>(doc.tabItems.size()));
    EXPECT_EQ(Paint(), FullPaint());
}

TEST_F(ViewLayoutTest, ItemsWhoseInkReachesFarStillGetDrawn) {
    // A damaged note on string 40 draws far below its item; the search by rows must not lose
    // it when its row is out of sight.
    doc.ItemAtPosition(0)->AppendNote(Note(3, 40, 0));
    state.exposed = LayoutRect{0, 450, kWidth, 520};
    Paint();
    doc.cursor->tabItem = doc.ItemAtPosition(0);
    Key(vk::Digit0 + 9);
    const Picture kept = Paint();
    EXPECT_EQ(kept, FullPaint());
    EXPECT_GE(kept.drawn, 1u);
}

// The commands that insert, remove or move items say how the reading order changed; the paint
// after each follows the change from the kept layout, and must give what a full layout gives:
// the same calls on the surface, every item's origin, the same scroll range.
TEST_F(ViewLayoutTest, EveryCommandOnItemsPaintsAsAFullPaintWould) {
    Paint();
    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        {"insert at the start", [&] { CaretOn(0), doc.OnInsertTabItem(); }},
        {"insert in sight", [&] { CaretOn(31), doc.OnInsertTabItem(); }},
        {"insert before the last", [&] { CaretOn(Last()), doc.OnInsertTabItem(); }},
        {"add at the end", [&] { doc.OnAddTabItem(); }},
        {"random riff", [&] { doc.OnInsertRandomRiff(); }},
        {"paste", [&] { Select(10, 12), doc.OnEditPaste(); }},
        {"cut a run", [&] { Select(20, 23), doc.OnEditCut(); }},
        {"cut the first", [&] { Select(0, 0), doc.OnEditCut(); }},
        {"cut the last two", [&] { Select(Last() - 1, Last()), doc.OnEditCut(); }},
        {"cut scattered items",
         [&] {
             doc.SetSelection({At(3), At(9), At(10), At(40)}, doc.copied);
             doc.OnEditCut();
         }},
        {"drop before an earlier item", [&] { Select(30, 33), DropBefore(5); }},
        {"drop before a later item", [&] { Select(2, 4), DropBefore(45); }},
        {"drop where the selection stands", [&] { Select(7, 8), DropBefore(9); }},
        {"right-button move",
         [&] {
             Select(26, 27);
             TabViewInteraction interaction(doc);
             doc.UpdateLastOrigins();
             const LayoutPoint on26 = At(26)->lastOrigin;
             const LayoutPoint on12 = At(12)->lastOrigin;
             interaction.OnRButtonDown({on26.x + 5, on26.y + 20}, {0, 0});
             interaction.OnRButtonUp({on12.x + 5, on12.y + 20}, {0, 0});
         }},
        {"technique from the menu", [&] { CaretOn(15), doc.RunCommand(ID_ACTION_SLIDE_UP); }},
        {"insert note",
         [&] {
             CaretOn(8);
             doc.cursor->current.column = 0;
             doc.OnInsertNote();
         }},
    };
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        const std::size_t reusedBefore = doc.GetViewLayout().ReusedPaints();
        command();
        EXPECT_EQ(Sizes(), SizesFromItems());
        const Picture kept = Paint();
        EXPECT_EQ(doc.GetViewLayout().ReusedPaints() - reusedBefore, 1u);
        EXPECT_EQ(Sizes(), SizesFromItems());
        EXPECT_EQ(kept, FullPaint());
    }
}

// Several commands before one paint: each describes its change against the order the one
// before left.
TEST_F(ViewLayoutTest, CommandsDescribedOneAfterAnotherPaintAsAFullPaintWould) {
    Paint();
    CaretOn(4);
    doc.OnInsertTabItem();
    Select(10, 14);
    doc.OnEditPaste();
    DropBefore(2);
    CaretOn(20);
    Key(vk::Digit0 + 7);
    doc.OnEditCut();
    doc.OnAddTabItem();
    CaretOn(40);
    doc.OnInsertTabItem();
    Key(vk::Right), Key(vk::Right), Key(vk::Digit0 + 3);
    EXPECT_EQ(Sizes(), SizesFromItems());
    const std::size_t reusedBefore = doc.GetViewLayout().ReusedPaints();
    const Picture kept = Paint();
    EXPECT_EQ(doc.GetViewLayout().ReusedPaints() - reusedBefore, 1u);
    EXPECT_EQ(kept, FullPaint());
}

// A songbook that the layout keeps in many blocks: runs longer than a block cut, pasted and
// moved, items inserted and edited here and there, each change followed by a paint from the
// kept layout that must give what a full layout gives.
TEST_F(ViewLayoutTest, ChangesAllOverALongSongbookPaintAsAFullPaintWould) {
    MakeLong();
    state.exposed = LayoutRect{0, 20000, kWidth, 20400};
    Paint();
    std::mt19937 random(5);
    const auto below = [&](std::int32_t bound) {
        return static_cast<std::int32_t>(random() % static_cast<std::uint32_t>(bound));
    };
    for (int step = 0; step < 48; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        const std::int32_t pick = below(Last() + 1);
        const std::int32_t run = std::min(Last() - pick, below(700));
        switch (step % 6) {
            case 0:
                CaretOn(pick), doc.OnInsertTabItem();
                break;
            case 1:
                if (run < Last()) Select(pick, pick + run), doc.OnEditCut();
                break;
            case 2:
                Select(pick, pick + run), doc.OnEditPaste();
                break;
            case 3:
                Select(pick, pick + run), DropBefore(below(Last() + 1));
                break;
            case 4:
                CaretOn(pick);
                for (std::int32_t i = 0; i < 12; ++i) Key(vk::Right);
                Key(vk::Digit0 + 5);
                break;
            default:
                doc.OnAddTabItem();
                break;
        }
        const std::size_t reusedBefore = doc.GetViewLayout().ReusedPaints();
        const Picture kept = Paint();
        EXPECT_EQ(doc.GetViewLayout().ReusedPaints() - reusedBefore, 1u);
        EXPECT_EQ(Sizes(), SizesFromItems());
        ASSERT_EQ(kept, FullPaint());
    }
}

// An edit that sends an item's ink far below the rows around it (a damaged note, as a file
// brings, put there by a change that describes itself) still gets the item drawn where its ink
// now reaches, far from where the items next to it stand.
TEST_F(ViewLayoutTest, InkThatAnEditSendsFarAwayIsStillDrawn) {
    MakeLong();
    Paint();
    Tablature* item = At(3);
    const LayoutPoint origin = item->lastOrigin;
    item->AppendNote(Note(3, 5000, 0));
    doc.UpdateStepAfterEditing(item);
    const std::int32_t line = origin.y + 15 + 5000 * 12;
    state.exposed = LayoutRect{0, line - 20, kWidth, line + 20};
    const Picture kept = Paint();
    EXPECT_GE(kept.drawn, 1u);
    EXPECT_EQ(kept, FullPaint());
}

// Items all equally wide never fall back into the rows they had: an item inserted at the start
// moves every row break after it, down to the end.
TEST_F(ViewLayoutTest, AnInsertAmongEquallyWideItemsMovesEveryRowAfterIt) {
    for (auto& item : doc.tabItems) item->notes.clear();
    doc.InvalidatePositionIndex();
    Paint();
    Tablature* last = At(Last());
    const LayoutPoint lastBefore = last->lastOrigin;
    CaretOn(0);
    doc.OnInsertTabItem();
    const Picture kept = Paint();
    EXPECT_NE(last->lastOrigin, lastBefore);
    EXPECT_EQ(kept, FullPaint());
    EXPECT_EQ(Sizes(), SizesFromItems());
}

// A paint after a change writes the origins of the items it draws; the others learn theirs when
// someone asks. A click asks: it must find the item that stands under it now, not where the
// item stood before the change.
TEST_F(ViewLayoutTest, AClickFindsTheItemThatStandsThereAfterAChangeOutOfSight) {
    Tablature* far = MoveEverythingDownOutOfSight();
    const LayoutPoint before = far->lastOrigin;
    const LayoutPoint click{before.x + 5, before.y + 40};
    TabViewInteraction(doc).OnLButtonDown(click, {0, 0});
    Tablature* clicked = doc.cursor->tabItem;

    FullPaint();
    ASSERT_NE(far->lastOrigin, before) << "the item must have moved for the click to tell";
    EXPECT_EQ(clicked, At(*TabViewInteraction(doc).PositionAt(click)));
}

// A change that nobody describes drops the kept layout; the items it had not told where they
// stand yet learn it first, so that until the next paint every item has its last place.
TEST_F(ViewLayoutTest, ADroppedLayoutFirstTellsTheItemsWhereTheyStand) {
    Tablature* far = MoveEverythingDownOutOfSight();
    const LayoutPoint before = far->lastOrigin;
    doc.DiscardLayout();
    EXPECT_NE(far->lastOrigin, before);
    std::vector<LayoutPoint> origins;
    for (const auto& item : doc.tabItems) origins.push_back(item->lastOrigin);
    EXPECT_EQ(origins, FullPaint().origins);
}

}  // namespace
}  // namespace lutaris
