// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QApplication>
#include <QBackingStore>
#include <QDropEvent>
#include <QMimeData>
#include <QPaintEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <functional>
#include <random>
#include <utility>

#include "edit/qt/CCorvaneView.h"
#include "model/CommandIds.h"
#include "model/TabCursor.h"
#include "platform/clipboard/MemoryClipboard.h"
#include "render/CaretRenderer.h"
#include "render/ViewLayout.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

// With the default settings an item without notes is 72 × 90 layout units, the first stands at
// (1, 1), a column c's cell on string s lies (c + 1) × 24 across and 15 + s × 12 down.
constexpr int kItemWidth = 72;
constexpr int kItemHeight = 90;

QPoint CellOf(const Tablature& item, int column, int string) {
    return QPoint(item.lastOrigin.x + (column + 1) * 24 + 2, item.lastOrigin.y + 15 + string * 12);
}

class ViewTest : public test::DocumentTest {
protected:
    ViewTest() { doc.SetClipboard(&clipboard); }

    void Show(int width, int height) {
        view.resize(width, height);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.OnInitialUpdate();
        Repaint();
    }
    // A paint lays the items out, as the screen would.
    void Repaint() { view.viewport()->repaint(); }

    QPoint Client(QPoint documentPoint) {
        const LayoutPoint scroll = view.ScrollPosition();
        return documentPoint - QPoint(scroll.x, scroll.y);
    }
    void Click(QPoint documentPoint, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(view.viewport(), button, Qt::NoModifier, Client(documentPoint));
    }
    void DoubleClickAndDrag(QPoint from, QPoint to) {
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, Client(from));
        QTest::mouseMove(view.viewport(), Client(to));
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, Client(to));
    }
    std::vector<std::int32_t> PositionsInListOrder() const {
        std::vector<std::int32_t> positions;
        for (const auto& item : doc.tabItems) positions.push_back(item->position);
        return positions;
    }

    MemoryClipboard clipboard;
    CCorvaneView view{doc};
};

TEST_F(ViewTest, TypingOneTwoFiveStoresTwentyFive) {
    Show(400, 300);
    QTest::keyClick(&view, Qt::Key_1);
    QTest::keyClick(&view, Qt::Key_2);
    ASSERT_EQ(doc.tabItems[0]->NoteCount(), 1);
    EXPECT_EQ(doc.tabItems[0]->notes[0].fret, 12);
    QTest::keyClick(&view, Qt::Key_5);
    ASSERT_EQ(doc.tabItems[0]->NoteCount(), 1);
    EXPECT_EQ(doc.tabItems[0]->notes[0].fret, 25);
    EXPECT_EQ(doc.tabItems[0]->notes[0].action, Normal);
    EXPECT_TRUE(doc.IsModified());
}

// Collects the areas the viewport is asked to paint.
class PaintedRegions : public QObject {
public:
    explicit PaintedRegions(QWidget& widget) { widget.installEventFilter(this); }
    QRegion Take() { return std::exchange(region_, QRegion()); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) region_ += static_cast<QPaintEvent*>(event)->region();
        return false;
    }

private:
    QRegion region_;
};

bool Covers(const QRegion& region, const QRect& rect) {
    return QRegion(rect).subtracted(region).isEmpty();
}

TEST_F(ViewTest, AKeystrokeRepaintsTheEditedItemAndTheCaretOtherCommandsEverything) {
    AddItems(30);
    Show(600, 400);
    PaintedRegions painted(*view.viewport());
    // Let the scroll bar that the rows need appear and the window settle first.
    QApplication::processEvents();
    painted.Take();
    QTest::keyClick(&view, Qt::Key_3);
    QApplication::processEvents();
    const QRegion afterKey = painted.Take();
    EXPECT_FALSE(afterKey.isEmpty());
    EXPECT_TRUE(afterKey.boundingRect().contains(QPoint(CellOf(*doc.tabItems[0], 0, 0))));
    EXPECT_LT(afterKey.boundingRect().width() * afterKey.boundingRect().height(), 600 * 400 / 4);

    QTest::keyClick(&view, Qt::Key_Right);
    QApplication::processEvents();
    EXPECT_FALSE(Covers(painted.Take(), view.viewport()->rect()));

    doc.OnAddTabItem();
    QApplication::processEvents();
    EXPECT_TRUE(Covers(painted.Take(), view.viewport()->rect()));
}

// What the window shows of the viewport: its part of the window's backing store, where partial
// repaints and scrolled pixels end up.
QImage Shown(CCorvaneView& view) {
    const auto* image = dynamic_cast<const QImage*>(view.window()->backingStore()->paintDevice());
    if (image == nullptr) return {};
    // In device pixels, which a scaled screen (QT_SCALE_FACTOR) has more of.
    const qreal ratio = image->devicePixelRatio();
    const QPoint at = view.viewport()->mapTo(view.window(), QPoint(0, 0));
    const QRect device(
        QPoint(qRound(at.x() * ratio), qRound(at.y() * ratio)),
        QSize(qRound(view.viewport()->width() * ratio), qRound(view.viewport()->height() * ratio)));
    return image->copy(device).convertToFormat(QImage::Format_RGB32);
}

// The viewport painted whole from nothing.
QImage PaintedWhole(CCorvaneView& view) {
    return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST_F(ViewTest, KeysAndScrollingShowWhatAWholeRepaintWould) {
    AddItems(80);
    std::mt19937 random(5);
    for (const auto& item : doc.tabItems) {
        for (int column = 0; column < static_cast<int>(random() % 8); ++column) {
            item->AppendNote(test::Note(static_cast<int>(random() % 20),
                                        static_cast<int>(random() % 6), column,
                                        static_cast<int>(random() % 16)));
        }
    }
    doc.InvalidatePositionIndex();
    Show(500, 300);
    QApplication::processEvents();
    ASSERT_FALSE(Shown(view).isNull()) << "the window has no picture to compare";
    const std::size_t reusedBefore = doc.GetViewLayout().ReusedPaints();
    PaintedRegions painted(*view.viewport());
    const auto step = [&](const std::function<void()>& action, const char* what) {
        action();
        QApplication::processEvents();
        EXPECT_FALSE(Covers(painted.Take(), view.viewport()->rect())) << what;
        EXPECT_EQ(Shown(view), PaintedWhole(view)) << what;
        painted.Take();
    };
    QScrollBar& bar = *view.verticalScrollBar();
    step([&] { QTest::keyClick(&view, Qt::Key_4); }, "a digit");
    step([&] { bar.setValue(bar.value() + 37); }, "scrolling down a little");
    step([&] { QTest::keyClick(&view, Qt::Key_B); }, "a bend");
    step([&] { bar.setValue(bar.value() + 150); }, "scrolling down more");
    step([&] { bar.setValue(bar.value() - 61); }, "scrolling up");
    step([&] { QTest::keyClick(&view, Qt::Key_Right); }, "a move");
    // Every paint but the whole ones made for the comparison started from the kept layout.
    EXPECT_GE(doc.GetViewLayout().ReusedPaints() - reusedBefore, 6u);
}

TEST_F(ViewTest, ArrowsMoveTheCaretAcrossItems) {
    AddItems(1);
    Show(400, 300);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(doc.cursor->current.string, 1);
    // An empty item: the first Right already goes on to the next item.
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_EQ(doc.cursor->tabItem, doc.tabItems[1].get());
    EXPECT_EQ(doc.cursor->current.column, 0);
    EXPECT_EQ(doc.cursor->current.string, 1);
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_EQ(doc.cursor->tabItem, doc.tabItems[0].get());
    // Ctrl does not change the key: Ctrl+Right moves as Right does.
    QTest::keyClick(&view, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(doc.cursor->tabItem, doc.tabItems[1].get());
}

// The rows of the caret's item that the viewport shows: its top and bottom in client pixels.
std::pair<int, int> CaretItemOnScreen(CCorvaneView& view, const TabDocument& doc) {
    const int top = doc.cursor->tabItem->lastOrigin.y - view.ScrollPosition().y;
    return {top, top + kItemHeight - 1};
}

TEST_F(ViewTest, TheViewScrollsJustEnoughToShowTheItemAKeyMovesTheCaretTo) {
    AddItems(29);  // 30 items, four to a row of a 320-wide window: eight rows 120 apart
    Show(320, 200);
    const int height = view.viewport()->height();
    ASSERT_LT(height, 2 * 120);
    // Right on an empty item goes on to the next one: twelve steps reach the fourth row.
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(&view, Qt::Key_Right);
        const auto [top, bottom] = CaretItemOnScreen(view, doc);
        EXPECT_GE(top, 0) << i;
        EXPECT_LE(bottom, height - 1) << i;
    }
    ASSERT_EQ(doc.cursor->tabItem->position, 12);
    // No further than needed: the item stands on the bottom edge.
    EXPECT_EQ(CaretItemOnScreen(view, doc).second, height - 1);
    const int followed = view.ScrollPosition().y;

    // The page keys scroll away from the caret and leave it there.
    QTest::keyClick(&view, Qt::Key_PageUp);
    EXPECT_EQ(view.ScrollPosition().y, std::max(followed - 300, 0));
    // A digit typed there brings it back before it changes a note nobody sees.
    QTest::keyClick(&view, Qt::Key_5);
    EXPECT_EQ(view.ScrollPosition().y, followed);

    // Back up a row: the item now stands on the top edge.
    for (int i = 0; i < 4; ++i) QTest::keyClick(&view, Qt::Key_Left);
    ASSERT_EQ(doc.cursor->tabItem->position, 8);
    EXPECT_EQ(CaretItemOnScreen(view, doc).first, 0);
    // A caret move that stays in sight does not scroll.
    const int shown = view.ScrollPosition().y;
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.ScrollPosition().y, shown);
    QApplication::processEvents();
    EXPECT_EQ(Shown(view), PaintedWhole(view));
}

TEST_F(ViewTest, TechniqueLettersReachTheCaretWithOrWithoutCtrl) {
    Show(400, 300);
    QTest::keyClick(&view, Qt::Key_7);
    QTest::keyClick(&view, Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(doc.tabItems[0]->notes[0].action, BendUp);
    QTest::keyClick(&view, Qt::Key_Slash);
    EXPECT_EQ(doc.tabItems[0]->notes[0].action, SlideUp);
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_EQ(doc.tabItems[0]->NoteCount(), 0);
}

TEST_F(ViewTest, AClickAfterScrollingPlacesTheCaretOnTheClickedCell) {
    AddItems(29);  // 30 items, four to a row of a 320-wide window: eight rows
    Show(320, 200);
    ASSERT_GT(view.verticalScrollBar()->maximum(), 300);
    view.verticalScrollBar()->setValue(300);
    Repaint();
    ASSERT_EQ(view.ScrollPosition().y, 300);

    const Tablature* target = doc.ItemAtPosition(13);
    ASSERT_GT(target->lastOrigin.y, 300);
    doc.tabItems[13]->AppendNote(test::Note(4, 2, 1));
    Repaint();
    Click(CellOf(*target, 1, 2));
    EXPECT_EQ(doc.cursor->tabItem, target);
    EXPECT_EQ(doc.cursor->current.column, 1);
    EXPECT_EQ(doc.cursor->current.string, 2);
    EXPECT_EQ(doc.cursor->current.fret, 4);

    // Between the items nothing is hit, and the caret stays.
    Click(QPoint(target->lastOrigin.x + 5, target->lastOrigin.y + kItemHeight + 10));
    EXPECT_EQ(doc.cursor->tabItem, target);
}

TEST_F(ViewTest, PageKeysScrollByThreeHundredAndStopAtTheTop) {
    AddItems(29);
    Show(320, 200);
    QTest::keyClick(&view, Qt::Key_PageUp);
    EXPECT_EQ(view.ScrollPosition().y, 0);
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(view.ScrollPosition().y, 300);
    QTest::keyClick(&view, Qt::Key_End);
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_EQ(view.ScrollPosition().y, 300);
    QTest::keyClick(&view, Qt::Key_PageUp);
    QTest::keyClick(&view, Qt::Key_PageUp);
    EXPECT_EQ(view.ScrollPosition().y, 0);
}

TEST_F(ViewTest, ADoubleClickSelectsTheItemUnderItAndAnnouncesIt) {
    AddItems(3);
    Show(600, 300);
    doc.SetSelection(doc.selection, 1);
    const Tablature* second = doc.ItemAtPosition(1);
    const QPoint inside(second->lastOrigin.x + 10, second->lastOrigin.y + 20);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, Client(inside));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, Client(inside));
    ASSERT_EQ(doc.selection.size(), 1u);
    EXPECT_EQ(doc.selection[0], second);
    EXPECT_EQ(doc.copied, 0);
    EXPECT_EQ(clipboard.ListFormats(), (std::vector<std::string>{"Lutaris 0.2"}));
    EXPECT_FALSE(view.Interaction().Selecting());
}

TEST_F(ViewTest, ADragFromTheFourthItemBackToTheSecondSelectsNothing) {
    AddItems(4);
    Show(600, 300);
    clipboard.SetFormats({{"text/plain", {'x'}}});
    const Tablature* fourth = doc.ItemAtPosition(3);
    const Tablature* second = doc.ItemAtPosition(1);
    DoubleClickAndDrag(QPoint(fourth->lastOrigin.x + 30, fourth->lastOrigin.y + 30),
                       QPoint(second->lastOrigin.x + 30, second->lastOrigin.y + 30));
    EXPECT_TRUE(doc.selection.empty());
    EXPECT_EQ(clipboard.ListFormats(), (std::vector<std::string>{"Lutaris 0.2"}));

    // The other way round the run of three is selected.
    DoubleClickAndDrag(QPoint(second->lastOrigin.x + 30, second->lastOrigin.y + 30),
                       QPoint(fourth->lastOrigin.x + 30, fourth->lastOrigin.y + 30));
    EXPECT_EQ(doc.selection.size(), 3u);
}

TEST_F(ViewTest, TheRightButtonMovesTheSelectionAndMarksTheDocumentModified) {
    AddItems(4);
    Show(600, 300);
    Tablature* two = doc.ItemAtPosition(2);
    Tablature* three = doc.ItemAtPosition(3);
    const Tablature* zero = doc.ItemAtPosition(0);
    DoubleClickAndDrag(QPoint(two->lastOrigin.x + 30, two->lastOrigin.y + 30),
                       QPoint(three->lastOrigin.x + 30, three->lastOrigin.y + 30));
    ASSERT_EQ(doc.selection.size(), 2u);
    doc.SetModifiedFlag(false);

    const QPoint onTwo = Client(QPoint(two->lastOrigin.x + 30, two->lastOrigin.y + 30));
    QTest::mousePress(view.viewport(), Qt::RightButton, Qt::NoModifier, onTwo);
    EXPECT_TRUE(view.Interaction().MovingSelection());
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::SizeAllCursor);
    const QPoint onZero = Client(QPoint(zero->lastOrigin.x + 30, zero->lastOrigin.y + 30));
    QTest::mouseRelease(view.viewport(), Qt::RightButton, Qt::NoModifier, onZero);

    // List order is creation order 0 … 4; the reading order is now 2, 3, 0, 1, 4.
    EXPECT_EQ(PositionsInListOrder(), (std::vector<std::int32_t>{2, 3, 0, 1, 4}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.selection.size(), 2u);
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ViewTest, ADropMovesTheSelectionBeforeTheItemUnderItAndTheSourceSeesNoDrop) {
    AddItems(4);
    Show(600, 300);
    const Tablature* two = doc.ItemAtPosition(2);
    const Tablature* three = doc.ItemAtPosition(3);
    const QPoint onZero = Client(QPoint(doc.ItemAtPosition(0)->lastOrigin.x + 30, 40));
    DoubleClickAndDrag(QPoint(two->lastOrigin.x + 30, 40), QPoint(three->lastOrigin.x + 30, 40));
    doc.SetModifiedFlag(false);

    // Whatever is dragged in, the view offers a move.
    QMimeData dragged;
    dragged.setText(QStringLiteral("anything"));
    QDragEnterEvent enter(onZero, Qt::CopyAction | Qt::MoveAction, &dragged, Qt::LeftButton,
                          Qt::ControlModifier);
    QApplication::sendEvent(view.viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::MoveAction);

    QDropEvent drop(QPointF(onZero), Qt::CopyAction | Qt::MoveAction, &dragged, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &drop);
    EXPECT_EQ(PositionsInListOrder(), (std::vector<std::int32_t>{2, 3, 0, 1, 4}));
    // Like the right-button move, a drop is an edit.
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::IgnoreAction);
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(ViewTest, TheRightButtonWithoutSelectionPlacesTheCaret) {
    AddItems(1);
    Show(600, 300);
    const Tablature* second = doc.ItemAtPosition(1);
    const QPoint cell = Client(CellOf(*second, 1, 3));
    QTest::mousePress(view.viewport(), Qt::RightButton, Qt::NoModifier, cell);
    EXPECT_EQ(doc.cursor->tabItem, second);
    EXPECT_EQ(doc.cursor->current.string, 3);
    EXPECT_TRUE(view.Interaction().RightPlacing());
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::SizeVerCursor);
    QTest::mouseRelease(view.viewport(), Qt::RightButton, Qt::NoModifier, cell);
    EXPECT_FALSE(view.Interaction().RightPlacing());
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ViewTest, AWindowNarrowerThanAnItemPutsEveryItemOnItsOwnRow) {
    AddItems(2);
    Show(kItemWidth - 10, 400);
    for (std::int32_t position = 0; position < 3; ++position) {
        const Tablature* item = doc.ItemAtPosition(position);
        EXPECT_EQ(item->lastOrigin.x, 1);
        // From the top margin down, with no empty row above the first.
        EXPECT_EQ(item->lastOrigin.y, 1 + position * (kItemHeight + 30));
    }
}

// Where the caret's text cell stands in the viewport, in client pixels.
QPoint CaretOnScreen(CCorvaneView& view, const TabDocument& doc) {
    const LayoutPoint scroll = view.ScrollPosition();
    const LayoutPoint corner = CaretCorner(*doc.cursor);
    return QPoint(corner.x - scroll.x, corner.y - scroll.y);
}

TEST_F(ViewTest, AnItemWiderThanTheWindowIsReachedSidewaysAndTheViewFollowsTheCaret) {
    AddItems(2);
    Show(640, 400);
    const int visible = view.viewport()->width();
    // Thirty frets, one a column: the item becomes 32 × 24 = 768 wide.
    for (int fret = 1; fret <= 30; ++fret) {
        QTest::keyClick(&view, Qt::Key_5);
        QTest::keyClick(&view, Qt::Key_Right);
        const QPoint caret = CaretOnScreen(view, doc);
        EXPECT_GE(caret.x(), 0) << fret;
        EXPECT_LE(caret.x() + 24, visible) << fret;
    }
    QApplication::processEvents();
    const Tablature& wide = *doc.ItemAtPosition(0);
    ASSERT_EQ(wide.NoteCount(), 30);
    ASSERT_GT(wide.GetExtent().width, 640);
    // Alone on the first row, the other items on rows below it.
    doc.UpdateLastOrigins();
    EXPECT_EQ(wide.lastOrigin, (LayoutPoint{1, 1}));
    EXPECT_EQ(doc.ItemAtPosition(1)->lastOrigin, (LayoutPoint{1, 1 + kItemHeight + 30}));
    // The bar appears and reaches the item's right edge and a margin past it.
    EXPECT_TRUE(view.horizontalScrollBar()->isVisible());
    EXPECT_EQ(view.horizontalScrollBar()->maximum() + visible, 1 + wide.GetExtent().width + 1);
    EXPECT_GT(view.ScrollPosition().x, 0);
    // What the window shows there is what a whole repaint shows.
    EXPECT_EQ(Shown(view), PaintedWhole(view));

    // Back to the first column: the view follows to the left edge.
    for (int column = 0; column < 30; ++column) QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_EQ(doc.cursor->current.column, 0);
    EXPECT_EQ(CaretOnScreen(view, doc).x(), 0);

    // The scroll bar alone reaches the last frets too.
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
    QApplication::processEvents();
    const int lastNoteX = CellOf(wide, 29, 0).x() - view.ScrollPosition().x;
    EXPECT_GE(lastNoteX, 0);
    EXPECT_LT(lastNoteX + 12, visible);
    EXPECT_EQ(Shown(view), PaintedWhole(view));

    // Narrowed again, the item fits and the bar goes.
    for (int column = 0; column < 30; ++column) QTest::keyClick(&view, Qt::Key_Delete);
    QApplication::processEvents();
    EXPECT_LE(wide.GetExtent().width, 640);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(view.ScrollPosition().x, 0);
}

TEST_F(ViewTest, AResizeRepaintsAtOnce) {
    AddItems(20);
    Show(640, 400);
    QApplication::processEvents();
    PaintedRegions painted(*view.viewport());
    view.resize(200, 300);
    QApplication::processEvents();
    EXPECT_TRUE(Covers(painted.Take(), view.viewport()->rect()));
    EXPECT_EQ(Shown(view), PaintedWhole(view));
    view.resize(500, 350);
    QApplication::processEvents();
    EXPECT_TRUE(Covers(painted.Take(), view.viewport()->rect()));
    EXPECT_EQ(Shown(view), PaintedWhole(view));
}

TEST_F(ViewTest, TheTypedCapitalIAsksForAddTabItemAndTheLowerCaseIDoesNot) {
    Show(400, 300);
    QSignalSpy requests(&view, &CCorvaneView::CommandRequested);
    QTest::keyClick(&view, 'i');
    EXPECT_EQ(requests.count(), 0);
    QTest::keyClick(&view, 'I', Qt::ShiftModifier);
    QTest::keyClick(&view, 'I');  // Caps Lock: the capital without Shift
    ASSERT_EQ(requests.count(), 2);
    EXPECT_EQ(requests.at(0).at(0).toInt(), ID_ADD_TAB_ITEM);
    EXPECT_EQ(doc.tabItems.size(), 1u);  // the frame runs the command, not the view
}

TEST_F(ViewTest, TheScrollRangeFollowsTheWindowAndTheItems) {
    AddItems(29);
    Show(320, 200);
    const int scrollBar = view.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &view);
    const int total = 320 - 2 - scrollBar - 1;
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), std::max(0, total - view.viewport()->width()));
    std::int32_t bottom = 0;
    for (const auto& item : doc.tabItems)
        bottom = std::max(bottom, item->lastOrigin.y + item->GetExtent().height);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), bottom - view.viewport()->height());
    EXPECT_EQ(view.verticalScrollBar()->pageStep(), bottom / 10);
}

}  // namespace
}  // namespace lutaris

namespace lutaris {
namespace {

// The play cursor: a column of its item, repainted where it leaves and where it arrives only,
// followed by the view until the person scrolls elsewhere.
class PlayCursorTest : public ViewTest {};

TEST_F(PlayCursorTest, SpaceAsksForPlayAndNeverReachesTheCaret) {
    Show(400, 300);
    QSignalSpy requests(&view, &CCorvaneView::CommandRequested);
    doc.SetModifiedFlag(false);
    const TabNote before = doc.cursor->current;
    QTest::keyClick(&view, Qt::Key_Space);
    ASSERT_EQ(requests.count(), 1);
    EXPECT_EQ(requests.at(0).at(0).toInt(), ID_PLAY);
    EXPECT_EQ(doc.cursor->current, before);
    EXPECT_EQ(doc.tabItems[0]->NoteCount(), 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(PlayCursorTest, AHandledCaretKeyIsAnnouncedAfterItsEdit) {
    Show(400, 300);
    QSignalSpy handled(&view, &CCorvaneView::CaretKeyHandled);
    int fretSeen = -1;
    QObject::connect(&view, &CCorvaneView::CaretKeyHandled, &view,
                     [&] { fretSeen = doc.cursor->current.fret; });
    QTest::keyClick(&view, Qt::Key_7);
    ASSERT_EQ(handled.count(), 1);
    EXPECT_EQ(handled.at(0).at(0).toInt(), 55);  // the digit 7's code
    EXPECT_EQ(fretSeen, 7);
}

TEST_F(PlayCursorTest, OnlyTheOldAndNewColumnsAreRepainted) {
    AddItems(30);
    Show(600, 400);
    PaintedRegions painted(*view.viewport());
    QApplication::processEvents();
    painted.Take();
    Tablature& item = *doc.ItemAtPosition(1);
    view.ShowPlayCursor(&item, 1, 0);
    QApplication::processEvents();
    const std::optional<LayoutRect> first = view.PlayCursor();
    ASSERT_TRUE(first.has_value());
    const QRect firstRect(QPoint(first->left, first->top), QPoint(first->right, first->bottom));
    QRegion region = painted.Take();
    EXPECT_TRUE(Covers(region, firstRect));
    EXPECT_EQ(region.boundingRect(), firstRect);

    view.ShowPlayCursor(&item, 1, 1);
    QApplication::processEvents();
    const std::optional<LayoutRect> second = view.PlayCursor();
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->left - first->left, 24);  // one column on
    const QRect secondRect(QPoint(second->left, second->top),
                           QPoint(second->right, second->bottom));
    region = painted.Take();
    EXPECT_TRUE(Covers(region, firstRect));
    EXPECT_TRUE(Covers(region, secondRect));
    EXPECT_EQ(region.boundingRect(), firstRect.united(secondRect));

    // The marker is drawn in its own colour over the column and gone once hidden.
    const QImage shown = Shown(view);
    const QColor marked = shown.pixelColor(secondRect.center());
    EXPECT_NE(marked, QColor(Qt::white));
    EXPECT_LT(marked.red(), marked.blue());  // blue, never the caret's red
    view.HidePlayCursor();
    QApplication::processEvents();
    EXPECT_FALSE(view.PlayCursor().has_value());
    EXPECT_EQ(Shown(view).pixelColor(secondRect.center()), QColor(Qt::white));
    EXPECT_EQ(painted.Take().boundingRect(), secondRect);
}

TEST_F(PlayCursorTest, TheViewFollowsTheCursorUntilThePersonScrolls) {
    AddItems(300);
    Show(400, 300);
    Tablature& far = *doc.ItemAtPosition(200);
    view.FollowPlayCursor();
    view.ShowPlayCursor(&far, 200, 0);
    const LayoutPoint scroll = view.ScrollPosition();
    const std::optional<LayoutRect> area = view.PlayCursor();
    ASSERT_TRUE(area.has_value());
    EXPECT_GT(scroll.y, 0);
    // The row that plays stands at the top, with the rows to come below it.
    EXPECT_EQ(area->top, scroll.y);
    EXPECT_LE(area->bottom, scroll.y + view.viewport()->height());
    // Walking on through the rows in sight does not move the view; the first beyond them turns
    // the page to it.
    std::int32_t position = 200;
    while (view.ScrollPosition() == scroll && position < 290) {
        ++position;
        view.ShowPlayCursor(doc.ItemAtPosition(position), position, 0);
    }
    EXPECT_GT(view.PlayCursor()->top, area->bottom) << "the view moved before the cursor left it";
    EXPECT_EQ(view.PlayCursor()->top, view.ScrollPosition().y);
    view.ShowPlayCursor(&far, 200, 0);

    // The person drags the bar back to the top: the cursor no longer pulls the view along.
    view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(view.ScrollPosition().y, 0);
    view.ShowPlayCursor(&far, 200, 1);
    EXPECT_EQ(view.ScrollPosition().y, 0);
    // A new play follows again.
    view.FollowPlayCursor();
    view.ShowPlayCursor(&far, 200, 2);
    EXPECT_GT(view.ScrollPosition().y, 0);
}

TEST_F(PlayCursorTest, AnItemThatIsGoneShowsNoCursor) {
    AddItems(3);
    Show(400, 300);
    Tablature stranger(doc.settings.get());
    view.ShowPlayCursor(doc.ItemAtPosition(2), 2, 0);
    ASSERT_TRUE(view.PlayCursor().has_value());
    view.ShowPlayCursor(&stranger, 2, 0);
    EXPECT_FALSE(view.PlayCursor().has_value());
}

}  // namespace
}  // namespace lutaris
