// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "platform/prompt/ScriptedPrompter.h"

namespace lutaris {
namespace {

TEST(ScriptedPrompter, AnswersInOrderThenFallsBackToTheSafeAnswer) {
    ScriptedPrompter prompter;
    prompter.QueueAnswer(MessageAnswer::Yes);
    EXPECT_EQ(prompter.ShowMessage("a", "c", MessageIcon::Question, MessageButtons::YesNoCancel),
              MessageAnswer::Yes);
    EXPECT_EQ(prompter.ShowMessage("b", "c", MessageIcon::None, MessageButtons::YesNoCancel),
              MessageAnswer::Cancel);
    EXPECT_EQ(prompter.ShowMessage("b", "c", MessageIcon::None, MessageButtons::YesNo),
              MessageAnswer::No);
    EXPECT_EQ(prompter.ShowMessage("b", "c", MessageIcon::None, MessageButtons::OkCancel),
              MessageAnswer::Cancel);
    EXPECT_EQ(prompter.ShowMessage("b", "c", MessageIcon::None, MessageButtons::Ok),
              MessageAnswer::Ok);
}

TEST(ScriptedPrompter, RecordsEveryMessageAndPassesItToTheSink) {
    ScriptedPrompter prompter;
    std::vector<std::string> seen;
    prompter.SetMessageSink([&](const ShownMessage& message) {
        seen.push_back(message.caption + ": " + message.text);
    });
    prompter.ShowMessage("This is not a Lutaris file", "Error", MessageIcon::Error,
                         MessageButtons::Ok);
    prompter.ShowMessage("two", "Lutaris", MessageIcon::Exclamation, MessageButtons::Ok);
    ASSERT_EQ(prompter.Messages().size(), 2u);
    EXPECT_EQ(prompter.Messages()[0].icon, MessageIcon::Error);
    EXPECT_EQ(prompter.Messages()[1].text, "two");
    EXPECT_EQ(seen,
              (std::vector<std::string>{"Error: This is not a Lutaris file", "Lutaris: two"}));
}

TEST(ScriptedPrompter, FileDialogsTakeQueuedPathsAndCancelWhenEmpty) {
    ScriptedPrompter prompter;
    prompter.QueueFile("a.ltf");
    prompter.QueueFile(std::nullopt);
    prompter.QueueFile("b.txt");
    FileDialogOptions options;
    options.defaultExtension = "txt";
    EXPECT_EQ(prompter.ChooseOpenFile(options), "a.ltf");
    EXPECT_EQ(prompter.ChooseSaveFile(options), std::nullopt);
    EXPECT_EQ(prompter.ChooseSaveFile(options), "b.txt");
    EXPECT_EQ(prompter.ChooseOpenFile(options), std::nullopt);
    ASSERT_EQ(prompter.FileDialogs().size(), 4u);
    EXPECT_EQ(prompter.FileDialogs()[3].defaultExtension, "txt");
}

}  // namespace
}  // namespace lutaris
