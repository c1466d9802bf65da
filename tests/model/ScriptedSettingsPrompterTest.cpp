// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "model/ScriptedSettingsPrompter.h"
#include "model/TabSettings.h"

namespace lutaris {
namespace {

TEST(ScriptedSettingsPrompter, SettingsDialogTypesTheEntryOrCancels) {
    ScriptedSettingsPrompter prompter;
    SettingsDialogEntry entry;
    entry.texts = {"30", "14", "9", "4", "abc"};
    entry.textOpaque = false;
    prompter.QueueSettings(entry);
    prompter.QueueSettings(std::nullopt);
    TabSettings scratch;
    EXPECT_TRUE(prompter.EditSettings(scratch));
    EXPECT_EQ(scratch, (TabSettings{1, 1, 30, 14, 9, 4, 0, 0}));
    TabSettings untouched;
    EXPECT_FALSE(prompter.EditSettings(untouched));
    EXPECT_FALSE(prompter.EditSettings(untouched));
    EXPECT_EQ(untouched, TabSettings{});
    EXPECT_EQ(prompter.SettingsDialogsShown(), 3);
}

}  // namespace
}  // namespace lutaris
