#include <gtest/gtest.h>

#include <string>
#include <vector>

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
        for (const auto& item : doc.tabItems) picture.origins.push_back(item->lastOrigin);
        return picture;
    }

    Picture FullPaint() {
        doc.GetViewLayout().Discard();
        return Paint();
    }

    void Key(std::int32_t key) { doc.ApplyCursorResult(doc.cursor->OnKey(key)); }

    ScrollSizes Sizes() const { return ComputeScrollSizes(doc, kWidth, 1, 16); }
    ScrollSizes SizesFromItems() const { return ComputeScrollSizes(doc.tabItems, kWidth, 1, 16); }

    test::ScopedScreenResolution screen{ScreenResolution{96, 96}};
    ViewPaintState state;
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
    const std::int32_t keys[] = {vk::Digit0 + 7, vk::Down, vk::Digit0 + 1, vk::Digit0 + 2,
                                 vk::Right, vk::Right, vk::Right, vk::Right, vk::Digit0 + 5,
                                 vk::H, vk::Left, vk::Right, vk::Delete, vk::Right, vk::Right,
                                 vk::Digit0 + 8, vk::Left, vk::Left, vk::Left, vk::Left,
                                 vk::Left, vk::Left, vk::Left, vk::Left, vk::X, vk::Oem2,
                                 vk::Digit0 + 3, vk::Up, vk::B, vk::Delete, vk::Delete};
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

}  // namespace
}  // namespace lutaris
