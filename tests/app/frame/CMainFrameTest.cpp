// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "app/ShownTitle.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/FrameActions.h"
#include "app/frame/FrameStatusBar.h"
#include "app/frame/MainMenu.h"
#include "edit/qt/CCorvaneView.h"
#include "model/CommandIds.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

class FrameTest : public test::DocumentTest {
protected:
    FrameTest() {
        frame.show();
        frame.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
        frame.View().setFocus();
    }
    CMainFrame frame{doc};
};

// The red of what the window shows: the caret, and the outlines of selected items.
int RedPixelsShown(CMainFrame& frame) {
    QTest::qWait(30);
    QApplication::processEvents();
    const QImage shown = frame.screen()->grabWindow(frame.winId()).toImage();
    const QRect view(frame.View().viewport()->mapTo(&frame, QPoint(0, 0)),
                     frame.View().viewport()->size());
    int red = 0;
    for (int y = view.top(); y <= view.bottom() && y < shown.height(); ++y)
        for (int x = view.left(); x <= view.right() && x < shown.width(); ++x) {
            const QColor c = shown.pixelColor(x, y);
            red += c.red() > 180 && c.green() < 90 && c.blue() < 90;
        }
    return red;
}

TEST_F(FrameTest, SelectAllAndEscRedrawEveryItem) {
    for (int i = 0; i < 5; ++i) frame.OnCommand(ID_ADD_TAB_ITEM);
    QTest::keyClick(&frame.View(), Qt::Key_3);
    const int caretOnly = RedPixelsShown(frame);
    frame.Actions().Action(ID_EDIT_SELECT_ALL)->trigger();
    EXPECT_EQ(doc.selection.size(), 6u);
    const int allRed = RedPixelsShown(frame);
    // Six outlined staves of 72 x 90: far more than the caret's red.
    EXPECT_GT(allRed, caretOnly + 6 * 300);
    QTest::keyClick(&frame.View(), Qt::Key_Escape);
    EXPECT_TRUE(doc.selection.empty());
    EXPECT_LE(RedPixelsShown(frame), caretOnly + 20);
    EXPECT_EQ(frame.Actions().Action(ID_EDIT_SELECT_ALL)->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_A));
}

TEST_F(FrameTest, TitleNamesTheDocument) {
    EXPECT_EQ(test::ShownTitle(frame), QStringLiteral("Untitled - Lutaris"));
    doc.SetPathName("/tmp/somewhere/riff.ltf");
    frame.UpdateTitle();
    EXPECT_EQ(test::ShownTitle(frame), QStringLiteral("riff.ltf - Lutaris"));
}

TEST_F(FrameTest, ToolbarHoldsTheEightButtonsInOrderWithTheirSeparators) {
    QStringList buttons;
    for (QAction* action : frame.ToolBar().actions())
        buttons << (action->isSeparator() ? QStringLiteral("|") : action->toolTip());
    EXPECT_EQ(buttons, (QStringList{"New", "Open", "Save", "|", "Cut", "Copy", "Paste", "|",
                                    "Print", "About"}));
    EXPECT_EQ(frame.ToolBar().iconSize(), QSize(16, 15));
}

TEST_F(FrameTest, ViewItemsHideAndShowTheBarsWithCheckMarks) {
    QAction* toolbarItem = frame.Actions().Action(ID_VIEW_TOOLBAR);
    QAction* statusItem = frame.Actions().Action(ID_VIEW_STATUS_BAR);
    toolbarItem->trigger();
    EXPECT_FALSE(frame.ToolBar().isVisible());
    EXPECT_FALSE(toolbarItem->isChecked());
    toolbarItem->trigger();
    EXPECT_TRUE(frame.ToolBar().isVisible());
    EXPECT_TRUE(toolbarItem->isChecked());
    statusItem->trigger();
    EXPECT_FALSE(frame.StatusPanes().isVisible());
    EXPECT_FALSE(statusItem->isChecked());
    statusItem->trigger();
    EXPECT_TRUE(frame.StatusPanes().isVisible());
    EXPECT_TRUE(statusItem->isChecked());
}

TEST_F(FrameTest, ShiftIAddsATabItemAndLowerCaseIDoesNot) {
    QTest::keyClick(&frame.View(), 'i');
    EXPECT_EQ(doc.tabItems.size(), 1u);
    QTest::keyClick(&frame.View(), 'I', Qt::ShiftModifier);
    EXPECT_EQ(doc.tabItems.size(), 2u);
    EXPECT_EQ(doc.tabItems[1]->position, 1);
    EXPECT_EQ(doc.cursor->tabItem, doc.tabItems[0].get());
}

TEST_F(FrameTest, AcceleratorsRunTheirCommandsAndLettersReachTheCaret) {
    QTest::keyClick(&frame.View(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(doc.tabItems.size(), 2u);  // Insert Tab Item
    QTest::keyClick(&frame.View(), Qt::Key_R, Qt::ControlModifier);
    ASSERT_EQ(doc.tabItems.size(), 3u);  // Insert Random Riff
    EXPECT_GE(doc.tabItems[2]->NoteCount(), 1);

    QTest::keyClick(&frame.View(), Qt::Key_4);
    QTest::keyClick(&frame.View(), Qt::Key_H);
    const Tablature* item = doc.cursor->tabItem;
    ASSERT_EQ(item->NoteCount(), 1);
    EXPECT_EQ(item->notes[0].action, HammerOn);
    // Shift+Left is Insert Note: the note moves one column to the right.
    QTest::keyClick(&frame.View(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(item->notes[0].column, 1);
}

TEST_F(FrameTest, TechniqueMenuItemsSendTheirKeysToTheCaret) {
    QTest::keyClick(&frame.View(), Qt::Key_9);
    frame.Actions().Action(ID_ACTION_HARMONIC)->trigger();
    EXPECT_EQ(doc.tabItems[0]->notes[0].action, Harmonic);
    frame.Actions().Action(ID_ACTION_CLEAR)->trigger();
    EXPECT_EQ(doc.tabItems[0]->notes[0].action, Normal);
}

TEST_F(FrameTest, StatusPaneShowsPromptsWhileHoveredAndReadyOtherwise) {
    FrameStatusBar& status = frame.StatusPanes();
    EXPECT_EQ(status.MessageText(), QStringLiteral("Ready"));

    // A toolbar button under the mouse.
    QStatusTipEvent overOpen(QStringLiteral("Open an existing document"));
    QApplication::sendEvent(&frame, &overOpen);
    EXPECT_EQ(status.MessageText(), QStringLiteral("Open an existing document"));
    QStatusTipEvent away{QString()};
    QApplication::sendEvent(&frame, &away);
    EXPECT_EQ(status.MessageText(), QStringLiteral("Ready"));

    // Menu items: a prompt, and nothing at all for the commands without one.
    QMenu* edit = frame.Menu().TopMenus()[1];
    emit edit->hovered(frame.Actions().Action(ID_TAB_SETTINGS));
    EXPECT_EQ(status.MessageText(), QStringLiteral("Set user options for tablature"));
    emit edit->hovered(frame.Actions().Action(ID_INSERT_TAB_ITEM));
    EXPECT_EQ(status.MessageText(), QString());
    emit edit->aboutToHide();
    EXPECT_EQ(status.MessageText(), QStringLiteral("Ready"));
}

TEST_F(FrameTest, UndoAndRedoKeysTakeStepsAndNeverReachTheCaret) {
    // With nothing to undo, neither key reaches the caret as Z (clear the technique) or
    // Backspace (delete the note).
    QTest::keyClick(&frame.View(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&frame.View(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_FALSE(doc.IsModified());
    QTest::keyClick(&frame.View(), Qt::Key_5);
    QTest::keyClick(&frame.View(), Qt::Key_B);
    ASSERT_EQ(doc.tabItems[0]->NoteCount(), 1);
    EXPECT_TRUE(frame.isWindowModified());
    EXPECT_EQ(test::ShownTitle(frame), QStringLiteral("*Untitled - Lutaris"));
    QAction* undo = frame.Actions().Action(ID_EDIT_UNDO);
    ASSERT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo Bend Up\tCtrl+Z"));
    QTest::keyClick(&frame.View(), Qt::Key_Backspace, Qt::AltModifier);  // the bend goes
    ASSERT_EQ(doc.tabItems[0]->NoteCount(), 1);
    EXPECT_EQ(doc.tabItems[0]->notes[0].action, Normal);
    QTest::keyClick(&frame.View(), Qt::Key_Z, Qt::ControlModifier);  // the 5 goes
    EXPECT_EQ(doc.tabItems[0]->NoteCount(), 0);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(frame.isWindowModified());
    QAction* redo = frame.Actions().Action(ID_EDIT_REDO);
    EXPECT_EQ(redo->text(), QStringLiteral("&Redo Typing\tCtrl+Y"));
    QTest::keyClick(&frame.View(), Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(&frame.View(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(doc.tabItems[0]->NoteCount(), 1);
    EXPECT_EQ(doc.tabItems[0]->notes[0].fret, 5);
    EXPECT_EQ(doc.tabItems[0]->notes[0].action, BendUp);
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_TRUE(frame.isWindowModified());
}

}  // namespace
}  // namespace lutaris

namespace lutaris {
namespace {

class EmbeddedFrameTest : public test::DocumentTest {
protected:
    QStringList Buttons() {
        QStringList buttons;
        for (QAction* action : frame.ToolBar().actions())
            buttons << (action->isSeparator() ? QStringLiteral("|") : action->toolTip());
        return buttons;
    }
    CMainFrame frame{doc, nullptr, FrameKind::Embedded};
};

TEST_F(EmbeddedFrameTest, TitledInTheContainerUntilTheContainerGoes) {
    frame.SetContainerObjectName(QStringLiteral("Report %1.odt"));
    EXPECT_EQ(test::ShownTitle(frame), QStringLiteral("Lutars in Report %1.odt"));
    EXPECT_EQ(Buttons(), (QStringList{"Cut", "Copy", "Paste", "|", "Print", "About"}));
    // The view's capital I adds no item here: table 5 has no such key.
    const std::size_t items = doc.tabItems.size();
    frame.OnCommand(ID_ADD_TAB_ITEM);
    EXPECT_EQ(doc.tabItems.size(), items);

    frame.BecomeStandAlone();
    EXPECT_EQ(frame.Kind(), FrameKind::StandAlone);
    EXPECT_EQ(test::ShownTitle(frame), QStringLiteral("Untitled - Lutaris"));
    EXPECT_EQ(Buttons(), (QStringList{"New", "Open", "Save", "|", "Cut", "Copy", "Paste", "|",
                                      "Print", "About"}));
    ASSERT_NE(frame.Actions().Action(ID_FILE_SAVE), nullptr);
    EXPECT_EQ(frame.Actions().Action(ID_FILE_UPDATE), nullptr);
    QStringList titles;
    for (const QMenu* top : frame.Menu().TopMenus()) titles << top->title();
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&View", "&Play", "&Help"}));
    frame.OnCommand(ID_ADD_TAB_ITEM);
    EXPECT_EQ(doc.tabItems.size(), items + 1);
}

}  // namespace
}  // namespace lutaris
