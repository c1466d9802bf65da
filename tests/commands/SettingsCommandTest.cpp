// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "edit/SettingsCommand.h"
#include "model/CommandIds.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

class SettingsCommandTest : public test::DocumentTest {
protected:
    SettingsCommandTest() { doc.SetModifiedFlag(false); }

    static SettingsDialogEntry Typed(std::array<std::string, 5> texts, bool opaque) {
        SettingsDialogEntry entry;
        entry.texts = std::move(texts);
        entry.textOpaque = opaque;
        return entry;
    }
};

TEST_F(SettingsCommandTest, OkCopiesTheTypedValuesIntoTheSameRecord) {
    const TabSettings* record = doc.settings.get();
    prompter.QueueSettings(Typed({"30", "-7", "3x", "abc", "123456"}, false));
    EXPECT_TRUE(doc.OnCommand(ID_TAB_SETTINGS));
    EXPECT_EQ(doc.settings.get(), record);
    EXPECT_EQ(*doc.settings, (TabSettings{1, 1, 30, -7, 3, 0, 1234, 0}));
    // Every item and the caret see the new values through the same record.
    EXPECT_EQ(doc.tabItems[0]->GetExtent().width, 90);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(SettingsCommandTest, CancelLeavesTheSettingsAndTheDocumentUnmodified) {
    doc.settings->leftMargin = 17;
    const TabSettings before = *doc.settings;
    prompter.QueueSettings(std::nullopt);
    doc.OnTabSettings();
    EXPECT_EQ(*doc.settings, before);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(prompter.SettingsDialogsShown(), 1);
}

TEST_F(SettingsCommandTest, MarginsWithoutABoxKeepTheDocumentsValuesNotTheSettingsFiles) {
    test::WriteFileText(dir / "Lutaris.ini", "[TAB]\nleftMargin=9\ntopMargin=8\n");
    doc.settings->leftMargin = 3;
    prompter.QueueSettings(SettingsDialogEntry::FromSettings(*doc.settings));
    doc.OnTabSettings();
    EXPECT_EQ(doc.settings->leftMargin, 3);
    EXPECT_EQ(doc.settings->topMargin, 1);
}

}  // namespace
}  // namespace lutaris
