// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "app/ShownTitle.h"
#include "app/frame/CMainFrame.h"
#include "app/shell/ProfileStore.h"
#include "app/startup/CCorvaneApp.h"
#include "document/CCorvaneDoc.h"
#include "edit/qt/CCorvaneView.h"
#include "model/CommandIds.h"
#include "model/TabCursor.h"
#include "platform/prompt/ScriptedPrompter.h"
#include "support/TestPaths.h"

namespace lutaris {
namespace {

class AppTest : public ::testing::Test {
protected:
    std::string PathOf(const char* name) const { return (dir.Path() / name).string(); }

    test::TempDir dir;
    test::ScopedCurrentDir currentDir{dir.Path()};
    ProfileStore profile{QString::fromStdString((dir.Path() / "profile.ini").string())};
    ScriptedPrompter prompter;
};

// A saved document with one note, made through a first run of the application.
std::string SaveSample(AppTest& test, ProfileStore& profile, ScriptedPrompter& prompter,
                       const std::string& path) {
    CCorvaneApp app(prompter, profile);
    EXPECT_TRUE(app.InitInstance({}));
    app.Document().cursor->OnKey('7');
    app.Document().ApplyCursorResult(8);
    prompter.QueueFile(path);
    app.Frame().OnCommand(ID_FILE_SAVE_AS);
    (void)test;
    return path;
}

TEST_F(AppTest, StartsWithAnUntitledDocumentInAShownWindow) {
    CCorvaneApp app(prompter, profile);
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_TRUE(app.Frame().isVisible());
    EXPECT_EQ(test::ShownTitle(app.Frame()), QStringLiteral("Untitled - Lutaris"));
    EXPECT_EQ(app.Document().tabItems.size(), 1u);
    // An untouched new document holds nothing to lose.
    EXPECT_FALSE(app.Document().IsModified());
}

TEST_F(AppTest, UnregisterRemovesBothFilesAndExitsWithoutAWindow) {
    const std::string data = PathOf("data");
    const QByteArray oldDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data));
    {
        // A stand-alone start with the program's path registers it.
        CCorvaneApp first(prompter, profile);
        first.SetProgramPath("/opt/lutaris/bin/lutaris");
        ASSERT_TRUE(first.InitInstance({}));
    }
    const QString service =
        QString::fromStdString(data + "/dbus-1/services/Lutaris.Document.service");
    const QString object =
        QString::fromStdString(data + "/insertable-objects/Lutaris.Document.object");
    EXPECT_TRUE(QFileInfo::exists(service));
    EXPECT_TRUE(QFileInfo::exists(object));
    prompter.ClearMessages();

    CCorvaneApp app(prompter, profile);
    EXPECT_FALSE(app.InitInstance({"/Unregister"}));
    EXPECT_EQ(app.ExitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(service));
    EXPECT_FALSE(QFileInfo::exists(object));
    EXPECT_TRUE(prompter.Messages().empty());  // reported on stdout, no message box
    if (oldDataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", oldDataHome);
}

TEST_F(AppTest, SaveAsNamesTheWindowAndTheRecentFileListKeepsIt) {
    const std::string path = SaveSample(*this, profile, prompter, PathOf("riff.ltf"));
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(path)));
    EXPECT_EQ(profile.ReadRecentFiles(4), std::vector<std::string>{path});

    // A second run opens it from the command line.
    CCorvaneApp again(prompter, profile);
    ASSERT_TRUE(again.InitInstance({path}));
    EXPECT_EQ(test::ShownTitle(again.Frame()), QStringLiteral("riff.ltf - Lutaris"));
    ASSERT_EQ(again.Document().tabItems.size(), 1u);
    ASSERT_EQ(again.Document().tabItems[0]->NoteCount(), 1);
    EXPECT_EQ(again.Document().tabItems[0]->notes[0].fret, 7);
}

TEST_F(AppTest, EditMenuCommandsReachTheSystemClipboard) {
    CCorvaneApp app(prompter, profile);
    ASSERT_TRUE(app.InitInstance({}));
    CCorvaneDoc& doc = app.Document();
    doc.SetSelection({doc.tabItems[0].get()}, doc.copied);

    app.Frame().OnCommand(ID_COPY_AS_TEXT);
    const QString text = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(text.startsWith(QLatin1Char('|'))) << text.toStdString();

    // Copy offers the object with its pictures, the bitmap included, and lets Paste duplicate.
    app.Frame().OnCommand(ID_EDIT_COPY);
    const QMimeData* offered = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(offered, nullptr);
    EXPECT_TRUE(offered->hasFormat(QStringLiteral("image/png")));
    app.Frame().OnCommand(ID_EDIT_PASTE);
    EXPECT_EQ(doc.tabItems.size(), 2u);
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(AppTest, ADocumentThatCannotBeOpenedEndsTheStart) {
    CCorvaneApp app(prompter, profile);
    EXPECT_FALSE(app.InitInstance({PathOf("missing.ltf")}));
    EXPECT_NE(app.ExitCode(), 0);
    EXPECT_FALSE(prompter.Messages().empty());
}

TEST_F(AppTest, NewAsksToSaveChangesAndCancelKeepsTheDocument) {
    CCorvaneApp app(prompter, profile);
    ASSERT_TRUE(app.InitInstance({}));
    app.Frame().OnCommand(ID_ADD_TAB_ITEM);
    prompter.QueueAnswer(MessageAnswer::Cancel);
    app.Frame().OnCommand(ID_FILE_NEW);
    EXPECT_EQ(app.Document().tabItems.size(), 2u);
    ASSERT_FALSE(prompter.Messages().empty());
    EXPECT_EQ(prompter.Messages().back().text, "Save changes to Untitled?");

    prompter.QueueAnswer(MessageAnswer::No);
    app.Frame().OnCommand(ID_FILE_NEW);
    EXPECT_EQ(app.Document().tabItems.size(), 1u);
    // An untouched new document holds nothing to lose.
    EXPECT_FALSE(app.Document().IsModified());
}

TEST_F(AppTest, OpenUsesTheTabFileFilterAndARecentFileReopens) {
    const std::string path = SaveSample(*this, profile, prompter, PathOf("song.ltf"));
    CCorvaneApp app(prompter, profile);
    ASSERT_TRUE(app.InitInstance({}));
    prompter.QueueFile(path);
    prompter.QueueAnswer(MessageAnswer::No);  // "Save changes to Untitled?"
    app.Frame().OnCommand(ID_FILE_OPEN);
    const FileDialogOptions& open = prompter.FileDialogs().back();
    ASSERT_EQ(open.filters.size(), 1u);
    EXPECT_EQ(open.filters[0].text, "Lutaris Tab Files (*.ltf)");
    EXPECT_EQ(open.defaultExtension, "ltf");
    EXPECT_EQ(test::ShownTitle(app.Frame()), QStringLiteral("song.ltf - Lutaris"));

    app.Frame().OnCommand(ID_FILE_NEW);  // not modified since the open: nothing to ask
    EXPECT_EQ(test::ShownTitle(app.Frame()), QStringLiteral("Untitled - Lutaris"));
    prompter.QueueAnswer(MessageAnswer::No);
    app.Frame().OnCommand(ID_FILE_MRU_FILE1);
    EXPECT_EQ(test::ShownTitle(app.Frame()), QStringLiteral("song.ltf - Lutaris"));
}

// The caret's item lies wholly inside the view (after a paint has laid the items out).
void ExpectCaretItemShown(CCorvaneApp& app, const char* what) {
    CCorvaneView& view = app.Frame().View();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&app.Frame()));
    view.viewport()->repaint();
    const Tablature& item = *app.Document().cursor->tabItem;
    const int top = item.lastOrigin.y - view.ScrollPosition().y;
    EXPECT_GE(top, 0) << what;
    EXPECT_LE(top + item.GetExtent().height, view.viewport()->height()) << what;
}

TEST_F(AppTest, OpeningAFileShowsTheItemTheCaretStartsOnFarDown) {
    const std::string path = PathOf("long.ltf");
    {
        CCorvaneApp app(prompter, profile);
        ASSERT_TRUE(app.InitInstance({}));
        // Each insert puts an empty item before the caret's: the first stored item ends last.
        for (int i = 0; i < 60; ++i) app.Frame().OnCommand(ID_INSERT_TAB_ITEM);
        ExpectCaretItemShown(app, "after Insert Tab Item");
        prompter.QueueFile(path);
        app.Frame().OnCommand(ID_FILE_SAVE_AS);
    }
    CCorvaneApp app(prompter, profile);
    ASSERT_TRUE(app.InitInstance({}));
    prompter.QueueFile(path);
    prompter.QueueAnswer(MessageAnswer::No);  // "Save changes to Untitled?"
    app.Frame().OnCommand(ID_FILE_OPEN);
    ASSERT_EQ(app.Document().cursor->tabItem->position, 60);
    ExpectCaretItemShown(app, "after File > Open");
    // A new document starts at the top again.
    app.Frame().OnCommand(ID_FILE_NEW);
    EXPECT_EQ(app.Frame().View().ScrollPosition().y, 0);

    CCorvaneApp fromCommandLine(prompter, profile);
    ASSERT_TRUE(fromCommandLine.InitInstance({path}));
    ExpectCaretItemShown(fromCommandLine, "opened from the command line");
}

TEST_F(AppTest, PrintToAPdfFileAndExit) {
    const std::string path = SaveSample(*this, profile, prompter, PathOf("print.ltf"));
    const std::string pdf = PathOf("out.pdf");
    CCorvaneApp app(prompter, profile);
    EXPECT_FALSE(app.InitInstance({"/pt", path, pdf}));
    EXPECT_EQ(app.ExitCode(), 0);
    EXPECT_FALSE(app.Frame().isVisible());
    EXPECT_GT(QFileInfo(QString::fromStdString(pdf)).size(), 500);

    // A PDF that cannot be written is not a printout.
    CCorvaneApp again(prompter, profile);
    EXPECT_FALSE(again.InitInstance({"/pt", path, PathOf("missing/out.pdf")}));
    EXPECT_NE(again.ExitCode(), 0);
    ASSERT_FALSE(prompter.Messages().empty());
    EXPECT_EQ(prompter.Messages().back().text, "The document could not be printed.");
}

}  // namespace
}  // namespace lutaris
