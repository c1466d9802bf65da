// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <cstdlib>
#include <map>

#include "app/ShownTitle.h"
#include "app/frame/CMainFrame.h"
#include "app/shell/ProfileStore.h"
#include "app/shell/RecoveryDialog.h"
#include "app/startup/CCorvaneApp.h"
#include "app/startup/RecoveryKeeper.h"
#include "document/CCorvaneDoc.h"
#include "model/TabCursor.h"
#include "platform/files/SafeFileReplacer.h"
#include "platform/prompt/ScriptedPrompter.h"
#include "platform/recovery/RecoveryStore.h"
#include "platform/recovery/RecoveryWriter.h"
#include "support/TestPaths.h"

namespace lutaris {
namespace {

using namespace std::chrono_literals;

// The disk, counting the copies written.
class CountingFiles : public DiskRecoveryFiles {
public:
    int documentWrites = 0;
    void Write(const std::string& path, std::span<const std::uint8_t> bytes) override {
        if (path.ends_with(".ltf")) ++documentWrites;
        DiskRecoveryFiles::Write(path, bytes);
    }
};

std::vector<TabNote> NotesOf(TabDocument& document) {
    std::vector<TabNote> notes;
    for (const auto& item : document.tabItems)
        notes.insert(notes.end(), item->notes.begin(), item->notes.end());
    return notes;
}

class RecoveryKeeperTest : public ::testing::Test {
protected:
    RecoveryKeeperTest() {
        document.OnNewDocument();
        EXPECT_TRUE(document.SaveToPath((dir / "song.ltf").string()));
    }

    void Type(char key) { document.SendKeyToCursor(key); }

    test::TempDir dir;
    ScriptedPrompter prompter;
    CCorvaneDoc document{prompter};
    CountingFiles files;
    SystemProcessTable processes;
    RecoveryStore store{(dir / "recovery").string(), files, processes, CurrentProcess()};
    RecoveryWriter writer;
};

TEST_F(RecoveryKeeperTest, ACopyFollowsUnsavedChangesAndASaveRemovesIt) {
    RecoveryKeeper keeper(document, store, writer);
    keeper.SetInterval(100ms);
    EXPECT_FALSE(keeper.Scheduled());
    Type('5');
    ASSERT_TRUE(document.IsModified());
    EXPECT_TRUE(keeper.Scheduled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return files.documentWrites > 0; }, 5000));
    writer.Drain();

    // The copy is what a save would write, with the path and title beside it.
    ScriptedPrompter quiet;
    TabDocument copy(quiet);
    ASSERT_TRUE(copy.OnOpenDocument(store.DataPath(keeper.Id())));
    EXPECT_EQ(copy.StorageBytes(), document.StorageBytes());
    const auto info = files.Read(store.InfoPath(keeper.Id()), kMaxRecoveryInfoBytes);
    ASSERT_TRUE(info);
    const auto parsed = ParseRecoveryInfo(*info);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->originalPath, (dir / "song.ltf").string());
    EXPECT_EQ(parsed->title, "song.ltf");
    EXPECT_EQ(parsed->owner, CurrentProcess());

    EXPECT_TRUE(document.DoFileSave());
    keeper.Check();
    writer.Drain();
    EXPECT_FALSE(files.Exists(store.DataPath(keeper.Id())));
    EXPECT_FALSE(files.Exists(store.InfoPath(keeper.Id())));
    EXPECT_FALSE(keeper.Scheduled());
}

// Each copy is built in the memory of the one before: a shorter document after a longer one
// must leave nothing of the longer copy behind.
TEST_F(RecoveryKeeperTest, EveryCopyIsTheDocumentAsItStandsWhateverCameBefore) {
    RecoveryKeeper keeper(document, store, writer);
    const auto copyMatches = [&] {
        keeper.WriteNow();
        writer.Drain();
        ScriptedPrompter quiet;
        TabDocument copy(quiet);
        return copy.OnOpenDocument(store.DataPath(keeper.Id())) &&
               copy.StorageBytes() == document.StorageBytes();
    };
    for (int item = 0; item < 4; ++item) {
        document.InsertTabItemAt(static_cast<std::int32_t>(document.tabItems.size()));
        for (std::int32_t column = 0; column < 12; ++column) {
            document.SetNote(*document.tabItems.back(), TabNote{.fret = 3, .string = column % 6, .column = column});
        }
    }
    EXPECT_TRUE(copyMatches());
    document.RemoveTabItems({document.tabItems[1].get(), document.tabItems[2].get()});
    EXPECT_TRUE(copyMatches());
    document.Undo();
    EXPECT_TRUE(copyMatches());
}

TEST_F(RecoveryKeeperTest, TypingWritesAtMostOnceAnInterval) {
    RecoveryKeeper keeper(document, store, writer);
    keeper.SetInterval(400ms);
    QElapsedTimer elapsed;
    elapsed.start();
    int keys = 0;
    while (elapsed.elapsed() < 1500) {
        Type(static_cast<char>('0' + keys++ % 10));
        QTest::qWait(20);
    }
    writer.Drain();
    // 1.5 s of typing: a copy at 0.4 s, 0.8 s, 1.2 s, never one a key.
    EXPECT_GE(files.documentWrites, 1);
    EXPECT_LE(files.documentWrites, 4);
    EXPECT_GT(keys, 20);
    EXPECT_TRUE(keeper.Scheduled());  // the last keys wait for the next copy
}

TEST_F(RecoveryKeeperTest, AnOpenedOrNewUnmodifiedDocumentLosesItsCopy) {
    RecoveryKeeper keeper(document, store, writer);
    Type('7');
    keeper.WriteNow();
    writer.Drain();
    ASSERT_TRUE(files.Exists(store.DataPath(keeper.Id())));
    // Another file opened (after "Save changes?" was answered No) tells the views.
    ASSERT_TRUE(document.OnOpenDocument((dir / "song.ltf").string()));
    writer.Drain();
    EXPECT_FALSE(files.Exists(store.DataPath(keeper.Id())));
    EXPECT_FALSE(keeper.HasCopy());
}

TEST_F(RecoveryKeeperTest, AFailedWriteLeavesTheKeeperWorking) {
    RecoveryKeeper keeper(document, store, writer);
    test::WriteFileText(dir / "recovery", "a file where the folder should be");
    Type('3');
    keeper.WriteNow();
    writer.Drain();
    EXPECT_EQ(files.documentWrites, 1);
    std::filesystem::remove(dir / "recovery");
    keeper.WriteNow();
    writer.Drain();
    EXPECT_TRUE(files.Exists(store.DataPath(keeper.Id())));
}

// ---- the application at start ----------------------------------------------------------------

class RecoveryStartTest : public ::testing::Test {
protected:
    RecoveryStartTest() { setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1); }
    ~RecoveryStartTest() override { setenv("XDG_STATE_HOME", previous.c_str(), 1); }

    std::string Folder() const { return (dir / "state/lutaris/recovery").string(); }

    // A copy left by a program that ended: this process's id with another start time, one for
    // each copy.
    std::string LeaveCopy(const std::string& originalPath, const std::vector<char>& keys) {
        ScriptedPrompter quiet;
        CCorvaneDoc lost(quiet);
        lost.OnNewDocument();
        for (const char key : keys) lost.SendKeyToCursor(key);
        ProcessIdentity ended = CurrentProcess();
        ended.start += ++leftCopies;
        RecoveryStore theirs(Folder(), files, processes, ended);
        const std::string id = theirs.NewId();
        theirs.Write(
            id, lost.StorageBytes(),
            {ended, 1765287000, originalPath, originalPath.empty() ? "Untitled" : "blues.ltf"});
        return id;
    }

    // Runs `act` on the recovery dialog once it shows.
    void OnDialog(std::function<void(RecoveryDialog&)> act) {
        QTimer::singleShot(0, [this, act] {
            auto* dialog = qobject_cast<RecoveryDialog*>(QApplication::activeModalWidget());
            shown = dialog != nullptr;
            if (dialog) act(*dialog);
        });
    }

    const std::string previous = std::getenv("XDG_STATE_HOME") ? std::getenv("XDG_STATE_HOME") : "";
    test::TempDir dir;
    test::ScopedCurrentDir currentDir{dir.Path()};
    ProfileStore profile{QString::fromStdString((dir.Path() / "profile.ini").string())};
    ScriptedPrompter prompter;
    DiskRecoveryFiles files;
    SystemProcessTable processes;
    bool shown = false;
    int leftCopies = 0;
};

TEST_F(RecoveryStartTest, RecoverOpensTheCopyModifiedUnderItsOriginalPath) {
    const std::string original = (dir / "blues.ltf").string();
    const std::string id = LeaveCopy(original, {'1', '2'});
    QStringList texts;
    OnDialog([&texts](RecoveryDialog& dialog) {
        for (int column = 0; column < 3; ++column)
            texts << dialog.List()->topLevelItem(0)->text(column);
        dialog.RecoverButton()->click();
    });
    CCorvaneApp app(prompter, profile);
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_TRUE(shown);
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(texts[0], QStringLiteral("blues.ltf"));
    EXPECT_EQ(texts[1], QString::fromStdString(original));
    EXPECT_TRUE(texts[2].startsWith(QStringLiteral("2025-12-")));
    EXPECT_EQ(app.Document().GetPathName(), original);
    EXPECT_TRUE(app.Document().IsModified());
    ASSERT_EQ(NotesOf(app.Document()).size(), 1u);
    EXPECT_EQ(NotesOf(app.Document())[0].fret, 12);
    EXPECT_EQ(test::ShownTitle(app.Frame()), QStringLiteral("*blues.ltf - Lutaris"));
    // The copy is this program's now: the old one goes, a new one of its own is written.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !files.Exists(Folder() + "/" + id + ".ltf"); }));
    RecoveryStore mine(Folder(), files, processes, CurrentProcess());
    EXPECT_TRUE(mine.Orphans().empty());
    EXPECT_TRUE(files.Exists(mine.DataPath(app.Recovery()->Id())));
}

TEST_F(RecoveryStartTest, ADamagedCopyIsListedAndDiscardRemovesEveryCopy) {
    const std::string good = LeaveCopy("", {'4'});
    const std::string cut = LeaveCopy("/songs/cut.ltf", {'5'});
    auto bytes = test::ReadFileBytes(Folder() + "/" + cut + ".ltf");
    bytes.resize(bytes.size() / 3);
    test::WriteFileBytes(Folder() + "/" + cut + ".ltf", bytes);
    const std::string noInfo = LeaveCopy("", {'6'});
    std::filesystem::remove(Folder() + "/" + noInfo + ".info");
    QStringList titles, paths;
    bool recoverEnabled = false;
    OnDialog([&](RecoveryDialog& dialog) {
        for (int row = 0; row < dialog.List()->topLevelItemCount(); ++row) {
            titles << dialog.List()->topLevelItem(row)->text(0);
            paths << dialog.List()->topLevelItem(row)->text(1);
        }
        recoverEnabled = dialog.RecoverButton()->isEnabled();
        dialog.DiscardButton()->click();
    });
    CCorvaneApp app(prompter, profile);
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_TRUE(shown);
    ASSERT_EQ(titles.size(), 3);
    EXPECT_EQ(titles[0], QStringLiteral("Untitled"));
    EXPECT_EQ(paths[0], QStringLiteral("(never saved)"));
    EXPECT_TRUE(titles.contains(QStringLiteral("blues.ltf (damaged)")));
    EXPECT_TRUE(titles.contains(QString::fromStdString(noInfo) + QStringLiteral(" (damaged)")));
    EXPECT_EQ(paths.count(QStringLiteral("This copy cannot be read.")), 2);
    EXPECT_TRUE(recoverEnabled);
    EXPECT_TRUE(prompter.Messages().empty());  // reading the damaged copy said nothing
    EXPECT_TRUE(app.Document().GetPathName().empty());
    for (const std::string& id : {good, cut, noInfo}) {
        EXPECT_FALSE(files.Exists(Folder() + "/" + id + ".ltf")) << id;
        EXPECT_FALSE(files.Exists(Folder() + "/" + id + ".info")) << id;
    }
}

TEST_F(RecoveryStartTest, LaterKeepsTheCopiesAndANormalExitRemovesItsOwn) {
    const std::string id = LeaveCopy("", {'8'});
    std::string own;
    {
        OnDialog([](RecoveryDialog& dialog) { dialog.LaterButton()->click(); });
        CCorvaneApp app(prompter, profile);
        ASSERT_TRUE(app.InitInstance({}));
        EXPECT_TRUE(shown);
        EXPECT_TRUE(NotesOf(app.Document()).empty());
        app.Document().SendKeyToCursor('9');
        app.Recovery()->WriteNow();
        own = app.Recovery()->Id();
        ASSERT_TRUE(QTest::qWaitFor([&] { return files.Exists(Folder() + "/" + own + ".ltf"); }));
    }
    EXPECT_FALSE(files.Exists(Folder() + "/" + own + ".ltf"));
    EXPECT_FALSE(files.Exists(Folder() + "/" + own + ".info"));
    EXPECT_TRUE(files.Exists(Folder() + "/" + id + ".ltf"));
    EXPECT_TRUE(files.Exists(Folder() + "/" + id + ".info"));
}

}  // namespace
}  // namespace lutaris
