// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "platform/document/DocumentBase.h"
#include "platform/prompt/ScriptedPrompter.h"

namespace lutaris {
namespace {

class RecordingDocument : public DocumentBase {
public:
    using DocumentBase::DocumentBase;
    bool OnOpenDocument(const std::string&) override { return true; }
    bool OnSaveDocument(const std::string& path) override {
        savedTo.push_back(path);
        if (!saveSucceeds) return false;
        SetModifiedFlag(false);
        return true;
    }
    std::vector<std::string> savedTo;
    bool saveSucceeds = true;
};

class CountingObserver : public DocumentObserver {
public:
    void OnDocumentUpdated() override { ++updates; }
    int updates = 0;
};

class DocumentBaseTest : public ::testing::Test {
protected:
    ScriptedPrompter prompter;
    RecordingDocument doc{prompter};
};

TEST_F(DocumentBaseTest, TitleIsUntitledOrTheFileName) {
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    doc.SetPathName("/some/where/riff.ltf");
    EXPECT_EQ(doc.GetTitle(), "riff.ltf");
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentBaseTest, UpdatesReachEachViewAndItemOnce) {
    CountingObserver view, item;
    doc.AddView(&view);
    doc.AddView(&view);
    doc.AddItem(&item);
    doc.UpdateAllViews();
    doc.UpdateAllItems();
    doc.UpdateAllItems();
    EXPECT_EQ(view.updates, 1);
    EXPECT_EQ(item.updates, 2);
    doc.RemoveView(&view);
    doc.UpdateAllViews();
    EXPECT_EQ(view.updates, 1);
}

TEST_F(DocumentBaseTest, AnUnmodifiedDocumentIsReplacedWithoutAQuestion) {
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(DocumentBaseTest, SaveChangesQuestionNamesTheDocument) {
    doc.SetPathName("dir/song.ltf");
    doc.SetModifiedFlag();
    prompter.QueueAnswer(MessageAnswer::No);
    EXPECT_TRUE(doc.SaveModified());
    ASSERT_EQ(prompter.Messages().size(), 1u);
    const auto& question = prompter.Messages()[0];
    EXPECT_EQ(question.text, "Save changes to song.ltf?");
    EXPECT_EQ(question.caption, "Lutaris");
    EXPECT_EQ(question.icon, MessageIcon::Exclamation);
    EXPECT_EQ(question.buttons, MessageButtons::YesNoCancel);
    EXPECT_TRUE(doc.savedTo.empty());
    EXPECT_FALSE(doc.SaveModified());  // unanswered: cancel
}

TEST_F(DocumentBaseTest, YesSavesAnUntitledDocumentThroughTheSaveAsDialog) {
    doc.SetModifiedFlag();
    prompter.QueueAnswer(MessageAnswer::Yes);
    prompter.QueueFile("new.ltf");
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(prompter.Messages()[0].text, "Save changes to Untitled?");
    EXPECT_EQ(doc.savedTo, std::vector<std::string>{"new.ltf"});
    EXPECT_EQ(doc.GetPathName(), "new.ltf");
    ASSERT_EQ(prompter.FileDialogs().size(), 1u);
    const auto& options = prompter.FileDialogs()[0];
    EXPECT_EQ(options.defaultExtension, "ltf");
    ASSERT_EQ(options.filters.size(), 1u);
    EXPECT_EQ(options.filters[0].text, "Lutaris Tab Files (*.ltf)");
    EXPECT_EQ(options.filters[0].patterns, std::vector<std::string>{"*.ltf"});
    EXPECT_TRUE(options.overwritePrompt);
}

TEST_F(DocumentBaseTest, CancelledDialogOrFailedSaveKeepsTheDocumentAndItsPath) {
    doc.SetModifiedFlag();
    prompter.QueueAnswer(MessageAnswer::Yes);
    EXPECT_FALSE(doc.SaveModified());  // the dialog is cancelled
    EXPECT_TRUE(doc.savedTo.empty());
    doc.SetPathName("old.ltf");
    doc.saveSucceeds = false;
    prompter.QueueFile("other.ltf");
    EXPECT_FALSE(doc.DoSave(true));
    EXPECT_EQ(doc.GetPathName(), "old.ltf");
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocumentBaseTest, SaveUsesTheDocumentsPathWithoutAsking) {
    doc.SetPathName("here.ltf");
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.DoFileSave());
    EXPECT_EQ(doc.savedTo, std::vector<std::string>{"here.ltf"});
    EXPECT_TRUE(prompter.FileDialogs().empty());
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace lutaris
