// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QAction>
#include <QStatusBar>
#include <QToolBar>

#include "app/editor/EditorWindow.h"
#include "app/frame/FrameActions.h"
#include "app/frame/WindowPlacement.h"
#include "app/shell/ProfileStore.h"
#include "model/CommandIds.h"
#include "platform/files/DocumentFile.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

class EditorWindowTest : public test::DocumentTest {
protected:
    std::string PathOf(const std::string& name) { return (dir.Path() / name).string(); }

    ProfileStore profile{QString::fromStdString(PathOf("profile.ini"))};
};

TEST_F(EditorWindowTest, AnOpenedObjectSavesACopyAndKeepsItsOwnState) {
    EditorWindow window(doc, profile, FrameKind::Embedded);
    doc.SendKeyToCursor('4');
    prompter.QueueFile(PathOf("copy.ltf"));
    window.Frame().OnCommand(ID_FILE_SAVE_COPY_AS);
    EXPECT_EQ(ReadDocumentContents(PathOf("copy.ltf")), doc.ContentsBytes());
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(prompter.FileDialogs().back().overwritePrompt);

    // Its frame has no New: the document stays, and nobody is asked about it.
    window.Frame().OnCommand(ID_FILE_NEW);
    EXPECT_EQ(doc.tabItems[0]->NoteCount(), 1);
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(EditorWindowTest, AnObjectKeptAsAnOrdinaryDocumentHasTheFileCommands) {
    EditorWindow window(doc, profile, FrameKind::Embedded);
    doc.SendKeyToCursor('4');
    window.Frame().BecomeStandAlone();
    prompter.QueueAnswer(MessageAnswer::No);  // "Save changes to Untitled?"
    window.Frame().OnCommand(ID_FILE_NEW);
    EXPECT_EQ(doc.tabItems[0]->NoteCount(), 0);
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].text, "Save changes to Untitled?");

    // A copy is the opened object's command only.
    const std::size_t dialogs = prompter.FileDialogs().size();
    window.Frame().OnCommand(ID_FILE_SAVE_COPY_AS);
    EXPECT_EQ(prompter.FileDialogs().size(), dialogs);
}

TEST_F(EditorWindowTest, TheProgramsWindowComesBackWithItsPlaceSizeAndToolbar) {
    {
        EditorWindow window(doc, profile, FrameKind::StandAlone);
        CMainFrame& frame = window.Frame();
        frame.show();
        frame.setGeometry(60, 70, 500, 360);
        frame.OnCommand(ID_VIEW_TOOLBAR);
        ASSERT_TRUE(frame.ToolBar().isHidden());
        EXPECT_TRUE(frame.close());  // an untouched new document asks nothing
    }
    // Restored before it is shown, as at a start of the program.
    EditorWindow again(doc, profile, FrameKind::StandAlone);
    CMainFrame& frame = again.Frame();
    EXPECT_EQ(frame.geometry().size(), QSize(500, 360));
    EXPECT_EQ(frame.geometry().topLeft(), QPoint(60, 70));
    frame.show();
    EXPECT_TRUE(frame.ToolBar().isHidden());
    EXPECT_FALSE(frame.Actions().Action(ID_VIEW_TOOLBAR)->isChecked());
    EXPECT_TRUE(frame.Actions().Action(ID_VIEW_STATUS_BAR)->isChecked());

    // A window whose closing was refused keeps the profile as it was.
    frame.setGeometry(10, 10, 300, 200);
    doc.OnAddTabItem();
    prompter.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(frame.close());
    EditorWindow third(doc, profile, FrameKind::StandAlone);
    EXPECT_EQ(third.Frame().geometry().size(), QSize(500, 360));
}

TEST_F(EditorWindowTest, AnOpenedObjectsWindowLeavesTheProfileAlone) {
    {
        EditorWindow window(doc, profile, FrameKind::Embedded);
        window.Frame().show();
        window.Frame().setGeometry(20, 20, 410, 300);
        window.Frame().close();
    }
    EXPECT_TRUE(profile.ReadWindowPlacement().geometry.isEmpty());
}

// A scaled desktop: 640 x 480 logical pixels on a screen of 640 x 450 available.
TEST(FirstWindowRect, FitsTheAvailableAreaWithItsFrameAndStaysReachable) {
    using window_placement::FirstWindowRect;
    const QMargins frame(2, 28, 2, 2);
    const QRect fitted = FirstWindowRect({640, 480}, QRect(0, 0, 640, 450), frame);
    EXPECT_TRUE(QRect(0, 0, 640, 450).contains(fitted.marginsAdded(frame)))
        << fitted.x() << "," << fitted.y() << " " << fitted.width() << "x" << fitted.height();
    EXPECT_EQ(fitted.height(), 450 - 30);
    EXPECT_EQ(fitted.width(), 640 - 4);

    // A large screen: the size asked for, centred in the area (a panel at the top).
    const QRect centred = FirstWindowRect({640, 480}, QRect(0, 32, 1920, 1048), frame);
    EXPECT_EQ(centred.size(), QSize(640, 480));
    EXPECT_EQ(centred.center().x(), QRect(0, 32, 1920, 1048).marginsRemoved(frame).center().x());
    EXPECT_GE(centred.top() - frame.top(), 32);

    // A screen not much larger than the frame: the title bar stays on it.
    const QRect tiny = FirstWindowRect({640, 480}, QRect(100, 50, 20, 20), frame);
    EXPECT_GE(tiny.top() - frame.top(), 50);
    EXPECT_GE(tiny.left() - frame.left(), 100);
    EXPECT_GE(tiny.width(), 1);
}

}  // namespace
}  // namespace lutaris
