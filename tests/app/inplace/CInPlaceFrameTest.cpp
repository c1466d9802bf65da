// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <gtest/gtest.h>

#include "app/inplace/CInPlaceFrame.h"
#include "app/inplace/CInPlaceResizeBar.h"
#include "document/CCorvaneDoc.h"
#include "edit/qt/CCorvaneView.h"
#include "platform/prompt/ScriptedPrompter.h"

namespace lutaris {
namespace {

TEST(CInPlaceFrame, TheBorderRefusesTheDragsTheTablatureTakes) {
    ScriptedPrompter prompter;
    CCorvaneDoc document(prompter);
    ASSERT_TRUE(document.OnNewDocument());
    CInPlaceFrame frame(document);
    ASSERT_EQ(frame.OnCreate(), 0);
    frame.resize(300, 150);
    QMimeData tabItems;
    tabItems.setData(QStringLiteral("Lutaris 0.2"), QByteArray(4, '\0'));

    QDragEnterEvent overBorder(QPoint(2, 2), Qt::CopyAction | Qt::MoveAction, &tabItems,
                               Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame.ResizeBar(), &overBorder);
    EXPECT_FALSE(overBorder.isAccepted());
    EXPECT_EQ(overBorder.dropAction(), Qt::IgnoreAction);
    QDropEvent dropOnBorder(QPointF(2, 2), Qt::CopyAction | Qt::MoveAction, &tabItems,
                            Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame.ResizeBar(), &dropOnBorder);
    EXPECT_FALSE(dropOnBorder.isAccepted());

    // The same drag over the tablature is the view's to take.
    QDragEnterEvent overView(QPoint(20, 20), Qt::CopyAction | Qt::MoveAction, &tabItems,
                             Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.View().viewport(), &overView);
    EXPECT_TRUE(overView.isAccepted());
}

TEST(CInPlaceResizeBar, AHandleMovesItsOwnEdgesAndStopsAtTheLeastSize) {
    QWidget frame;
    CInPlaceResizeBar bar(&frame);
    bar.resize(200, 100);
    bar.SetFrameRect(QRect(10, 20, 200, 100));
    constexpr int kLeast = CInPlaceResizeBar::kMinimumSide;
    // The handles clockwise from the top left: their places on the bar.
    EXPECT_EQ(bar.HandleAt(QPoint(1, 1)), 0);
    EXPECT_EQ(bar.HandleAt(QPoint(100, 2)), 1);
    EXPECT_EQ(bar.HandleAt(QPoint(198, 98)), 4);
    EXPECT_EQ(bar.HandleAt(QPoint(2, 50)), 7);
    EXPECT_EQ(bar.HandleAt(QPoint(100, 50)), std::nullopt);
    // The top handle moves the top edge only; the right handle the right edge only.
    EXPECT_EQ(bar.Dragged(1, QPoint(40, -15)), QRect(10, 5, 200, 115));
    EXPECT_EQ(bar.Dragged(3, QPoint(-50, 30)), QRect(10, 20, 150, 100));
    // Dragged past the opposite corner, the object keeps the least size where it stands.
    EXPECT_EQ(bar.Dragged(0, QPoint(500, 500)), QRect(210 - kLeast, 120 - kLeast, kLeast, kLeast));
    EXPECT_EQ(bar.Dragged(4, QPoint(-500, -500)), QRect(10, 20, kLeast, kLeast));
}

}  // namespace
}  // namespace lutaris
